#pragma once

#include "model/records.h"
#include "model/trace_index.h"

#include <cstdint>
#include <vector>

// A closed ring of segments found by one trace. Points holds Count + 1
// points; the last is where the walk closed, coinciding with the first.
// A discarded outline keeps its place in the list with Count 0.
struct TMyPolyPoints
{
    TFPoint2 Points;
    int32_t Count = 0;
    bool TopPlanar = true;
    bool BottomPlanar = true;
};

// Walks one trace over the slot's segments: from end `originEnd` (0 for end 1,
// 1 for end 2) of the start segment along it, then always on along the
// sharpest turn to the right, until the walk meets the start segment again,
// runs into an open end or has walked more than 100 segments. Appends the
// outline to OutlineList when the walk comes back to its origin around three
// or more segments. path is working storage, reused between traces.
void TraceOutline(const TTxy& segments, const TraceIndex& index, int32_t start, int32_t originEnd, TAI& path);

// Empties OutlineList and traces from every segment, first from end 1 to
// end 2 for all segments, then from end 2 to end 1.
void TraceSlotOutlines(const TTxy& segments, const TraceIndex& index);
