#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A plan position: a segment end or a height mark.
struct TPlanPoint
{
    float X = 0;
    float Y = 0;
};

// Plan points filed by grid cell, so that the points that may coincide with a
// given position (NearlyEqual in x and in y) are found in one to four cells
// instead of by a scan of all points. Cells are 2^-10 drawing units wide,
// wider than the tolerance, so coinciding values lie in the same or the
// adjacent cell. Coordinates of 2^40 and beyond are spaced far wider than the
// tolerance and coincide only with themselves; each such value has its own
// cell. A point with a non-finite coordinate coincides with nothing and is
// not filed.
struct PointGridSlot
{
    int64_t KeyX = 0;
    int64_t KeyY = 0;
    int32_t Cell = -1; // -1 on an empty slot
};

// FileCellEntries fills the same table for cells of another size.
struct PointGrid
{
    // Open-addressed table of the occupied cells, at most half full.
    std::vector<PointGridSlot> Slots;
    // The points of cell c are Items[CellStart[c]] to Items[CellStart[c + 1] - 1],
    // in ascending point number.
    std::vector<int32_t> CellStart;
    std::vector<int32_t> Items;
};

// The cell along one axis that holds value v, and the neighbouring cell that
// may hold a value coinciding with v: Near is -1 (the cell below), +1 (the
// cell above) or 0 (none). False for a non-finite value.
struct CellAxis
{
    int64_t Key = 0;
    int Near = 0;
};
bool CellAxisOf(float v, CellAxis& axis);

// Files the points. expectedCells, when known, sizes the table from the
// start: the number of distinct cells the points are expected to take.
void BuildPointGrid(PointGrid& grid, const std::vector<TPlanPoint>& points, size_t expectedCells = 0);

// An item to file under the cell with the given keys.
struct TCellEntry
{
    int64_t KeyX = 0;
    int64_t KeyY = 0;
    int32_t Item = 0;
};

// Files each entry's item under its cell, in entry order within a cell: the
// table of cells for cells of another size than the points' own.
void FileCellEntries(PointGrid& grid, const std::vector<TCellEntry>& entries);

// Starts fetching the table entry a lookup of (x, y) reads first. On a large
// grid every lookup misses the cache; fetching a few lookups ahead lets the
// misses overlap instead of waiting one after the other.
void PrefetchCell(const PointGrid& grid, float x, float y);

// The cell number of the cell with the given keys, or -1 when it holds no point.
int32_t FindCell(const PointGrid& grid, int64_t keyX, int64_t keyY);

// Calls visit(cell) for each occupied cell that may hold a point coinciding
// with (x, y). The caller applies the exact test to the points in it.
template <class Visit> void ForEachNearbyCell(const PointGrid& grid, float x, float y, Visit&& visit)
{
    CellAxis ax, ay;
    if (!CellAxisOf(x, ax) || !CellAxisOf(y, ay))
        return;
    for (int i = 0; i <= (ax.Near != 0); ++i)
        for (int j = 0; j <= (ay.Near != 0); ++j)
        {
            int32_t cell = FindCell(grid, ax.Key + i * ax.Near, ay.Key + j * ay.Near);
            if (cell >= 0)
                visit(cell);
        }
}
