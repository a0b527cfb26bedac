#pragma once

#include <array>
#include <optional>
#include <vector>

// A model point: x the plan x, y the height, z the plan y as stored (the
// host's y negated).
using TModelPoint = std::array<double, 3>;

// Where a view looks: Azimuth in degrees counter-clockwise from the host's
// x axis, in the plan seen from above with y up (0 looks east, 90 north);
// Elevation in degrees below the horizon, above -90 and below 90.
struct TViewDirection
{
    double Azimuth = 0;
    double Elevation = 0;
};

// The share of the picture's width or height a framed model spans.
inline constexpr double FrameFill = 0.9;

struct TFramedView
{
    TModelPoint Eye;
    TModelPoint Target;
};

// The eye and target of a view in direction, with the vertical field of view
// fieldOfView (degrees) and a picture aspect (width to height as drawn), that
// shows every point: the points span FrameFill of the picture's width or
// height, centred, and none lies nearer to the eye than the near plane
// allows (a small model is then drawn smaller). In the orthographic
// projection, whose picture is as high at every depth as the perspective's
// at the target, the target lies at least that far from the eye. None for no
// points or for a point that is not finite.
std::optional<TFramedView> FrameView(const std::vector<TModelPoint>& points, TViewDirection direction,
                                     double fieldOfView, double aspect, bool orthographic = false);
