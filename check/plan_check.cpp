#include "check/plan_check.h"

#include "check/cell_table.h"
#include "check/finding_text.h"
#include "check/long_ring.h"
#include "check/segment_grid.h"
#include "common/tolerance.h"
#include "model/trace_index.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace
{

constexpr double SnapShare = 0.01;
constexpr double LongestSnap = 50;

// Every height mark of the drawing, for finding marks on other layers.
struct TAllMarks
{
    std::vector<TPlanPoint> Points;
    std::vector<uint8_t> Slot;
    std::vector<int32_t> Line;
    PointGrid Grid;
};

// The indexes of one slot, each used by several kinds.
struct TSlotIndexes
{
    TraceIndex Clusters;  // of the segment ends
    PointGrid Marks;      // the model's own, for marks that match an end
    TCellTable NearMarks; // for marks within the snap distance
    TCellTable Segments;  // for ends on the inside of a segment
};

// What the check reads and writes for one slot.
struct TSlotCheck
{
    int Slot;
    const LayerSlot& Layer;
    const TSlotIndexes& Index;
    const TAllMarks& AllMarks;
    std::vector<TFinding>& Findings;
    std::vector<uint8_t> NearMarkReported = std::vector<uint8_t>(Layer.Marks.size(), 0);
};

TPlanPoint MarkPoint(const HeightMark& m)
{
    return {m.X, m.Y};
}

// The last mark of the slot at p, as height assignment takes it; -1 for none.
int32_t LastMarkAt(const PointGrid& grid, const std::vector<HeightMark>& marks, TPlanPoint p)
{
    int32_t last = -1;
    ForEachNearbyCell(grid, p.X, p.Y,
                      [&](int32_t cell)
                      {
                          for (int32_t i = grid.CellStart[cell]; i < grid.CellStart[cell + 1]; ++i)
                              if (grid.Items[i] > last && Coincide(MarkPoint(marks[grid.Items[i]]), p))
                                  last = grid.Items[i];
                      });
    return last;
}

// The mark of another slot than `slot` at p that comes first in the file; -1 for none.
int32_t OtherSlotMarkAt(const TAllMarks& all, int slot, TPlanPoint p)
{
    int32_t found = -1;
    ForEachNearbyCell(all.Grid, p.X, p.Y,
                      [&](int32_t cell)
                      {
                          for (int32_t i = all.Grid.CellStart[cell]; i < all.Grid.CellStart[cell + 1]; ++i)
                          {
                              int32_t m = all.Grid.Items[i];
                              if (all.Slot[m] != slot && (found < 0 || all.Line[m] < all.Line[found]) &&
                                  Coincide(all.Points[m], p))
                                  found = m;
                          }
                      });
    return found;
}

// Some end of the slot's segments lies at p.
bool HasEndAt(const TraceIndex& clusters, TPlanPoint p)
{
    bool found = false;
    ForEachNearbyCell(clusters.Grid, p.X, p.Y,
                      [&](int32_t cell)
                      {
                          for (int32_t i = clusters.Grid.CellStart[cell];
                               i < clusters.Grid.CellStart[cell + 1]; ++i)
                              found = found || Coincide(clusters.EndPoints[clusters.Grid.Items[i]], p);
                      });
    return found;
}

// Another segment's end meets end e.
bool MeetsAnotherEnd(const TraceIndex& clusters, int32_t e)
{
    int32_t ends = 0;
    ForEachCoincidingCluster(clusters, clusters.EndCluster[e],
                             [&](int32_t k)
                             { ends += clusters.ClusterEndStart[k + 1] - clusters.ClusterEndStart[k]; });
    int32_t own = 1 + int32_t(Coincide(clusters.EndPoints[e ^ 1], clusters.EndPoints[e]));
    return ends > own;
}

TFinding MakeFinding(TFindingKind kind, int slot, TPlanPoint p, std::vector<int32_t> lines)
{
    TFinding f;
    f.Kind = kind;
    f.Slot = uint8_t(slot);
    f.X = p.X;
    f.Y = -p.Y;
    f.Lines = std::move(lines);
    return f;
}

void Report(TSlotCheck& c, TFinding f, const TFindingDetail& detail = {})
{
    DescribeFinding(f, detail);
    c.Findings.push_back(std::move(f));
}

float SnapDistance(const SegmentRecord& s, const TCheckOptions& options)
{
    if (options.SnapDistance)
        return *options.SnapDistance;
    double length = std::hypot(double(s.X2) - s.X1, double(s.Y2) - s.Y1);
    return float(std::min(SnapShare * length, LongestSnap));
}

// The end has no mark of its own slot: a mark of another slot there, one of
// its own slot nearby, or none.
void CheckUnmatchedEnd(TSlotCheck& c, int32_t segment, TPlanPoint p, float snap)
{
    int32_t line = c.Layer.SegmentLines[segment];
    int32_t other = OtherSlotMarkAt(c.AllMarks, c.Slot, p);
    if (other >= 0)
    {
        TFindingDetail detail;
        detail.OtherSlot = c.AllMarks.Slot[other];
        Report(c, MakeFinding(TFindingKind::MarkOtherLayer, c.Slot, p, {line, c.AllMarks.Line[other]}),
               detail);
        return;
    }
    if (c.Layer.Marks.empty())
        return;
    int32_t nearest = -1;
    double best = snap;
    if (snap > 0)
        ForEachItemNear(c.Index.NearMarks, p.X, p.Y, snap,
                        [&](int32_t m)
                        {
                            const HeightMark& mark = c.Layer.Marks[m];
                            double d = std::hypot(double(mark.X) - p.X, double(mark.Y) - p.Y);
                            if (d < best || (d == best && (nearest < 0 || m < nearest)))
                            {
                                best = d;
                                nearest = m;
                            }
                        });
    if (nearest < 0)
    {
        Report(c, MakeFinding(TFindingKind::UnmarkedEnd, c.Slot, p, {line}));
        return;
    }
    c.NearMarkReported[nearest] = 1;
    TFinding f = MakeFinding(TFindingKind::NearMark, c.Slot, p, {line, c.Layer.MarkLines[nearest]});
    f.Distance = float(best);
    Report(c, std::move(f));
}

TNoWallReason NoWallReason(const LayerSlot& layer, int32_t mark1, int32_t mark2)
{
    if (mark1 < 0 && mark2 < 0)
        return TNoWallReason::BothUnmarked;
    auto single = [&](int32_t m) { return m < 0 || layer.MarkSingleNumber[m]; };
    return single(mark1) && single(mark2) ? TNoWallReason::SingleNumbers : TNoWallReason::EqualHeights;
}

// The earlier segment with the same two ends, either way round, for every
// segment that has one; -1 for the others. Ends are paired by cluster, so a
// drawing of many copies of one segment costs no more than one of distinct ones.
std::vector<int32_t> EarlierDuplicates(const TTxy& segments, const TraceIndex& clusters)
{
    auto pairKey = [](int32_t a, int32_t b)
    { return uint64_t(uint32_t(std::min(a, b))) << 32 | uint32_t(std::max(a, b)); };
    std::vector<std::pair<uint64_t, int32_t>> byPair;
    byPair.reserve(segments.size());
    for (int32_t s = 0; s < int32_t(segments.size()); ++s)
        if (clusters.EndCluster[2 * s] >= 0 && clusters.EndCluster[2 * s + 1] >= 0)
            byPair.push_back({pairKey(clusters.EndCluster[2 * s], clusters.EndCluster[2 * s + 1]), s});
    std::sort(byPair.begin(), byPair.end());

    std::vector<int32_t> earlier(segments.size(), -1);
    for (auto [key, s] : byPair)
        ForEachCoincidingCluster(
            clusters, clusters.EndCluster[2 * s],
            [&](int32_t a)
            {
                ForEachCoincidingCluster(
                    clusters, clusters.EndCluster[2 * s + 1],
                    [&](int32_t b)
                    {
                        auto first = std::lower_bound(byPair.begin(), byPair.end(),
                                                      std::pair<uint64_t, int32_t>{pairKey(a, b), -1});
                        if (first != byPair.end() && first->first == pairKey(a, b) && first->second < s &&
                            (earlier[s] < 0 || first->second < earlier[s]))
                            earlier[s] = first->second;
                    });
            });
    return earlier;
}

void CheckSegments(TSlotCheck& c, int32_t closedOutlines, const TCheckOptions& options)
{
    const LayerSlot& layer = c.Layer;
    const TraceIndex& clusters = c.Index.Clusters;
    const TTxy& segments = layer.Segments;
    bool hasMarks = !layer.Marks.empty();
    bool ringsExpected = closedOutlines > 0 || segments.size() >= 3;
    size_t clusterCount = clusters.ClusterPoint.size();
    // Per cluster, worked out once for all ends there: the last mark of the
    // slot on it and the segment it lies inside of (-2: not yet known).
    std::vector<int32_t> markOn(clusterCount, -2);
    std::vector<int32_t> inside(clusterCount, -2);
    std::vector<int32_t> duplicateOf = EarlierDuplicates(segments, clusters);

    for (int32_t i = 0; i < int32_t(segments.size()); ++i)
    {
        const SegmentRecord& s = segments[i];
        int32_t line = layer.SegmentLines[i];
        int32_t marks[2] = {-1, -1};
        for (int32_t end = 0; end < 2; ++end)
        {
            int32_t e = 2 * i + end;
            int32_t k = clusters.EndCluster[e];
            if (k < 0)
                continue;
            TPlanPoint p = clusters.EndPoints[e];
            if (markOn[k] == -2)
                markOn[k] = LastMarkAt(c.Index.Marks, layer.Marks, p);
            marks[end] = markOn[k];
            if (marks[end] < 0)
                CheckUnmatchedEnd(c, i, p, SnapDistance(s, options));
            if (inside[k] == -2)
                inside[k] = SegmentThrough(c.Index.Segments, segments, p);
            if (inside[k] >= 0)
            {
                TFindingDetail detail;
                detail.OtherLine = layer.SegmentLines[inside[k]];
                Report(c, MakeFinding(TFindingKind::EndOnSegment, c.Slot, p, {line, detail.OtherLine}),
                       detail);
            }
            else if (ringsExpected && !MeetsAnotherEnd(clusters, e))
                Report(c, MakeFinding(TFindingKind::OpenEnd, c.Slot, p, {line}));
        }
        TPlanPoint first = {s.X1, s.Y1};
        if (hasMarks && NearlyEqual(s.Top1, s.Bottom1) && NearlyEqual(s.Top2, s.Bottom2))
        {
            TFindingDetail detail;
            detail.Reason = NoWallReason(layer, marks[0], marks[1]);
            Report(c, MakeFinding(TFindingKind::NoWall, c.Slot, first, {line}), detail);
        }
        if (duplicateOf[i] >= 0)
        {
            TFindingDetail detail;
            detail.OtherLine = layer.SegmentLines[duplicateOf[i]];
            Report(c, MakeFinding(TFindingKind::DuplicateSegment, c.Slot, first, {line, detail.OtherLine}),
                   detail);
        }
    }
}

// A mark on no end of its slot. One that an end reports already is left
// out: a mark near an end of its slot, or on an end of another slot whose
// own marks miss it.
void CheckMarks(TSlotCheck& c, const std::vector<TSlotIndexes>& indexes, const std::vector<LayerSlot>& slots)
{
    for (size_t m = 0; m < c.Layer.Marks.size(); ++m)
    {
        TPlanPoint p = MarkPoint(c.Layer.Marks[m]);
        if (c.NearMarkReported[m] || HasEndAt(c.Index.Clusters, p))
            continue;
        bool reportedThere = false;
        for (size_t t = 0; t < slots.size() && !reportedThere; ++t)
            reportedThere = int(t) != c.Slot && !slots[t].Segments.empty() &&
                            HasEndAt(indexes[t].Clusters, p) &&
                            LastMarkAt(indexes[t].Marks, slots[t].Marks, p) < 0;
        if (!reportedThere)
            Report(c, MakeFinding(TFindingKind::LoneMark, c.Slot, p, {c.Layer.MarkLines[m]}));
    }
}

std::vector<int32_t> LinesOf(const LayerSlot& layer, std::vector<int32_t> segments)
{
    std::sort(segments.begin(), segments.end());
    for (int32_t& s : segments)
        s = layer.SegmentLines[s];
    return segments;
}

void CheckRings(TSlotCheck& c, const TBuildRecord& record)
{
    for (const std::vector<int32_t>& ring : FindLongRings(c.Layer.Segments, c.Index.Clusters))
    {
        const SegmentRecord& first = c.Layer.Segments[ring.front()];
        TFindingDetail detail;
        detail.RingSize = ring.size();
        Report(c, MakeFinding(TFindingKind::LongRing, c.Slot, {first.X1, first.Y1}, LinesOf(c.Layer, ring)),
               detail);
    }
    for (const TUnflatOutline& outline : record.UnflatOutlines)
        if (outline.Slot == c.Slot)
        {
            TFindingDetail detail;
            detail.TopMade = outline.TopFlat;
            Report(
                c,
                MakeFinding(TFindingKind::NotFlat, c.Slot, outline.First, LinesOf(c.Layer, outline.Segments)),
                detail);
        }
}

void BuildSlotIndexes(TSlotIndexes& index, const LayerSlot& layer, float largestSnap)
{
    BuildEndClusters(index.Clusters, layer.Segments);
    std::vector<TPlanPoint> points(layer.Marks.size());
    double largest = 0;
    for (size_t m = 0; m < layer.Marks.size(); ++m)
    {
        points[m] = MarkPoint(layer.Marks[m]);
        if (std::isfinite(points[m].X) && std::isfinite(points[m].Y))
            largest = std::max({largest, std::fabs(double(points[m].X)), std::fabs(double(points[m].Y))});
    }
    BuildPointGrid(index.Marks, points);
    index.NearMarks.CellSize = CellSizeFor(largestSnap, largest);
    std::vector<std::pair<uint64_t, int32_t>> entries;
    for (size_t m = 0; m < points.size(); ++m)
        if (std::isfinite(points[m].X) && std::isfinite(points[m].Y))
            entries.push_back({CellKey(CellNumber(points[m].X, index.NearMarks.CellSize),
                                       CellNumber(points[m].Y, index.NearMarks.CellSize)),
                               int32_t(m)});
    FillCellTable(index.NearMarks, entries);
    BuildSegmentGrid(index.Segments, layer.Segments);
}

void CollectMarks(TAllMarks& all, const std::vector<LayerSlot>& slots)
{
    for (size_t s = 0; s < slots.size(); ++s)
        for (size_t m = 0; m < slots[s].Marks.size(); ++m)
        {
            all.Points.push_back(MarkPoint(slots[s].Marks[m]));
            all.Slot.push_back(uint8_t(s));
            all.Line.push_back(slots[s].MarkLines[m]);
        }
    BuildPointGrid(all.Grid, all.Points);
}

} // namespace

std::vector<TFinding> CheckPlan(const TBuildRecord& record, const TCheckOptions& options)
{
    const std::vector<LayerSlot>& slots = record.Slots;
    TAllMarks allMarks;
    CollectMarks(allMarks, slots);
    float largestSnap = options.SnapDistance ? std::max(*options.SnapDistance, 0.0f) : float(LongestSnap);
    std::vector<TSlotIndexes> indexes(slots.size());
    for (size_t s = 0; s < slots.size(); ++s)
        BuildSlotIndexes(indexes[s], slots[s], largestSnap);

    std::vector<TFinding> findings;
    for (size_t s = 0; s < slots.size(); ++s)
    {
        TSlotCheck c{int(s), slots[s], indexes[s], allMarks, findings};
        CheckSegments(c, record.ClosedOutlines[s], options);
        CheckMarks(c, indexes, slots);
        CheckRings(c, record);
    }
    std::stable_sort(findings.begin(), findings.end(),
                     [](const TFinding& a, const TFinding& b)
                     {
                         if (a.Slot != b.Slot)
                             return a.Slot < b.Slot;
                         return a.Lines.front() < b.Lines.front();
                     });
    return findings;
}
