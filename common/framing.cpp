#include "common/framing.h"

#include "common/projection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace
{

double Dot(const TModelPoint& a, const TModelPoint& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

double Radians(double degrees)
{
    return degrees * std::numbers::pi / 180;
}

// The tightest eye position across one picture axis. Seen along that axis a
// point at across-position a and depth c is inside the picture from an eye
// at (aEye, cEye) when |a - aEye| <= slope * (c - cEye); the eye furthest
// forward that sees every point lies where the two outermost limits meet.
// In the orthographic projection the eye's depth does not count: the
// picture must be as wide as the points are, from Lowest to Highest.
struct TAxisFit
{
    double Left = INFINITY;  // least slope * c - a
    double Right = INFINITY; // least slope * c + a
    double Lowest = INFINITY;
    double Highest = -INFINITY;

    void Take(double slope, double a, double c)
    {
        Left = std::min(Left, slope * c - a);
        Right = std::min(Right, slope * c + a);
        Lowest = std::min(Lowest, a);
        Highest = std::max(Highest, a);
    }
    double Across(bool orthographic) const
    {
        return orthographic ? (Lowest + Highest) / 2 : (Right - Left) / 2;
    }
    double Depth(double slope) const { return (Left + Right) / (2 * slope); }
    double Half() const { return (Highest - Lowest) / 2; }
};

} // namespace

std::optional<TFramedView> FrameView(const std::vector<TModelPoint>& points, TViewDirection direction,
                                     double fieldOfView, double aspect, bool orthographic)
{
    const double azimuth = Radians(direction.Azimuth);
    const double elevation = Radians(direction.Elevation);
    // The line of sight, the picture's right (level) and its up, in model axes.
    const TModelPoint sight = {std::cos(azimuth) * std::cos(elevation), -std::sin(elevation),
                               -std::sin(azimuth) * std::cos(elevation)};
    const TModelPoint right = {std::sin(azimuth), 0, std::cos(azimuth)};
    const TModelPoint up = {right[1] * sight[2] - right[2] * sight[1],
                            right[2] * sight[0] - right[0] * sight[2],
                            right[0] * sight[1] - right[1] * sight[0]};

    const double slopeUp = std::tan(Radians(fieldOfView) / 2) * FrameFill;
    const double slopeRight = slopeUp * aspect;
    TAxisFit across, upward;
    double nearest = INFINITY, farthest = -INFINITY;
    for (const TModelPoint& p : points)
    {
        if (!std::isfinite(p[0]) || !std::isfinite(p[1]) || !std::isfinite(p[2]))
            return std::nullopt;
        const double depth = Dot(p, sight);
        across.Take(slopeRight, Dot(p, right), depth);
        upward.Take(slopeUp, Dot(p, up), depth);
        nearest = std::min(nearest, depth);
        farthest = std::max(farthest, depth);
    }
    if (points.empty())
        return std::nullopt;

    // The eye steps back until both axes fit and the nearest point clears
    // the near plane, with a tenth to spare for the rounding of the view.
    double eyeDepth = std::min({across.Depth(slopeRight), upward.Depth(slopeUp), nearest - 1.1 * NearPlane});
    // The orthographic picture is as high as the points need at the target.
    if (orthographic)
        eyeDepth = (nearest + farthest) / 2 -
                   std::max(std::max(upward.Half(), across.Half() / aspect) / slopeUp, 1.1 * NearPlane);
    const double a = across.Across(orthographic), b = upward.Across(orthographic);
    TFramedView view;
    // The target lies on the line of sight, as deep as the middle of the model.
    const double targetDistance = (nearest + farthest) / 2 - eyeDepth;
    for (int i = 0; i < 3; i++)
    {
        view.Eye[i] = a * right[i] + b * up[i] + eyeDepth * sight[i];
        view.Target[i] = view.Eye[i] + targetDistance * sight[i];
    }
    return view;
}
