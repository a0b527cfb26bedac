#pragma once

#include "model/material.h"
#include "model/records.h"

#include <vector>

// Gives every segment end that lies on a height mark of its slot the mark's
// heights plus the slot's base height; the last matching mark wins.
void AssignHeights(std::vector<LayerSlot>& slots);

// The same, also noting in each slot's EndMarks which mark each end took.
void AssignHeightsKeepingMarks(std::vector<LayerSlot>& slots);

// Appends one wall face per segment that has height at an end, slot by slot.
// With keepOrigins, also the origin of each face to FaceOriginList (the slots
// must then hold their SegmentLines).
void AppendWallFaces(const std::vector<LayerSlot>& slots, const TMaterialTable& materials,
                     bool keepOrigins = false);
