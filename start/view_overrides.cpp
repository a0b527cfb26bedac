#include "start/view_overrides.h"

#include "common/numbers.h"

#include <cmath>
#include <numbers>

namespace
{

void SetPoint(const std::array<double, 3>& point, float& x, float& height, float& y)
{
    x = ToSingle(point[0]);
    y = ToSingle(-point[1]);
    height = ToSingle(point[2] * 1000);
}

// Exact for whole quarter turns, so that a turn of 90 degrees moves the eye
// exactly and not by a rounding error of pi.
void CosSin(double degrees, double& cosine, double& sine)
{
    const double rest = std::fmod(degrees, 360);
    if (rest == std::round(rest / 90) * 90)
    {
        const int quarter = (int(std::lround(rest / 90)) + 4) % 4;
        const double cosines[] = {1, 0, -1, 0};
        cosine = cosines[quarter];
        sine = cosines[(quarter + 3) % 4];
        return;
    }
    cosine = std::cos(rest * std::numbers::pi / 180);
    sine = std::sin(rest * std::numbers::pi / 180);
}

} // namespace

void ApplyViewOverrides(const TViewOverrides& overrides, TViewParameters& view)
{
    if (overrides.Eye)
        SetPoint(*overrides.Eye, view.EyeX, view.EyeHeight, view.EyeY);
    if (overrides.Target)
        SetPoint(*overrides.Target, view.TargetX, view.TargetHeight, view.TargetY);
    if (overrides.FieldOfView)
        view.FieldOfView = ToSingle(*overrides.FieldOfView);
    if (overrides.Turn)
    {
        // In the host's plan, where y is the stored y negated.
        double cosine = 1, sine = 0;
        CosSin(*overrides.Turn, cosine, sine);
        const double dx = double(view.EyeX) - view.TargetX;
        const double dy = -(double(view.EyeY) - view.TargetY);
        const double turnedX = dx * cosine - dy * sine;
        const double turnedY = dx * sine + dy * cosine;
        view.EyeX = ToSingle(view.TargetX + turnedX);
        view.EyeY = ToSingle(view.TargetY - turnedY);
    }
}
