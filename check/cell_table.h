#pragma once

#include <cstdint>
#include <utility>
#include <vector>

// Items filed by square cell, so that what lies near a point is found in a
// few cells instead of by a scan of all items. Cells are offset by half a
// cell, so that round coordinates lie in the middle of one. Cell numbers are
// clamped to 32 bits, which for far-out coordinates only puts more items in
// a cell.
struct TCellTable
{
    double CellSize = 1;
    // Open-addressed table of the occupied cells, at most half full.
    std::vector<uint64_t> SlotKey;
    std::vector<int32_t> SlotCell; // -1 on an empty slot
    // The items of cell c are Items[CellStart[c]] to Items[CellStart[c + 1] - 1].
    std::vector<int32_t> CellStart;
    std::vector<int32_t> Items;
};

int64_t CellNumber(double v, double cellSize);
uint64_t CellKey(int64_t column, int64_t row);

// A cell size of at least `wanted` that keeps cell numbers of coordinates up
// to `largest` in magnitude within 32 bits.
double CellSizeFor(double wanted, double largest);

// Files the (key, item) entries into table.
void FillCellTable(TCellTable& table, const std::vector<std::pair<uint64_t, int32_t>>& entries);

// The cell with the given key, or -1 when no item is filed there.
int32_t FindCellOf(const TCellTable& table, uint64_t key);

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
            int32_t cell = FindCellOf(table, CellKey(c, w));
            if (cell < 0)
                continue;
            for (int32_t i = table.CellStart[cell]; i < table.CellStart[cell + 1]; ++i)
                visit(table.Items[i]);
        }
}
