#include "render/depth_range.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace
{

// A share of the depth a vertex beyond a plane is given, so that it stays
// inside after the render pass's own single-precision arithmetic.
constexpr double Margin = 0.01;

} // namespace

TDepthRange DepthRangeOf(const TDrawList& list, const TCamera& camera, bool orthographic)
{
    // The line of sight as the render pass turns the scene.
    const double yaw = camera.Yaw * std::numbers::pi / 180, pitch = camera.Pitch * std::numbers::pi / 180;
    const double sx = std::sin(yaw) * std::cos(pitch), sy = -std::sin(pitch),
                 sz = -std::cos(yaw) * std::cos(pitch);
    double nearest = INFINITY, farthest = -INFINITY;
    for (const std::array<float, 3>& v : list.Vertices)
    {
        const double depth = (v[0] - camera.EyePoint[0]) * sx + (v[1] - camera.EyePoint[1]) * sy +
                             (v[2] - camera.EyePoint[2]) * sz;
        if (!std::isfinite(depth))
            continue;
        nearest = std::min(nearest, depth);
        farthest = std::max(farthest, depth);
    }
    TDepthRange range;
    if (farthest > FarPlane)
        range.Far = farthest + std::max(std::fabs(farthest) * Margin, 1.0);
    if (!orthographic)
        return range;
    if (nearest < NearPlane)
        range.Near = nearest - std::max(std::fabs(nearest) * Margin, 1.0);
    range.Far = std::min(range.Far, range.Near + OrthographicDepthSpan);
    return range;
}
