#pragma once

#include "model/build_record.h"
#include "model/material.h"
#include "model/records.h"

#include <vector>

// Gives every segment end that lies on a height mark of its slot the mark's
// heights plus the slot's base height; the last matching mark wins. For a
// build that keeps a record, also notes in each slot's EndMarks which mark
// each end took.
void AssignHeights(std::vector<LayerSlot>& slots, const TBuildRecord* record = nullptr);

// Appends one wall face per segment that has height at an end, slot by slot.
// With a record, also the origin of each face to its FaceOrigins (the slots
// must then hold their SegmentLines).
void AppendWallFaces(const std::vector<LayerSlot>& slots, const TMaterialTable& materials,
                     TBuildRecord* record = nullptr);
