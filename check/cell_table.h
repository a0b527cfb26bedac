#pragma once

#include "model/point_grid.h"

#include <cstdint>

// Items filed by square cell of a chosen size, in the point grid's table of
// cells, so that what lies near a point is found in a few cells instead of
// by a scan of all items. (The point grid's own cells, 2^-10 units wide for
// coinciding points, are far too small for searches as wide as the snap
// distance.) Cells are offset by half a cell, so that round coordinates lie
// in the middle of one. Cell numbers are clamped to 32 bits, which for
// far-out coordinates only puts more items in a cell.
struct TCellTable
{
    double CellSize = 1;
    PointGrid Cells; // keyed by column and row
};

int64_t CellNumber(double v, double cellSize);

// A cell size of at least `wanted` that keeps cell numbers of coordinates up
// to `largest` in magnitude within 32 bits.
double CellSizeFor(double wanted, double largest);

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
            int32_t cell = FindCell(table.Cells, c, w);
            if (cell < 0)
                continue;
            for (int32_t i = table.Cells.CellStart[cell]; i < table.Cells.CellStart[cell + 1]; ++i)
                visit(table.Cells.Items[i]);
        }
}
