#include "model/point_grid.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace
{

constexpr double CellsPerUnit = 1024.0;
// Beyond this magnitude distinct floats are more than the tolerance apart.
constexpr float LargeCoordinate = 1099511627776.0f; // 2^40
// Keys of large values lie far above those of the grid (below 2^51).
constexpr int64_t LargeKeyBase = int64_t(1) << 60;
// A value nearer than this fraction of a cell to its cell's edge may coincide
// with one across the edge: the tolerance is 0.1024 cells, rounded up.
constexpr double EdgeFraction = 0.125;

// How many points ahead the table entry of a point is fetched while filing.
constexpr size_t PrefetchDistance = 8;

uint64_t HashKeys(int64_t keyX, int64_t keyY)
{
    uint64_t h = uint64_t(keyX) * 0x9E3779B97F4A7C15ull;
    h ^= uint64_t(keyY) + 0x7F4A7C159E3779B9ull + (h << 6) + (h >> 2);
    h ^= h >> 31;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 29;
    return h;
}

// The slot of the table where the keys are, or the empty slot where they belong.
size_t SlotOf(const std::vector<PointGridSlot>& slots, int64_t keyX, int64_t keyY)
{
    size_t mask = slots.size() - 1;
    size_t slot = HashKeys(keyX, keyY) & mask;
    while (slots[slot].Cell >= 0 && (slots[slot].KeyX != keyX || slots[slot].KeyY != keyY))
        slot = (slot + 1) & mask;
    return slot;
}

// Doubles the table and files every cell again.
void GrowTable(std::vector<PointGridSlot>& slots)
{
    std::vector<PointGridSlot> larger(2 * slots.size());
    for (const PointGridSlot& s : slots)
        if (s.Cell >= 0)
            larger[SlotOf(larger, s.KeyX, s.KeyY)] = s;
    slots.swap(larger);
}

// The cell with the given keys, added (with no item yet) when it is new.
int32_t CellWithKeys(PointGrid& grid, std::vector<int32_t>& counts, int64_t keyX, int64_t keyY)
{
    size_t slot = SlotOf(grid.Slots, keyX, keyY);
    if (grid.Slots[slot].Cell < 0)
    {
        if (2 * (counts.size() + 1) > grid.Slots.size())
        {
            GrowTable(grid.Slots);
            slot = SlotOf(grid.Slots, keyX, keyY);
        }
        grid.Slots[slot] = {keyX, keyY, int32_t(counts.size())};
        counts.push_back(0);
    }
    return grid.Slots[slot].Cell;
}

// Second pass of a filing: the items of each cell together, in the order of
// their entries. cellOf holds each entry's cell (-1: not filed) and counts
// the number of entries per cell.
template <class ItemOf>
void FillCells(PointGrid& grid, const std::vector<int32_t>& counts, const std::vector<int32_t>& cellOf,
               ItemOf itemOf)
{
    grid.CellStart.assign(counts.size() + 1, 0);
    for (size_t c = 0; c < counts.size(); ++c)
        grid.CellStart[c + 1] = grid.CellStart[c] + counts[c];
    std::vector<int32_t> fill(grid.CellStart.begin(), grid.CellStart.end() - 1);
    grid.Items.assign(grid.CellStart.back(), 0);
    for (size_t i = 0; i < cellOf.size(); ++i)
        if (cellOf[i] >= 0)
            grid.Items[fill[cellOf[i]]++] = itemOf(i);
}

} // namespace

bool CellAxisOf(float v, CellAxis& axis)
{
    if (!std::isfinite(v))
        return false;
    if (std::fabs(v) >= LargeCoordinate)
    {
        int64_t key = LargeKeyBase + std::bit_cast<uint32_t>(std::fabs(v));
        axis.Key = v < 0 ? -key : key;
        axis.Near = 0;
        return true;
    }
    // Exact in double: a power-of-two scale and a half-cell offset, so that
    // round coordinates lie in the middle of their cells.
    double t = double(v) * CellsPerUnit + 0.5;
    double cell = std::floor(t);
    double fraction = t - cell;
    axis.Key = int64_t(cell);
    axis.Near = fraction < EdgeFraction ? -1 : fraction > 1.0 - EdgeFraction ? 1 : 0;
    return true;
}

void PrefetchCell(const PointGrid& grid, float x, float y)
{
    CellAxis ax, ay;
    if (grid.Slots.empty() || !CellAxisOf(x, ax) || !CellAxisOf(y, ay))
        return;
    __builtin_prefetch(&grid.Slots[HashKeys(ax.Key, ay.Key) & (grid.Slots.size() - 1)]);
}

int32_t FindCell(const PointGrid& grid, int64_t keyX, int64_t keyY)
{
    if (grid.Slots.empty())
        return -1;
    return grid.Slots[SlotOf(grid.Slots, keyX, keyY)].Cell;
}

void BuildPointGrid(PointGrid& grid, const std::vector<TPlanPoint>& points, size_t expectedCells)
{
    // Room from the start for the cells expected, so that the table is not
    // filed again each time it doubles.
    grid.Slots.assign(std::max<size_t>(64, std::bit_ceil(2 * expectedCells)), PointGridSlot{});
    grid.CellStart.clear();

    // First pass: the cell of every point and the number of points per cell.
    std::vector<int32_t> cellOf(points.size(), -1);
    std::vector<int32_t> counts;
    // The cell of the last point filed: drawings often list a point right
    // after another in the same cell (the joints of a polyline).
    int64_t lastKeyX = 0;
    int64_t lastKeyY = 0;
    int32_t lastCell = -1;
    for (size_t i = 0; i < points.size(); ++i)
    {
        if (i + PrefetchDistance < points.size())
            PrefetchCell(grid, points[i + PrefetchDistance].X, points[i + PrefetchDistance].Y);
        CellAxis ax, ay;
        if (!CellAxisOf(points[i].X, ax) || !CellAxisOf(points[i].Y, ay))
            continue;
        if (lastCell >= 0 && ax.Key == lastKeyX && ay.Key == lastKeyY)
        {
            cellOf[i] = lastCell;
            ++counts[lastCell];
            continue;
        }
        cellOf[i] = CellWithKeys(grid, counts, ax.Key, ay.Key);
        ++counts[cellOf[i]];
        lastKeyX = ax.Key;
        lastKeyY = ay.Key;
        lastCell = cellOf[i];
    }

    FillCells(grid, counts, cellOf, [](size_t i) { return int32_t(i); });
}

void FileCellEntries(PointGrid& grid, const std::vector<TCellEntry>& entries)
{
    grid.Slots.assign(64, PointGridSlot{});
    std::vector<int32_t> cellOf(entries.size());
    std::vector<int32_t> counts;
    for (size_t i = 0; i < entries.size(); ++i)
    {
        cellOf[i] = CellWithKeys(grid, counts, entries[i].KeyX, entries[i].KeyY);
        ++counts[cellOf[i]];
    }
    FillCells(grid, counts, cellOf, [&](size_t i) { return entries[i].Item; });
}
