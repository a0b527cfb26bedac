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
        const double angle = *overrides.Turn * std::numbers::pi / 180;
        const double dx = double(view.EyeX) - view.TargetX;
        const double dy = -(double(view.EyeY) - view.TargetY);
        const double turnedX = dx * std::cos(angle) - dy * std::sin(angle);
        const double turnedY = dx * std::sin(angle) + dy * std::cos(angle);
        view.EyeX = ToSingle(view.TargetX + turnedX);
        view.EyeY = ToSingle(view.TargetY - turnedY);
    }
}
