#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

// Items filed by square cell, so that what lies near a point is found in a
// few cells instead of by a scan of all items. Cell numbers are clamped to
// 32 bits, which for far-out coordinates only puts more items in a cell.
struct TCellTable
{
    double CellSize = 1;
    std::vector<uint64_t> Keys; // ascending
    std::vector<int32_t> Items; // the item filed under each key
};

int64_t CellNumber(double v, double cellSize);
uint64_t CellKey(int64_t column, int64_t row);

// A cell size of at least `wanted` that keeps cell numbers of coordinates up
// to `largest` in magnitude within 32 bits.
double CellSizeFor(double wanted, double largest);

// Files the (key, item) entries, which it sorts, into table.
void FillCellTable(TCellTable& table, std::vector<std::pair<uint64_t, int32_t>>& entries);

// Calls visit(item) for the items filed in every cell that meets the square
// of half-width r around (x, y). An item filed in several cells may be
// visited more than once. r should not exceed the cell size.
template <class Visit>
void ForEachItemNear(const TCellTable& table, double x, double y, double r, Visit&& visit)
{
    int64_t c0 = CellNumber(x - r, table.CellSize), c1 = CellNumber(x + r, table.CellSize);
    int64_t r0 = CellNumber(y - r, table.CellSize), r1 = CellNumber(y + r, table.CellSize);
    for (int64_t c = c0; c <= c1; ++c)
        for (int64_t w = r0; w <= r1; ++w)
        {
            uint64_t key = CellKey(c, w);
            auto first = std::lower_bound(table.Keys.begin(), table.Keys.end(), key);
            for (auto it = first; it != table.Keys.end() && *it == key; ++it)
                visit(table.Items[it - table.Keys.begin()]);
        }
}
