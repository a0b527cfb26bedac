#include "common/tolerance.h"
#include "model/point_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>

namespace
{

bool Coincide(TPlanPoint a, TPlanPoint b)
{
    return NearlyEqual(a.X, b.X) && NearlyEqual(a.Y, b.Y);
}

std::vector<int32_t> FoundInGrid(const PointGrid& grid, const std::vector<TPlanPoint>& points, TPlanPoint p)
{
    std::vector<int32_t> found;
    ForEachNearbyCell(grid, p.X, p.Y,
                      [&](int32_t cell)
                      {
                          for (int32_t i = grid.CellStart[cell]; i < grid.CellStart[cell + 1]; ++i)
                              if (Coincide(points[grid.Items[i]], p))
                                  found.push_back(grid.Items[i]);
                      });
    std::sort(found.begin(), found.end());
    return found;
}

// Values on and around cell edges and the tolerance, and far-out and
// non-finite ones: the grid finds exactly what a scan of all points finds.
TEST(PointGrid, FindsWhatAFullScanFinds)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float bases[] = {0, 1, -1, 1.0f / 1024, 0.5f / 1024, 1000.25f, 2047.9999f, 4096, 1e12f, 3e38f};
    const float nudges[] = {0, 0.00005f, -0.00005f, 0.0000999f, -0.0000999f, 0.0001f, 0.00011f, -0.00012f};
    std::mt19937 rng(7);
    auto value = [&]
    {
        if (rng() % 40 == 0)
            return (rng() % 2 ? inf : std::numeric_limits<float>::quiet_NaN()) * (rng() % 2 ? 1.0f : -1.0f);
        float v = bases[rng() % std::size(bases)] + nudges[rng() % std::size(nudges)];
        return rng() % 2 ? v : -v;
    };
    std::vector<TPlanPoint> points(3000);
    for (TPlanPoint& p : points)
        p = {value(), value()};
    // Without a size hint, with one that is soon outgrown, and with room for all.
    for (size_t expectedCells : {size_t(0), size_t(40), points.size()})
    {
        PointGrid grid;
        BuildPointGrid(grid, points, expectedCells);

        size_t pairs = 0;
        for (size_t q = 0; q < points.size(); ++q)
        {
            std::vector<int32_t> expected;
            for (size_t i = 0; i < points.size(); ++i)
                if (Coincide(points[i], points[q]))
                    expected.push_back(int32_t(i));
            ASSERT_EQ(FoundInGrid(grid, points, points[q]), expected) << q << " hint " << expectedCells;
            pairs += expected.size();
        }
        EXPECT_GT(pairs, points.size()); // distinct points did coincide
    }
}

// Entries filed under keys of their own, far-out and negative ones too: each
// cell holds exactly its entries' items, in entry order, and keys not filed
// find no cell.
TEST(PointGrid, FilesEntriesUnderTheirKeysInEntryOrder)
{
    const int64_t keys[] = {0, 1, -1, 2147483647, -2147483647, int64_t(1) << 60, -(int64_t(1) << 60), 77};
    std::mt19937 rng(3);
    std::vector<TCellEntry> entries;
    for (int32_t i = 0; i < 5000; ++i)
        entries.push_back({keys[rng() % 7], keys[rng() % 7], int32_t(rng() % 100000)});
    PointGrid grid;
    FileCellEntries(grid, entries);
    for (int64_t x : keys)
        for (int64_t y : keys)
        {
            std::vector<int32_t> expected;
            for (const TCellEntry& e : entries)
                if (e.KeyX == x && e.KeyY == y)
                    expected.push_back(e.Item);
            const int32_t cell = FindCell(grid, x, y);
            std::vector<int32_t> filed;
            if (cell >= 0)
                filed.assign(grid.Items.begin() + grid.CellStart[cell],
                             grid.Items.begin() + grid.CellStart[cell + 1]);
            EXPECT_EQ(cell >= 0, !expected.empty()) << x << " " << y;
            EXPECT_EQ(filed, expected) << x << " " << y;
        }
}

} // namespace
