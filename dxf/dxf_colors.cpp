#include "dxf/dxf_colors.h"

#include <cmath>

std::array<int, 3> AciColor(int index)
{
    static const std::array<int, 3> First[10] = {
        {0, 0, 0},   {255, 0, 0},   {255, 255, 0},   {0, 255, 0},     {0, 255, 255},
        {0, 0, 255}, {255, 0, 255}, {255, 255, 255}, {128, 128, 128}, {192, 192, 192}};
    static const int Greys[6] = {51, 80, 105, 130, 190, 255};
    if (index < 1 || index > 255)
        return First[7];
    if (index < 10)
        return First[index];
    if (index >= 250)
        return {Greys[index - 250], Greys[index - 250], Greys[index - 250]};
    // 10 to 249: 24 hues 15 degrees apart; in each run of ten, five
    // brightnesses, each fully saturated (even) and half saturated (odd),
    // channels rounded down.
    static const double Values[5] = {255, 165, 127, 76, 38};
    int step = index - 10;
    int hueStep = step / 10;
    double hue = hueStep * 15.0;
    double value = Values[(step % 10) / 2];
    double saturation = (step % 2 == 0) ? 1.0 : 0.5;
    double sector = hue / 60.0;
    double fraction = sector - std::floor(sector);
    double p = value * (1 - saturation);
    double q = value * (1 - saturation * fraction);
    double t = value * (1 - saturation * (1 - fraction));
    double rgb[3];
    switch (static_cast<int>(sector) % 6)
    {
    case 0:
        rgb[0] = value, rgb[1] = t, rgb[2] = p;
        break;
    case 1:
        rgb[0] = q, rgb[1] = value, rgb[2] = p;
        break;
    case 2:
        rgb[0] = p, rgb[1] = value, rgb[2] = t;
        break;
    case 3:
        rgb[0] = p, rgb[1] = q, rgb[2] = value;
        break;
    case 4:
        rgb[0] = t, rgb[1] = p, rgb[2] = value;
        break;
    default:
        rgb[0] = value, rgb[1] = p, rgb[2] = q;
        break;
    }
    return {static_cast<int>(rgb[0] + 1e-9), static_cast<int>(rgb[1] + 1e-9),
            static_cast<int>(rgb[2] + 1e-9)};
}

int LineColorFor(int index)
{
    if (index >= 1 && index <= 9)
        return index;
    std::array<int, 3> colour = AciColor(index);
    int best = 1;
    long bestDistance = -1;
    for (int candidate = 1; candidate <= 9; candidate++)
    {
        std::array<int, 3> other = AciColor(candidate);
        long distance = 0;
        for (int i = 0; i < 3; i++)
            distance += static_cast<long>(colour[i] - other[i]) * (colour[i] - other[i]);
        if (bestDistance < 0 || distance < bestDistance)
        {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}
