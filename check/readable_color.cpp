#include "check/readable_color.h"

#include <algorithm>
#include <cmath>

namespace
{

double Linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const TRgb& c)
{
    return 0.2126 * Linear(c[0]) + 0.7152 * Linear(c[1]) + 0.0722 * Linear(c[2]);
}

// The colour a share t of the way towards end.
TRgb Towards(const TRgb& color, double end, double t)
{
    TRgb mixed;
    for (size_t i = 0; i < 3; i++)
        mixed[i] = color[i] + (end - color[i]) * t;
    return mixed;
}

TRgb Clamped(const TRgb& c)
{
    return {std::clamp(c[0], 0.0, 1.0), std::clamp(c[1], 0.0, 1.0), std::clamp(c[2], 0.0, 1.0)};
}

} // namespace

double ContrastRatio(const TRgb& a, const TRgb& b)
{
    double la = Luminance(Clamped(a)), lb = Luminance(Clamped(b));
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TRgb ReadableColor(const TRgb& color, const TRgb& ground)
{
    TRgb start = Clamped(color);
    // NaN channels (a broken material entry) count as black.
    for (double& channel : start)
        channel = std::isnan(channel) ? 0 : channel;
    if (ContrastRatio(start, ground) >= MinimumContrast)
        return start;
    // Black or white, whichever stands out more, reaches the ratio on any
    // ground (at least 4.5 to 1); the least mix towards it that does is found
    // by halving, as the ratio grows with the mix.
    double end = ContrastRatio({0, 0, 0}, ground) >= ContrastRatio({1, 1, 1}, ground) ? 0 : 1;
    double low = 0, high = 1;
    for (int step = 0; step < 30; step++)
    {
        double middle = (low + high) / 2;
        (ContrastRatio(Towards(start, end, middle), ground) >= MinimumContrast ? high : low) = middle;
    }
    return Towards(start, end, high);
}
