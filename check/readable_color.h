#pragma once

#include <array>

// A colour as red, green and blue from 0 to 1 (sRGB).
using TRgb = std::array<double, 3>;

// What a line on a plan drawn from above needs against its ground to be
// seen: a contrast ratio of at least 3 to 1, as asked of graphics that carry
// meaning (WCAG 2.1, non-text contrast).
inline constexpr double MinimumContrast = 3;

// The contrast ratio of two colours, 1 to 21: (L1 + 0.05) / (L2 + 0.05) of
// their relative luminances, the lighter over the darker.
double ContrastRatio(const TRgb& a, const TRgb& b);

// The colour as it is when it stands out from the ground by MinimumContrast,
// else darkened towards black (lightened towards white on a dark ground) just
// enough that it does. Channels outside 0 to 1 are taken at the nearer end.
TRgb ReadableColor(const TRgb& color, const TRgb& ground);
