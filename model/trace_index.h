#pragma once

#include "common/tolerance.h"
#include "model/point_grid.h"
#include "model/records.h"

#include <cstdint>
#include <vector>

// The index behind the outline walk.
//
// The plain walk: standing at a point after walking a segment, look at every
// segment end of the slot that coincides with the point (NearlyEqual in x and
// in y), leave out the segment just walked, and go on along the one whose
// direction turns furthest clockwise from the way back; ties go to the lowest
// segment number. Done by scanning all segments, every step of every trace
// costs the whole slot, and a slot of n segments takes n^2 work per trace.
//
// What is indexed: the segment ends of one slot. Ends with identical
// coordinates form a cluster; the clusters are filed in a grid of cells
// wider than the tolerance (point_grid.h), so the clusters coinciding with a
// point lie in its cell or the next one. Most clusters coincide with no other
// and are marked alone.
//
// How a step finds its candidate: the choice at an end depends only on that
// end (the point and the way back), never on the trace that got there. So it
// is worked out once per end, in BuildTraceIndex, and stored in Next: a trace
// step is then one lookup. Working it out offers every end of every cluster
// coinciding with the point; a crowded cluster (a star of many segments
// through one point) is searched through its ends sorted by direction instead
// of end by end.
//
// Segment ends are numbered 2s (end 1 of segment s) and 2s + 1 (end 2). A walk
// standing at end e has just walked segment e / 2 towards e.

// Angles of the outline walk, in single precision and in [0, 2pi]: InAngle of
// the incoming direction (u, v), reversed; OutAngle of a candidate direction
// (dx, dy); Turn, the angle swept clockwise from the first to the second, in
// (0, 2pi]. NaN directions give NaN, which no comparison selects.
float InAngle(float u, float v);
float OutAngle(float dx, float dy);
float Turn(float inAngle, float outAngle);

// One slot's segment ends arranged for the outline walk. Ends with identical
// coordinates form a cluster; clusters that coincide (NearlyEqual in x and y)
// are found through the grid. For every end a walk can stand at, the end the
// walk moves to next is worked out once, so a trace step costs a lookup.
struct TraceIndex
{
    std::vector<TPlanPoint> EndPoints; // by end number
    PointGrid Grid;                    // of all ends
    std::vector<int32_t> EndCluster;   // per end; -1 for a non-finite end
    // Clusters of cell c: CellClusterStart[c] to CellClusterStart[c + 1] - 1.
    std::vector<int32_t> CellClusterStart;
    std::vector<TPlanPoint> ClusterPoint;
    std::vector<uint8_t> ClusterAlone; // no other cluster coincides with it
    // Ends of cluster k, ascending: ClusterEnds[ClusterEndStart[k]] to
    // ClusterEnds[ClusterEndStart[k + 1] - 1].
    std::vector<int32_t> ClusterEndStart;
    std::vector<int32_t> ClusterEnds;
    // Per end e: the end a walk standing at e stands at after its next step,
    // when the start segment is not met there; -1 where the walk stops.
    std::vector<int32_t> Next;
};

void BuildTraceIndex(TraceIndex& index, const TTxy& segments);

// The first part of BuildTraceIndex alone: end points, grid and clusters,
// with Next left empty. For readers that need which ends meet, not the walk.
void BuildEndClusters(TraceIndex& index, const TTxy& segments);

inline TPlanPoint EndPoint(const TTxy& segments, int32_t end)
{
    const SegmentRecord& s = segments[end / 2];
    return end % 2 == 0 ? TPlanPoint{s.X1, s.Y1} : TPlanPoint{s.X2, s.Y2};
}

inline bool Coincide(TPlanPoint a, TPlanPoint b)
{
    return NearlyEqual(a.X, b.X) && NearlyEqual(a.Y, b.Y);
}

// Calls visit(k) for every cluster k that coincides with cluster c, c included.
template <class Visit> void ForEachCoincidingCluster(const TraceIndex& index, int32_t c, Visit&& visit)
{
    if (index.ClusterAlone[c])
    {
        visit(c);
        return;
    }
    TPlanPoint p = index.ClusterPoint[c];
    ForEachNearbyCell(index.Grid, p.X, p.Y,
                      [&](int32_t cell)
                      {
                          for (int32_t k = index.CellClusterStart[cell]; k < index.CellClusterStart[cell + 1];
                               ++k)
                              if (Coincide(index.ClusterPoint[k], p))
                                  visit(k);
                      });
}
