#include "check/segment_grid.h"

#include "common/tolerance.h"
#include "model/trace_index.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace
{

bool IsFinite(const SegmentRecord& s)
{
    return std::isfinite(s.X1) && std::isfinite(s.Y1) && std::isfinite(s.X2) && std::isfinite(s.Y2);
}

// Files segment i under every cell its line passes through, walking the
// cells column by column along its longer axis; margin widens the band so
// that rounding cannot drop a cell.
void FileSegment(double a0, double b0, double a1, double b1, bool swapped, double size, int32_t i,
                 std::vector<TCellEntry>& entries)
{
    if (a1 < a0)
    {
        std::swap(a0, a1);
        std::swap(b0, b1);
    }
    const double margin = 2.0 * NearTolerance;
    int64_t first = CellNumber(a0 - margin, size);
    int64_t last = CellNumber(a1 + margin, size);
    for (int64_t c = first; c <= last; ++c)
    {
        double lo = std::max(a0, (double(c) - 0.5) * size);
        double hi = std::min(a1, (double(c) + 0.5) * size);
        double bLo = b0, bHi = b1;
        if (a1 > a0)
        {
            lo = std::min(lo, hi);
            bLo = b0 + (b1 - b0) * ((lo - a0) / (a1 - a0));
            bHi = b0 + (b1 - b0) * ((hi - a0) / (a1 - a0));
        }
        int64_t rowFirst = CellNumber(std::min(bLo, bHi) - margin, size);
        int64_t rowLast = CellNumber(std::max(bLo, bHi) + margin, size);
        for (int64_t r = rowFirst; r <= rowLast; ++r)
            entries.push_back(swapped ? TCellEntry{r, c, i} : TCellEntry{c, r, i});
    }
}

// Narrows [t0, t1] to where d * t < q; false when nothing can remain.
bool Clip(double d, double q, double& t0, double& t1)
{
    if (d == 0)
        return q > 0;
    if (d > 0)
        t1 = std::min(t1, q / d);
    else
        t0 = std::max(t0, q / d);
    return true;
}

// Some point of the segment lies within the tolerance of p on both axes: the
// segment clipped to the tolerance square is not empty.
bool PassesNear(const SegmentRecord& s, TPlanPoint p)
{
    const double tol = NearTolerance;
    double x0 = s.X1, y0 = s.Y1, dx = double(s.X2) - x0, dy = double(s.Y2) - y0;
    double t0 = 0, t1 = 1;
    return Clip(dx, p.X + tol - x0, t0, t1) && Clip(-dx, x0 - (p.X - tol), t0, t1) &&
           Clip(dy, p.Y + tol - y0, t0, t1) && Clip(-dy, y0 - (p.Y - tol), t0, t1) && t0 <= t1;
}

} // namespace

bool PassesThrough(const SegmentRecord& s, TPlanPoint p)
{
    return IsFinite(s) && std::isfinite(p.X) && std::isfinite(p.Y) && !Coincide({s.X1, s.Y1}, p) &&
           !Coincide({s.X2, s.Y2}, p) && PassesNear(s, p);
}

void BuildSegmentGrid(TCellTable& table, const TTxy& segments)
{
    // Cells about as wide as the segments are long, narrower where segments
    // crowd a small area (such as a star of long segments), so that a
    // segment is filed in a few cells and a cell holds a few segments.
    double totalLength = 0, largest = 0;
    double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    size_t finite = 0;
    for (const SegmentRecord& s : segments)
        if (IsFinite(s))
        {
            totalLength += std::hypot(double(s.X2) - s.X1, double(s.Y2) - s.Y1);
            for (double x : {s.X1, s.X2})
                minX = std::min(minX, x), maxX = std::max(maxX, x), largest = std::max(largest, std::fabs(x));
            for (double y : {s.Y1, s.Y2})
                minY = std::min(minY, y), maxY = std::max(maxY, y), largest = std::max(largest, std::fabs(y));
            ++finite;
        }
    double size = 0;
    if (finite > 0)
    {
        double mean = totalLength / double(finite);
        double spread = 2 * std::sqrt((maxX - minX) * (maxY - minY) / double(finite));
        size = std::clamp(spread, mean / 8, mean);
    }
    table.CellSize = CellSizeFor(size, largest);

    std::vector<TCellEntry> entries;
    entries.reserve(4 * segments.size());
    for (size_t i = 0; i < segments.size(); ++i)
    {
        const SegmentRecord& s = segments[i];
        if (!IsFinite(s))
            continue;
        bool steep = std::fabs(double(s.Y2) - s.Y1) > std::fabs(double(s.X2) - s.X1);
        if (steep)
            FileSegment(s.Y1, s.X1, s.Y2, s.X2, true, table.CellSize, int32_t(i), entries);
        else
            FileSegment(s.X1, s.Y1, s.X2, s.Y2, false, table.CellSize, int32_t(i), entries);
    }
    FileCellEntries(table.Cells, entries);
}

int32_t SegmentThrough(const TCellTable& table, const TTxy& segments, TPlanPoint p)
{
    int32_t found = -1;
    ForEachItemNear(table, p.X, p.Y, NearTolerance,
                    [&](int32_t i)
                    {
                        if (found >= 0 && i >= found)
                            return;
                        if (PassesThrough(segments[i], p))
                            found = i;
                    });
    return found;
}
