#pragma once

#include "check/cell_table.h"
#include "model/point_grid.h"
#include "model/records.h"

#include <cstdint>

// Files the segments of one slot under every cell they pass through.
void BuildSegmentGrid(TCellTable& table, const TTxy& segments);

// The lowest-numbered segment that passes through the tolerance square of p
// (some point of it NearlyEqual to p in x and in y) but has no end there:
// p lies on its inside. -1 when there is none.
int32_t SegmentThrough(const TCellTable& table, const TTxy& segments, TPlanPoint p);
