#include "check/cell_table.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr double LargestCell = 2147483647.0; // 2^31 - 1

size_t SlotOf(const TCellTable& table, uint64_t key)
{
    size_t mask = table.SlotKey.size() - 1;
    uint64_t h = key * 0x9E3779B97F4A7C15ull;
    size_t slot = (h ^ (h >> 29)) & mask;
    while (table.SlotCell[slot] >= 0 && table.SlotKey[slot] != key)
        slot = (slot + 1) & mask;
    return slot;
}

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

int32_t FindCellOf(const TCellTable& table, uint64_t key)
{
    if (table.SlotKey.empty())
        return -1;
    return table.SlotCell[SlotOf(table, key)];
}

void FillCellTable(TCellTable& table, const std::vector<std::pair<uint64_t, int32_t>>& entries)
{
    size_t slots = 64;
    while (slots < 2 * entries.size())
        slots *= 2;
    table.SlotKey.assign(slots, 0);
    table.SlotCell.assign(slots, -1);
    // First pass: the cell of every entry and the number of entries per cell.
    std::vector<int32_t> cellOf(entries.size());
    std::vector<int32_t> counts;
    for (size_t i = 0; i < entries.size(); ++i)
    {
        size_t slot = SlotOf(table, entries[i].first);
        if (table.SlotCell[slot] < 0)
        {
            table.SlotKey[slot] = entries[i].first;
            table.SlotCell[slot] = int32_t(counts.size());
            counts.push_back(0);
        }
        cellOf[i] = table.SlotCell[slot];
        ++counts[cellOf[i]];
    }
    // Second pass: the items of each cell together, in entry order.
    table.CellStart.assign(counts.size() + 1, 0);
    for (size_t c = 0; c < counts.size(); ++c)
        table.CellStart[c + 1] = table.CellStart[c] + counts[c];
    std::vector<int32_t> fill(table.CellStart.begin(), table.CellStart.end() - 1);
    table.Items.assign(entries.size(), 0);
    for (size_t i = 0; i < entries.size(); ++i)
        table.Items[fill[cellOf[i]]++] = entries[i].second;
}
