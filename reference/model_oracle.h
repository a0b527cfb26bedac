#pragma once

#include "model/material.h"
#include "model/records.h"

#include <vector>

// The model build with plain scans in place of the indexes: every segment end
// against every mark, every trace step against every segment (the plain walk
// in model/trace_index.h), every pair of outlines, every segment against
// every pair of outline points. Far too slow for real drawings; the reference
// the indexed build must match face for face. Steps that scan nothing (wall
// faces, flatness, slab faces) are shared.

void OracleAssignHeights(std::vector<LayerSlot>& slots);

// Fills OutlineList as BuildSlabs does and appends the same faces.
void OracleBuildSlabs(const TTxy& segments, const TMaterialTable& materials);

void OracleBuildModel(std::vector<LayerSlot>& slots, const TMaterialTable& materials);
