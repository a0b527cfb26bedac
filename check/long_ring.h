#pragma once

#include "model/records.h"
#include "model/trace_index.h"

#include <cstdint>
#include <vector>

// The closed rings of more than 100 segments of one slot, which no trace
// closes. Found without tracing: a ring whose every point joins exactly two
// segment ends is a chain that comes back to its start. Linear in the
// number of segments. clusters is the slot's BuildEndClusters. Each ring is
// given by its segment numbers, ascending.
std::vector<std::vector<int32_t>> FindLongRings(const TTxy& segments, const TraceIndex& clusters);
