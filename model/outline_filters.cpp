#include "model/outline_filters.h"

#include "common/tolerance.h"
#include "common/vector3.h"
#include "model/model_tables.h"

#include <algorithm>
#include <utility>

namespace
{

// The cluster of the segment end that point `k` of outline was taken from.
int32_t ClusterOfPoint(const TTxy& segments, const TraceIndex& index, const TMyPolyPoints& outline, int32_t k)
{
    const TMyPolyPoint& p = outline.Points[k];
    int32_t s = k == 0 ? p.Link : outline.Points[k - 1].Link;
    TPlanPoint end1 = EndPoint(segments, 2 * s);
    return index.EndCluster[end1.X == p.X && end1.Y == p.Y ? 2 * s : 2 * s + 1];
}

// Points j and k are not neighbours on an outline of count points.
bool Divides(int32_t j, int32_t k, int32_t count)
{
    int32_t a = std::min(j, k);
    int32_t b = std::max(j, k);
    return b - a >= 2 && !(a == 0 && b == count - 1);
}

// A segment joins two points of the outline that are not neighbours.
bool IsDivided(const TTxy& segments, const TraceIndex& index, const TMyPolyPoints& outline,
               std::vector<std::pair<int32_t, int32_t>>& pointsNear)
{
    // Every cluster that coincides with a point, with that point.
    pointsNear.clear();
    for (int32_t j = 0; j < outline.Count; ++j)
    {
        int32_t cluster = ClusterOfPoint(segments, index, outline, j);
        if (cluster >= 0)
            ForEachCoincidingCluster(index, cluster, [&](int32_t k) { pointsNear.push_back({k, j}); });
    }
    std::sort(pointsNear.begin(), pointsNear.end());
    for (auto [cluster, j] : pointsNear)
        for (int32_t i = index.ClusterEndStart[cluster]; i < index.ClusterEndStart[cluster + 1]; ++i)
        {
            int32_t far = index.EndCluster[index.ClusterEnds[i] ^ 1];
            if (far < 0)
                continue;
            auto match =
                std::lower_bound(pointsNear.begin(), pointsNear.end(), std::pair<int32_t, int32_t>{far, 0});
            for (; match != pointsNear.end() && match->first == far; ++match)
                if (Divides(j, match->second, outline.Count))
                    return true;
        }
    return false;
}

TVec3 Corner(const TMyPolyPoints& outline, int32_t k, bool top)
{
    const TMyPolyPoint& p = outline.Points[k];
    return {p.X, top ? p.Top : p.Bottom, p.Y};
}

bool RoughlyZero(TVec3 n)
{
    return RoughlyEqual(n.X, 0) && RoughlyEqual(n.Y, 0) && RoughlyEqual(n.Z, 0);
}

bool RoughlySame(TVec3 a, TVec3 b)
{
    return RoughlyEqual(a.X, b.X) && RoughlyEqual(a.Y, b.Y) && RoughlyEqual(a.Z, b.Z);
}

// The normals at every two successive corners agree: equal, opposite (a
// convex and a reflex corner), or one of them near zero (a straight corner).
bool IsPlanar(const TMyPolyPoints& outline, bool top)
{
    // The normal at corner j + 1 of one pair is the normal at the next pair's
    // first corner, so each corner's normal is worked out once.
    auto normalAt = [&](int32_t j)
    {
        TVec3 at = Corner(outline, j, top);
        return UnitNormal(Corner(outline, j - 1, top) - at, Corner(outline, j + 1, top) - at);
    };
    TVec3 n2 = normalAt(1);
    for (int32_t j = 1; j <= outline.Count - 2; ++j)
    {
        TVec3 n1 = n2;
        n2 = normalAt(j + 1);
        TVec3 opposite = {-n1.X, -n1.Y, -n1.Z};
        if (!RoughlyZero(n2) && !RoughlyZero(n1) && !RoughlySame(n2, n1) && !RoughlySame(n2, opposite))
            return false;
    }
    return true;
}

// Numbers grouped by owner: those of owner i are Items[Start[i]] to
// Items[Start[i + 1] - 1].
struct GroupedLists
{
    std::vector<int32_t> Start;
    std::vector<int32_t> Items;
};

// The distinct segments of each outline, sorted.
GroupedLists SegmentsOfOutlines()
{
    GroupedLists lists;
    lists.Start.assign(OutlineList.size() + 1, 0);
    for (size_t i = 0; i < OutlineList.size(); ++i)
    {
        const TMyPolyPoints& outline = OutlineList[i];
        size_t first = lists.Items.size();
        for (int32_t k = 0; k < outline.Count; ++k)
        {
            // Sorted while filled: most outlines have a handful of segments.
            int32_t link = outline.Points[k].Link;
            lists.Items.push_back(link);
            size_t at = lists.Items.size() - 1;
            for (; at > first && lists.Items[at - 1] > link; --at)
                lists.Items[at] = lists.Items[at - 1];
            lists.Items[at] = link;
        }
        lists.Items.erase(std::unique(lists.Items.begin() + first, lists.Items.end()), lists.Items.end());
        lists.Start[i + 1] = int32_t(lists.Items.size());
    }
    return lists;
}

// The outlines each segment belongs to, in list order.
GroupedLists OutlinesOfSegments(const GroupedLists& segments)
{
    int32_t segmentCount = 0;
    for (int32_t s : segments.Items)
        segmentCount = std::max(segmentCount, s + 1);
    GroupedLists lists;
    lists.Start.assign(segmentCount + 1, 0);
    for (int32_t s : segments.Items)
        ++lists.Start[s + 1];
    for (int32_t s = 0; s < segmentCount; ++s)
        lists.Start[s + 1] += lists.Start[s];
    lists.Items.resize(segments.Items.size());
    std::vector<int32_t> fill(lists.Start.begin(), lists.Start.end() - 1);
    for (size_t i = 0; i + 1 < segments.Start.size(); ++i)
        for (int32_t k = segments.Start[i]; k < segments.Start[i + 1]; ++k)
            lists.Items[fill[segments.Items[k]]++] = int32_t(i);
    return lists;
}

} // namespace

void RemoveDuplicateOutlines()
{
    GroupedLists segments = SegmentsOfOutlines();
    GroupedLists holders = OutlinesOfSegments(segments);
    // The counts, kept together while outlines are compared.
    std::vector<int32_t> counts(OutlineList.size());
    for (size_t i = 0; i < OutlineList.size(); ++i)
        counts[i] = OutlineList[i].Count;
    for (size_t a = 0; a < counts.size(); ++a)
    {
        int32_t n = counts[a];
        if (n == 0)
            continue;
        auto first = segments.Items.begin() + segments.Start[a];
        auto last = segments.Items.begin() + segments.Start[a + 1];
        // An outline holding all of a's segments holds its rarest one.
        int32_t rarest = *std::min_element(
            first, last,
            [&](int32_t x, int32_t y)
            { return holders.Start[x + 1] - holders.Start[x] < holders.Start[y + 1] - holders.Start[y]; });
        for (int32_t h = holders.Start[rarest]; h < holders.Start[rarest + 1]; ++h)
        {
            int32_t b = holders.Items[h];
            if (size_t(b) == a || counts[b] != n)
                continue;
            auto other = segments.Items.begin();
            if (std::includes(other + segments.Start[b], other + segments.Start[b + 1], first, last))
                counts[b] = 0;
        }
    }
    for (size_t i = 0; i < OutlineList.size(); ++i)
        OutlineList[i].Count = counts[i];
}

void RemoveDividedOutlines(const TTxy& segments, const TraceIndex& index)
{
    std::vector<std::pair<int32_t, int32_t>> pointsNear;
    for (TMyPolyPoints& outline : OutlineList)
        if (outline.Count > 3 && IsDivided(segments, index, outline, pointsNear))
            outline.Count = 0;
}

void TestOutlineFlatness()
{
    for (TMyPolyPoints& outline : OutlineList)
    {
        if (outline.Count <= 3)
            continue;
        outline.TopPlanar = IsPlanar(outline, true);
        outline.BottomPlanar = IsPlanar(outline, false);
    }
}
