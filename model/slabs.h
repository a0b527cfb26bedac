#pragma once

#include "model/material.h"
#include "model/records.h"

// Appends the top face, and the bottom face where it differs and is flat, of
// every outline left in OutlineList whose top is flat, coloured like the
// segment whose trace found it.
void AppendSlabFaces(const TTxy& segments, const TMaterialTable& materials);

// Appends the slab faces of one slot's closed rings of segments: traces the
// outlines, filters them, then appends their faces.
void BuildSlabs(const TTxy& segments, const TMaterialTable& materials);
