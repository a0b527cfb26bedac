#pragma once

#include "check/cell_table.h"
#include "model/point_grid.h"
#include "model/records.h"

#include <cstdint>

// Files the segments of one slot under every cell they pass through.
void BuildSegmentGrid(TCellTable& table, const TTxy& segments);

// The segment passes through the tolerance square of p (some point of it
// NearlyEqual to p in x and in y) but has no end there: p lies on its inside.
// Nothing passes through a point, nor a segment through anything, with a
// coordinate that is not finite.
bool PassesThrough(const SegmentRecord& segment, TPlanPoint p);

// The lowest-numbered segment that PassesThrough p; -1 when there is none.
int32_t SegmentThrough(const TCellTable& table, const TTxy& segments, TPlanPoint p);
