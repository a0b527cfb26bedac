#include "model/trace_index.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace
{

constexpr float TwoPi = 6.28318530717958647692f;

// Clusters with more ends than this get a direction order; smaller ones are
// scanned. Any value gives the same choices: it only trades the cost of
// building and searching the order (a sort and a sparse table) against a
// plain scan, which is cheaper up to a few dozen ends.
constexpr int32_t CrowdedCluster = 32;

// Two ends of one segment closer than this in x and in y may both coincide
// with the same point: each lies within the tolerance of it, so they lie
// within twice the tolerance of each other, and a quarter of the tolerance
// more covers the rounding of the single-precision differences. An
// over-estimate costs nothing but an exact test of the end.
constexpr double ShortSegment = 2.5e-4; // 2.5 times the tolerance

float FullCircle(float a)
{
    return a < 0 ? a + TwoPi : a;
}

// The best candidate so far: largest Turn, of equal Turns the lowest segment.
struct Choice
{
    float Turn = -1000.0f;
    int32_t End = -1; // near end of the chosen segment
};

void Offer(Choice& best, float turn, int32_t end)
{
    if (turn > best.Turn || (best.End >= 0 && turn == best.Turn && end / 2 < best.End / 2))
    {
        best.Turn = turn;
        best.End = end;
    }
}

// What one step of a walk needs to know about where it stands.
struct Walker
{
    int32_t Current; // the segment walked last, no candidate
    TPlanPoint Point;
    float InAngle;
};

// An end of a segment near enough to its other end that the two may both
// coincide with one point; end 1 then decides.
bool MayShareAPoint(const SegmentRecord& s)
{
    return std::fabs(double(s.X1) - double(s.X2)) < ShortSegment &&
           std::fabs(double(s.Y1) - double(s.Y2)) < ShortSegment;
}

// Offers end e of a cluster coinciding with the walker's point, unless its
// segment is the current one or meets the point with end 1 instead.
void OfferEnd(const std::vector<TPlanPoint>& ends, const std::vector<float>& outAngle, const Walker& walker,
              int32_t e, Choice& best)
{
    int32_t s = e / 2;
    if (s == walker.Current)
        return;
    if (e % 2 == 1 && Coincide(ends[e - 1], walker.Point))
        return;
    Offer(best, Turn(walker.InAngle, outAngle[e]), e);
}

// The ends of a crowded cluster ordered by the direction a walk would leave
// them in. Along the order, starting after the walker's InAngle and wrapping
// round, Turn never decreases, so the largest Turn is at the end of that
// sequence and its ties form a run before it; a sparse table gives the lowest
// segment of the run.
struct DirectionOrder
{
    std::vector<float> Angle; // ascending
    std::vector<int32_t> End;
    std::vector<int32_t> MinAt; // level * size + i: position of the lowest segment in [i, i + 2^level)
    // Ends 2 of short segments, which are candidates only where end 1 is not:
    // offered one by one.
    std::vector<int32_t> Conditional;
};

int32_t LowerSegment(const DirectionOrder& order, int32_t a, int32_t b)
{
    if (a < 0)
        return b;
    if (b < 0)
        return a;
    return order.End[b] / 2 < order.End[a] / 2 ? b : a;
}

void BuildDirectionOrder(DirectionOrder& order, const TTxy& segments, const std::vector<float>& outAngle,
                         const int32_t* ends, int32_t count, std::vector<int32_t>& orderPosition)
{
    for (int32_t i = 0; i < count; ++i)
    {
        int32_t e = ends[i];
        const SegmentRecord& s = segments[e / 2];
        if (std::isnan(outAngle[e]))
            continue; // its Turn is NaN: never chosen
        if (e % 2 == 1 && s.X1 == s.X2 && s.Y1 == s.Y2)
            continue; // end 1 always meets where end 2 does
        if (e % 2 == 1 && MayShareAPoint(s))
            order.Conditional.push_back(e);
        else
            order.End.push_back(e);
    }
    std::stable_sort(order.End.begin(), order.End.end(),
                     [&](int32_t a, int32_t b) { return outAngle[a] < outAngle[b]; });
    int32_t m = int32_t(order.End.size());
    order.Angle.resize(m);
    for (int32_t i = 0; i < m; ++i)
    {
        order.Angle[i] = outAngle[order.End[i]];
        orderPosition[order.End[i]] = i;
    }
    int levels = std::bit_width(uint32_t(std::max(m, 1)));
    order.MinAt.assign(size_t(levels) * m, 0);
    for (int32_t i = 0; i < m; ++i)
        order.MinAt[i] = i;
    for (int level = 1; level < levels; ++level)
    {
        int32_t half = 1 << (level - 1);
        int32_t* row = &order.MinAt[size_t(level) * m];
        const int32_t* below = row - m;
        for (int32_t i = 0; i + 2 * half <= m; ++i)
            row[i] = LowerSegment(order, below[i], below[i + half]);
    }
}

// Position of the lowest segment in positions first to last, or -1 when empty.
int32_t RangeLowest(const DirectionOrder& order, int32_t first, int32_t last)
{
    if (first > last)
        return -1;
    int32_t m = int32_t(order.End.size());
    int level = std::bit_width(uint32_t(last - first + 1)) - 1;
    const int32_t* row = &order.MinAt[size_t(level) * m];
    return LowerSegment(order, row[first], row[last - (1 << level) + 1]);
}

// The same, leaving out the positions `skip` (-1 for none).
int32_t RangeLowestExcept(const DirectionOrder& order, int32_t first, int32_t last, const int32_t (&skip)[2])
{
    for (int32_t x : skip)
        if (x >= first && x <= last)
        {
            int32_t otherSkip[2] = {x == skip[0] ? skip[1] : skip[0], -1};
            return LowerSegment(order, RangeLowestExcept(order, first, x - 1, otherSkip),
                                RangeLowestExcept(order, x + 1, last, otherSkip));
        }
    return RangeLowest(order, first, last);
}

void SearchDirectionOrder(const DirectionOrder& order, const int32_t (&skip)[2], float inAngle, Choice& best)
{
    int32_t m = int32_t(order.End.size());
    if (m == 0)
        return;
    // Sequence position i is order position (k + i) mod m: first the angles
    // above InAngle (Turn below 2pi - InAngle), then the rest (Turn above).
    int32_t k =
        int32_t(std::upper_bound(order.Angle.begin(), order.Angle.end(), inAngle) - order.Angle.begin());
    auto at = [&](int32_t i) { return k + i < m ? k + i : k + i - m; };
    auto skipped = [&](int32_t position) { return position == skip[0] || position == skip[1]; };
    int32_t last = m - 1;
    while (last >= 0 && skipped(at(last)))
        --last;
    if (last < 0)
        return;
    float largest = Turn(inAngle, order.Angle[at(last)]);
    int32_t low = 0;
    int32_t high = last;
    while (low < high)
    {
        int32_t mid = low + (high - low) / 2;
        if (Turn(inAngle, order.Angle[at(mid)]) >= largest)
            high = mid;
        else
            low = mid + 1;
    }
    int32_t first = at(low);
    int32_t length = last - low + 1;
    int32_t lowest = first + length <= m
                         ? RangeLowestExcept(order, first, first + length - 1, skip)
                         : LowerSegment(order, RangeLowestExcept(order, first, m - 1, skip),
                                        RangeLowestExcept(order, 0, first + length - m - 1, skip));
    if (lowest >= 0)
        Offer(best, largest, order.End[lowest]);
}

void GroupClusters(TraceIndex& index, const std::vector<TPlanPoint>& ends)
{
    const PointGrid& grid = index.Grid;
    index.ClusterEnds = grid.Items;
    index.CellClusterStart.assign(grid.CellStart.size(), 0);
    index.ClusterEndStart.clear();
    index.ClusterPoint.clear();
    index.EndCluster.assign(ends.size(), -1);
    size_t cells = grid.CellStart.size() - 1;
    for (size_t c = 0; c < cells; ++c)
    {
        index.CellClusterStart[c] = int32_t(index.ClusterPoint.size());
        auto first = index.ClusterEnds.begin() + grid.CellStart[c];
        auto last = index.ClusterEnds.begin() + grid.CellStart[c + 1];
        std::sort(first, last,
                  [&](int32_t a, int32_t b)
                  {
                      if (ends[a].X != ends[b].X)
                          return ends[a].X < ends[b].X;
                      if (ends[a].Y != ends[b].Y)
                          return ends[a].Y < ends[b].Y;
                      return a < b;
                  });
        for (auto it = first; it != last; ++it)
        {
            TPlanPoint p = ends[*it];
            if (it == first || p.X != index.ClusterPoint.back().X || p.Y != index.ClusterPoint.back().Y)
            {
                index.ClusterEndStart.push_back(int32_t(it - index.ClusterEnds.begin()));
                index.ClusterPoint.push_back(p);
            }
            index.EndCluster[*it] = int32_t(index.ClusterPoint.size()) - 1;
        }
    }
    index.CellClusterStart[cells] = int32_t(index.ClusterPoint.size());
    index.ClusterEndStart.push_back(int32_t(index.ClusterEnds.size()));
}

// A cluster is alone unless another one in its cell, or, near the cell's edge,
// in the next cell, coincides with it.
void FindLoneClusters(TraceIndex& index)
{
    const PointGrid& grid = index.Grid;
    size_t cells = grid.CellStart.size() - 1;
    index.ClusterAlone.assign(index.ClusterPoint.size(), 1);
    for (size_t c = 0; c < cells; ++c)
        for (int32_t k = index.CellClusterStart[c]; k < index.CellClusterStart[c + 1]; ++k)
        {
            TPlanPoint p = index.ClusterPoint[k];
            auto look = [&](int32_t cell)
            {
                for (int32_t j = index.CellClusterStart[cell]; j < index.CellClusterStart[cell + 1]; ++j)
                    if (j != k && Coincide(index.ClusterPoint[j], p))
                        index.ClusterAlone[k] = 0;
            };
            CellAxis ax, ay;
            CellAxisOf(p.X, ax);
            CellAxisOf(p.Y, ay);
            if (ax.Near != 0 || ay.Near != 0)
                ForEachNearbyCell(grid, p.X, p.Y, look);
            else
                look(int32_t(c));
        }
}

// What the choice at every end is worked out from.
struct WalkTables
{
    const TraceIndex& Index;
    std::vector<float> OutAngle; // per end: the direction a walk leaves it in
    std::vector<DirectionOrder> Orders;
    std::vector<int32_t> OrderOf; // per cluster: its direction order, or -1
    // Per end: its place in its cluster's order, or -1; empty while no
    // cluster is crowded.
    std::vector<int32_t> OrderPosition;
};

// Offers the candidates of cluster k, which coincides with the walker's point.
void OfferCluster(const WalkTables& tables, const Walker& walker, int32_t k, Choice& best)
{
    const TraceIndex& index = tables.Index;
    if (tables.OrderOf[k] < 0)
    {
        for (int32_t i = index.ClusterEndStart[k]; i < index.ClusterEndStart[k + 1]; ++i)
            OfferEnd(index.EndPoints, tables.OutAngle, walker, index.ClusterEnds[i], best);
        return;
    }
    const DirectionOrder& order = tables.Orders[tables.OrderOf[k]];
    int32_t skip[2] = {-1, -1};
    for (int32_t j = 0; j < 2; ++j)
        if (index.EndCluster[2 * walker.Current + j] == k)
            skip[j] = tables.OrderPosition[2 * walker.Current + j];
    SearchDirectionOrder(order, skip, walker.InAngle, best);
    for (int32_t c : order.Conditional)
        OfferEnd(index.EndPoints, tables.OutAngle, walker, c, best);
}

} // namespace

float InAngle(float u, float v)
{
    return FullCircle(float(std::atan2(double(v), double(-u))));
}

float OutAngle(float dx, float dy)
{
    return FullCircle(float(std::atan2(double(-dy), double(dx))));
}

float Turn(float inAngle, float outAngle)
{
    if (outAngle > inAngle)
        return outAngle - inAngle;
    return outAngle - inAngle + TwoPi;
}

void BuildEndClusters(TraceIndex& index, const TTxy& segments)
{
    int32_t endCount = int32_t(2 * segments.size());
    std::vector<TPlanPoint>& ends = index.EndPoints;
    ends.resize(endCount);
    for (int32_t e = 0; e < endCount; ++e)
        ends[e] = EndPoint(segments, e);
    BuildPointGrid(index.Grid, ends);
    GroupClusters(index, ends);
    FindLoneClusters(index);
    index.Next.clear();
}

void BuildTraceIndex(TraceIndex& index, const TTxy& segments)
{
    BuildEndClusters(index, segments);
    int32_t endCount = int32_t(2 * segments.size());
    const std::vector<TPlanPoint>& ends = index.EndPoints;

    WalkTables tables{index, std::vector<float>(endCount), {}, {}, {}};
    for (int32_t e = 0; e < endCount; ++e)
        tables.OutAngle[e] = OutAngle(ends[e ^ 1].X - ends[e].X, ends[e ^ 1].Y - ends[e].Y);
    size_t clusters = index.ClusterPoint.size();
    tables.OrderOf.assign(clusters, -1);
    for (size_t k = 0; k < clusters; ++k)
    {
        int32_t count = index.ClusterEndStart[k + 1] - index.ClusterEndStart[k];
        if (count <= CrowdedCluster)
            continue;
        if (tables.OrderPosition.empty())
            tables.OrderPosition.assign(endCount, -1);
        tables.OrderOf[k] = int32_t(tables.Orders.size());
        BuildDirectionOrder(tables.Orders.emplace_back(), segments, tables.OutAngle,
                            &index.ClusterEnds[index.ClusterEndStart[k]], count, tables.OrderPosition);
    }

    index.Next.assign(endCount, -1);
    for (int32_t e = 0; e < endCount; ++e)
    {
        int32_t cluster = index.EndCluster[e];
        if (cluster < 0)
            continue;
        // The way back at e is the way out of e reversed, so its angle is
        // OutAngle[e]: the differences only change sign, exactly. Only where
        // both differences are zero do the zeros' signs give another angle.
        float u = ends[e].X - ends[e ^ 1].X;
        float v = ends[e].Y - ends[e ^ 1].Y;
        Walker walker{e / 2, ends[e], u == 0 && v == 0 ? InAngle(u, v) : tables.OutAngle[e]};
        if (std::isnan(walker.InAngle))
            continue; // every Turn would be NaN
        Choice best;
        ForEachCoincidingCluster(index, cluster, [&](int32_t k) { OfferCluster(tables, walker, k, best); });
        if (best.End >= 0)
            index.Next[e] = best.End ^ 1;
    }
}
