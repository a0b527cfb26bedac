#include "check/long_ring.h"

#include <numeric>

namespace
{

// Rings of up to this many segments are traced and become slabs.
constexpr size_t LongestRing = 100;

int32_t Root(std::vector<int32_t>& parent, int32_t i)
{
    while (parent[i] != i)
    {
        parent[i] = parent[parent[i]];
        i = parent[i];
    }
    return i;
}

} // namespace

std::vector<std::vector<int32_t>> FindLongRings(const TTxy& segments, const TraceIndex& clusters)
{
    int32_t count = int32_t(segments.size());
    std::vector<int32_t> parent(count);
    std::iota(parent.begin(), parent.end(), 0);
    std::vector<int32_t> size(count, 1);
    // A segment with an end where other than two ends meet is on no such ring.
    std::vector<uint8_t> branched(count, 0);
    for (int32_t e = 0; e < 2 * count; ++e)
        if (clusters.EndCluster[e] < 0)
            branched[e / 2] = 1;

    int32_t clusterCount = int32_t(clusters.ClusterPoint.size());
    for (int32_t k = 0; k < clusterCount; ++k)
    {
        int32_t met[2] = {-1, -1};
        int32_t ends = 0;
        ForEachCoincidingCluster(clusters, k,
                                 [&](int32_t j)
                                 {
                                     for (int32_t i = clusters.ClusterEndStart[j];
                                          i < clusters.ClusterEndStart[j + 1]; ++i, ++ends)
                                         if (ends < 2)
                                             met[ends] = clusters.ClusterEnds[i];
                                 });
        if (ends != 2 || met[0] / 2 == met[1] / 2)
        {
            for (int32_t i = clusters.ClusterEndStart[k]; i < clusters.ClusterEndStart[k + 1]; ++i)
                branched[clusters.ClusterEnds[i] / 2] = 1;
            continue;
        }
        int32_t a = Root(parent, met[0] / 2);
        int32_t b = Root(parent, met[1] / 2);
        if (a == b)
            continue;
        if (size[a] < size[b])
            std::swap(a, b);
        parent[b] = a;
        size[a] += size[b];
    }

    std::vector<uint8_t> rootBranched(count, 0);
    for (int32_t s = 0; s < count; ++s)
        if (branched[s])
            rootBranched[Root(parent, s)] = 1;
    std::vector<std::vector<int32_t>> rings;
    std::vector<int32_t> ringOf(count, -1);
    for (int32_t s = 0; s < count; ++s)
    {
        int32_t root = Root(parent, s);
        if (rootBranched[root] || size_t(size[root]) <= LongestRing)
            continue;
        if (ringOf[root] < 0)
        {
            ringOf[root] = int32_t(rings.size());
            rings.emplace_back();
        }
        rings[ringOf[root]].push_back(s);
    }
    return rings;
}
