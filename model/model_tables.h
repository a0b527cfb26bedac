#pragma once

#include "model/outline_trace.h"
#include "model/polygon.h"

#include <vector>

// The model's module-level tables. They live for the whole run: filled at
// start and only read afterwards.

// Every face of the model, walls first, then slabs, in the order appended.
extern std::vector<TPGon> PolygonList;

// The outlines of the slot whose slabs are being built, in the order found.
// After the build it still holds the last slot's outlines; nothing reads them.
extern std::vector<TMyPolyPoints> OutlineList;

// Puts both tables back to their empty start: the faces released as
// ReleaseFaces does, and the outlines.
void ResetModelTables();
