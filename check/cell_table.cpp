#include "check/cell_table.h"

#include <cmath>

namespace
{

constexpr double LargestCell = 2147483647.0; // 2^31 - 1

} // namespace

int64_t CellNumber(double v, double cellSize)
{
    double c = std::floor(v / cellSize);
    if (!(c > -LargestCell))
        return -int64_t(LargestCell);
    if (c > LargestCell)
        return int64_t(LargestCell);
    return int64_t(c);
}

uint64_t CellKey(int64_t column, int64_t row)
{
    return uint64_t(uint32_t(int32_t(column))) << 32 | uint32_t(int32_t(row));
}

double CellSizeFor(double wanted, double largest)
{
    // A thousandth of a drawing unit is ten times the tolerance; 2^-30 of the
    // largest coordinate keeps cell numbers in range.
    return std::max({wanted, 1e-3, largest * 0x1p-30});
}

void FillCellTable(TCellTable& table, std::vector<std::pair<uint64_t, int32_t>>& entries)
{
    std::sort(entries.begin(), entries.end());
    table.Keys.resize(entries.size());
    table.Items.resize(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
    {
        table.Keys[i] = entries[i].first;
        table.Items[i] = entries[i].second;
    }
}
