#include "check/plan_check.h"

#include "check/cell_table.h"
#include "check/finding_text.h"
#include "check/long_ring.h"
#include "check/near_marks.h"
#include "check/segment_grid.h"
#include "model/trace_index.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace
{

constexpr double SnapShare = 0.01;
constexpr double LongestSnap = 50;

// Every height mark of the drawing, for finding marks on other layers;
// gathered when first needed.
struct TAllMarks
{
    bool Gathered = false;
    std::vector<TPlanPoint> Points;
    std::vector<uint8_t> Slot;
    std::vector<int32_t> Line;
    PointGrid Grid;
};

// The indexes of one slot besides the build's own index of segment ends.
struct TSlotIndexes
{
    TCellTable NearMarks; // for marks within the snap distance; built when first needed
    bool NearMarksBuilt = false;
    TCellTable Segments; // for ends on the inside of a segment
};

// What the check reads and writes for one slot.
struct TSlotCheck
{
    int Slot;
    const TBuildRecord& Record;
    const LayerSlot& Layer;
    const TraceIndex& Clusters; // the build's index of the slot's segment ends
    TSlotIndexes& Index;
    TAllMarks& AllMarks;
    float LargestSnap;
    std::vector<TFinding>& Findings;
    std::vector<uint8_t> NearMarkReported = std::vector<uint8_t>(Layer.Marks.size(), 0);
};

TPlanPoint MarkPoint(const HeightMark& m)
{
    return {m.X, m.Y};
}

void GatherMarks(TAllMarks& all, const std::vector<LayerSlot>& slots)
{
    for (size_t s = 0; s < slots.size(); ++s)
        for (size_t m = 0; m < slots[s].Marks.size(); ++m)
        {
            all.Points.push_back(MarkPoint(slots[s].Marks[m]));
            all.Slot.push_back(uint8_t(s));
            all.Line.push_back(slots[s].MarkLines[m]);
        }
    BuildPointGrid(all.Grid, all.Points);
    all.Gathered = true;
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

// Some end of the slot's segments lies at p; with onlyUnmarked, one that
// took no heights from a mark of its slot.
bool HasEndAt(const TraceIndex& clusters, const LayerSlot& layer, TPlanPoint p, bool onlyUnmarked)
{
    bool found = false;
    ForEachNearbyCell(
        clusters.Grid, p.X, p.Y,
        [&](int32_t cell)
        {
            for (int32_t i = clusters.Grid.CellStart[cell]; i < clusters.Grid.CellStart[cell + 1]; ++i)
            {
                int32_t e = clusters.Grid.Items[i];
                found =
                    found || (Coincide(clusters.EndPoints[e], p) && (!onlyUnmarked || layer.EndMarks[e] < 0));
            }
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
    // Plus 0: a place at 0 is never shown as -0, nor the host's y of a plan y of 0.
    f.X = p.X + 0.0f;
    f.Y = -p.Y + 0.0f;
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
    if (!c.AllMarks.Gathered)
        GatherMarks(c.AllMarks, c.Record.Slots);
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
    if (!c.Index.NearMarksBuilt)
    {
        BuildNearMarks(c.Index.NearMarks, c.Layer.Marks, c.LargestSnap);
        c.Index.NearMarksBuilt = true;
    }
    double best = 0;
    int32_t nearest = NearestMark(c.Index.NearMarks, c.Layer.Marks, p, snap, best);
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
// segment that has one; -1 for the others. Segments are sorted by the
// clusters of their ends, so copies of one segment lie side by side; only
// ends whose cluster coincides with others need a search.
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
    for (size_t i = 1; i < byPair.size(); ++i)
        if (byPair[i].first == byPair[i - 1].first)
            earlier[byPair[i].second] =
                earlier[byPair[i - 1].second] >= 0 ? earlier[byPair[i - 1].second] : byPair[i - 1].second;
    for (const std::pair<uint64_t, int32_t>& entry : byPair)
    {
        int32_t s = entry.second;
        int32_t a = clusters.EndCluster[2 * s], b = clusters.EndCluster[2 * s + 1];
        if (clusters.ClusterAlone[a] && clusters.ClusterAlone[b])
            continue;
        ForEachCoincidingCluster(
            clusters, a,
            [&](int32_t nearA)
            {
                ForEachCoincidingCluster(
                    clusters, b,
                    [&](int32_t nearB)
                    {
                        auto first =
                            std::lower_bound(byPair.begin(), byPair.end(),
                                             std::pair<uint64_t, int32_t>{pairKey(nearA, nearB), -1});
                        if (first != byPair.end() && first->first == pairKey(nearA, nearB) &&
                            first->second < s && (earlier[s] < 0 || first->second < earlier[s]))
                            earlier[s] = first->second;
                    });
            });
    }
    return earlier;
}

void CheckSegments(TSlotCheck& c, int32_t closedOutlines, const TCheckOptions& options)
{
    const LayerSlot& layer = c.Layer;
    const TraceIndex& clusters = c.Clusters;
    const TTxy& segments = layer.Segments;
    bool hasMarks = !layer.Marks.empty();
    bool ringsExpected = closedOutlines > 0 || segments.size() >= 3;
    size_t clusterCount = clusters.ClusterPoint.size();
    // Per cluster, worked out once for all ends there: the segment it lies
    // inside of (-2: not yet known).
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
            marks[end] = layer.EndMarks[e];
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
        if (hasMarks && !GivesWall(s))
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
void CheckMarks(TSlotCheck& c)
{
    const std::vector<LayerSlot>& slots = c.Record.Slots;
    std::vector<uint8_t> taken(c.Layer.Marks.size(), 0);
    for (int32_t m : c.Layer.EndMarks)
        if (m >= 0)
            taken[m] = 1;
    for (size_t m = 0; m < c.Layer.Marks.size(); ++m)
    {
        TPlanPoint p = MarkPoint(c.Layer.Marks[m]);
        if (taken[m] || c.NearMarkReported[m] || HasEndAt(c.Clusters, c.Layer, p, false))
            continue;
        bool reportedThere = false;
        for (size_t t = 0; t < slots.size() && !reportedThere; ++t)
            reportedThere = int(t) != c.Slot && !slots[t].Segments.empty() &&
                            HasEndAt(c.Record.EndIndexes[t], slots[t], p, true);
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

void CheckRings(TSlotCheck& c)
{
    for (const std::vector<int32_t>& ring : FindLongRings(c.Layer.Segments, c.Clusters))
    {
        const SegmentRecord& first = c.Layer.Segments[ring.front()];
        TFindingDetail detail;
        detail.RingSize = ring.size();
        Report(c, MakeFinding(TFindingKind::LongRing, c.Slot, {first.X1, first.Y1}, LinesOf(c.Layer, ring)),
               detail);
    }
    for (const TUnflatOutline& outline : c.Record.UnflatOutlines)
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

} // namespace

std::vector<TFinding> CheckPlan(const TBuildRecord& record, const TCheckOptions& options)
{
    const std::vector<LayerSlot>& slots = record.Slots;
    TAllMarks allMarks;
    float largestSnap = options.SnapDistance ? std::max(*options.SnapDistance, 0.0f) : float(LongestSnap);
    std::vector<TFinding> findings;
    for (size_t s = 0; s < slots.size(); ++s)
    {
        TSlotIndexes index;
        BuildSegmentGrid(index.Segments, slots[s].Segments);
        TSlotCheck c{int(s), record, slots[s], record.EndIndexes[s], index, allMarks, largestSnap, findings};
        CheckSegments(c, record.ClosedOutlines[s], options);
        CheckMarks(c);
        CheckRings(c);
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
