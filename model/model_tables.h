#pragma once

#include "model/face_origin.h"
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

// Where each face of PolygonList came from: one entry per face, in the same
// order, when the build kept the origins; empty otherwise. ReleaseFaces
// empties it with the faces.
extern std::vector<TFaceOrigin> FaceOriginList;

// Names of the layers and groups, as the drawing's "lyn" and "lgn" records
// give them: bytes as written, blanks trimmed, the last record wins; empty
// for an unnamed one. Read afresh by a reading that keeps the origins.
extern TLayerNames LayerNames;
extern TGroupNames GroupNames;

// Puts the tables back to their empty start: faces released last to first.
void ResetModelTables();
