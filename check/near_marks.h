#pragma once

#include "check/cell_table.h"
#include "model/point_grid.h"
#include "model/records.h"

#include <cstdint>
#include <vector>

// Files the marks of one slot for NearestMark with a snap distance of up to
// largestSnap.
void BuildNearMarks(TCellTable& table, const std::vector<HeightMark>& marks, float largestSnap);

// The mark nearest to p no further than snap, the first in the list of
// equally near ones, and its distance; -1 when there is none, or snap is not
// above 0.
int32_t NearestMark(const TCellTable& table, const std::vector<HeightMark>& marks, TPlanPoint p, float snap,
                    double& distance);
