#include "start/view_overrides.h"

#include "common/numbers.h"
#include "render/navigation.h"

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
        TurnAboutTarget(view, *overrides.Turn);
}

void DeriveView(TViewParameters& view, const TViewOverrides& overrides, TRenderState& render)
{
    ApplyViewOverrides(overrides, view);
    DeriveCamera(view, render.Camera);
    TakeEyePoint(view, render.Camera);
    render.Orthographic = overrides.Orthographic;
}
