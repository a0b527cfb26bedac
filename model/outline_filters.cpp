#include "common/tolerance.h"
#include "common/vector3.h"
#include "model/slabs.h"

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
    for (int32_t j = 1; j <= outline.Count - 2; ++j)
    {
        TVec3 before = Corner(outline, j - 1, top);
        TVec3 at = Corner(outline, j, top);
        TVec3 after = Corner(outline, j + 1, top);
        TVec3 beyond = Corner(outline, j + 2, top);
        TVec3 n1 = UnitNormal(before - at, after - at);
        TVec3 n2 = UnitNormal(at - after, beyond - after);
        TVec3 opposite = {-n1.X, -n1.Y, -n1.Z};
        if (!RoughlyZero(n2) && !RoughlyZero(n1) && !RoughlySame(n2, n1) && !RoughlySame(n2, opposite))
            return false;
    }
    return true;
}

} // namespace

void RemoveDuplicateOutlines()
{
    // The distinct segments of each outline, sorted.
    size_t count = OutlineList.size();
    std::vector<int32_t> linkStart(count + 1, 0);
    std::vector<int32_t> links;
    int32_t segmentCount = 0;
    for (size_t i = 0; i < count; ++i)
    {
        const TMyPolyPoints& outline = OutlineList[i];
        size_t first = links.size();
        for (int32_t k = 0; k < outline.Count; ++k)
            links.push_back(outline.Points[k].Link);
        std::sort(links.begin() + first, links.end());
        links.erase(std::unique(links.begin() + first, links.end()), links.end());
        linkStart[i + 1] = int32_t(links.size());
        if (links.size() > first)
            segmentCount = std::max(segmentCount, links.back() + 1);
    }

    // The outlines each segment belongs to, in list order.
    std::vector<int32_t> holderStart(segmentCount + 1, 0);
    for (int32_t s : links)
        ++holderStart[s + 1];
    for (int32_t s = 0; s < segmentCount; ++s)
        holderStart[s + 1] += holderStart[s];
    std::vector<int32_t> holders(links.size());
    std::vector<int32_t> fill(holderStart.begin(), holderStart.end() - 1);
    for (size_t i = 0; i < count; ++i)
        for (int32_t k = linkStart[i]; k < linkStart[i + 1]; ++k)
            holders[fill[links[k]]++] = int32_t(i);

    for (size_t a = 0; a < count; ++a)
    {
        int32_t n = OutlineList[a].Count;
        if (n == 0)
            continue;
        auto first = links.begin() + linkStart[a];
        auto last = links.begin() + linkStart[a + 1];
        // An outline holding all of a's segments holds its rarest one.
        int32_t rarest = *std::min_element(
            first, last,
            [&](int32_t x, int32_t y)
            { return holderStart[x + 1] - holderStart[x] < holderStart[y + 1] - holderStart[y]; });
        for (int32_t h = holderStart[rarest]; h < holderStart[rarest + 1]; ++h)
        {
            int32_t b = holders[h];
            if (size_t(b) == a || OutlineList[b].Count != n)
                continue;
            if (std::includes(links.begin() + linkStart[b], links.begin() + linkStart[b + 1], first, last))
                OutlineList[b].Count = 0;
        }
    }
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
