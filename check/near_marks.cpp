#include "check/near_marks.h"

#include <algorithm>
#include <cmath>

void BuildNearMarks(TCellTable& table, const std::vector<HeightMark>& marks, float largestSnap)
{
    double largest = 0;
    for (const HeightMark& m : marks)
        if (std::isfinite(m.X) && std::isfinite(m.Y))
            largest = std::max({largest, std::fabs(double(m.X)), std::fabs(double(m.Y))});
    table.CellSize = CellSizeFor(largestSnap, largest);
    std::vector<TCellEntry> entries;
    for (size_t m = 0; m < marks.size(); ++m)
        if (std::isfinite(marks[m].X) && std::isfinite(marks[m].Y))
            entries.push_back(
                {CellNumber(marks[m].X, table.CellSize), CellNumber(marks[m].Y, table.CellSize), int32_t(m)});
    FileCellEntries(table.Cells, entries);
}

int32_t NearestMark(const TCellTable& table, const std::vector<HeightMark>& marks, TPlanPoint p, float snap,
                    double& distance)
{
    int32_t nearest = -1;
    distance = snap;
    if (snap > 0)
        ForEachItemNear(table, p.X, p.Y, snap,
                        [&](int32_t m)
                        {
                            double d = std::hypot(double(marks[m].X) - p.X, double(marks[m].Y) - p.Y);
                            if (d < distance || (d == distance && (nearest < 0 || m < nearest)))
                            {
                                distance = d;
                                nearest = m;
                            }
                        });
    return nearest;
}
