#include "check/cell_table.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr double LargestCell = 2147483647.0; // 2^31 - 1

} // namespace

int64_t CellNumber(double v, double cellSize)
{
    double c = std::floor(v / cellSize + 0.5);
    if (!(c > -LargestCell))
        return -int64_t(LargestCell);
    if (c > LargestCell)
        return int64_t(LargestCell);
    return int64_t(c);
}

double CellSizeFor(double wanted, double largest)
{
    // A thousandth of a drawing unit is ten times the tolerance; 2^-30 of the
    // largest coordinate keeps cell numbers in range.
    return std::max({wanted, 1e-3, largest * 0x1p-30});
}
