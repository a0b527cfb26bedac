#include "render/navigation.h"

#include "common/numbers.h"
#include "render/camera.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace
{

constexpr double SteepestHead = 85;

double Radians(double degrees)
{
    return degrees * std::numbers::pi / 180;
}

TModelPoint Eye(const TViewParameters& view)
{
    return {view.EyeX, view.EyeHeight, view.EyeY};
}

TModelPoint Target(const TViewParameters& view)
{
    return {view.TargetX, view.TargetHeight, view.TargetY};
}

TModelPoint Plus(const TModelPoint& a, const TModelPoint& b, double scale = 1)
{
    return {a[0] + b[0] * scale, a[1] + b[1] * scale, a[2] + b[2] * scale};
}

TModelPoint Minus(const TModelPoint& a, const TModelPoint& b)
{
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

double Length(const TModelPoint& a)
{
    return std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
}

// The picture's axes in the model, from the angles the render pass turns the
// scene by, so that they follow the picture exactly: Right and Up, Forward
// along the line of sight, and Ahead, the line of sight's bearing over the
// plan.
struct TPictureAxes
{
    TModelPoint Right;
    TModelPoint Up;
    TModelPoint Forward;
    TModelPoint Ahead;
    double ViewAngle = 0;  // the field of view, degrees
    double HalfHeight = 0; // tan(half the field of view)
};

TPictureAxes AxesOf(const TViewParameters& view)
{
    TViewParameters copy = view;
    TCamera camera;
    DeriveCamera(copy, camera);
    const double yaw = Radians(camera.Yaw), pitch = Radians(camera.Pitch);
    const double cy = std::cos(yaw), sy = std::sin(yaw), cp = std::cos(pitch), sp = std::sin(pitch);
    TPictureAxes axes;
    axes.Right = {cy, 0, sy};
    axes.Up = {sy * sp, cp, -cy * sp};
    axes.Forward = {sy * cp, -sp, -cy * cp};
    axes.Ahead = {sy, 0, -cy};
    axes.ViewAngle = camera.ViewAngle;
    axes.HalfHeight = std::tan(Radians(camera.ViewAngle) / 2);
    return axes;
}

// The bearing over the plan from a to b as a unit vector, or fallback when b
// lies (nearly) straight above or below a.
TModelPoint Bearing(const TModelPoint& from, const TModelPoint& to, const TModelPoint& fallback)
{
    const double dx = to[0] - from[0], dz = to[2] - from[2];
    const double length = std::hypot(dx, dz);
    if (!(length > 1e-9 * std::max(1.0, Length(Minus(to, from)))))
        return fallback;
    return {dx / length, 0, dz / length};
}

// The point at distance and elevation (degrees) from origin along bearing.
TModelPoint AtElevation(const TModelPoint& origin, const TModelPoint& bearing, double distance,
                        double elevation)
{
    const double level = distance * std::cos(Radians(elevation));
    return {origin[0] + bearing[0] * level, origin[1] + distance * std::sin(Radians(elevation)),
            origin[2] + bearing[2] * level};
}

double Elevation(const TModelPoint& from, const TModelPoint& to)
{
    return std::atan2(to[1] - from[1], std::hypot(to[0] - from[0], to[2] - from[2])) * 180 / std::numbers::pi;
}

bool Finite(const TModelPoint& p)
{
    return std::isfinite(float(p[0])) && std::isfinite(float(p[1])) && std::isfinite(float(p[2]));
}

// Stores eye and target in single precision. A view a hair off the vertical
// keeps at least 0.01 between eye and target over the plan once rounded,
// below which the camera would take it for a vertical one and turn the
// picture; the eye is moved out along its bearing by whole steps of the
// single-precision grid until it does. Nothing changes when a point is not
// finite.
void Store(TViewParameters& view, const TModelPoint& eye, const TModelPoint& target)
{
    if (!Finite(eye) || !Finite(target))
        return;
    float ex = ToSingle(eye[0]), ez = ToSingle(eye[2]);
    const float tx = ToSingle(target[0]), tz = ToSingle(target[2]);
    const double dx = eye[0] - target[0], dz = eye[2] - target[2];
    // As the camera measures it: differences and length in single precision.
    const auto level = [&] { return std::sqrt((tx - ex) * (tx - ex) + (tz - ez) * (tz - ez)); };
    if (dx != 0 || dz != 0)
        for (int step = 0; step < 64 && level() < 0.01; ++step)
        {
            if (std::fabs(dz) >= std::fabs(dx))
                ez = std::nextafter(ez, dz > 0 ? INFINITY : -INFINITY);
            else
                ex = std::nextafter(ex, dx > 0 ? INFINITY : -INFINITY);
        }
    view.EyeX = ex;
    view.EyeHeight = ToSingle(eye[1]);
    view.EyeY = ez;
    view.TargetX = tx;
    view.TargetHeight = ToSingle(target[1]);
    view.TargetY = tz;
}

// The eye-to-target distance an operation turning the eye keeps: never so
// short that the target is at the eye.
double Distance(const TViewParameters& view)
{
    return std::max(Length(Minus(Target(view), Eye(view))), NearestDistance);
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
    cosine = std::cos(Radians(rest));
    sine = std::sin(Radians(rest));
}

} // namespace

TModelExtent ExtentOf(const TDrawList& list)
{
    TModelExtent extent;
    for (const std::array<float, 3>& v : list.Vertices)
    {
        if (!std::isfinite(v[0]) || !std::isfinite(v[1]) || !std::isfinite(v[2]))
            continue;
        for (int i = 0; i < 3; ++i)
        {
            extent.Min[i] = extent.Empty ? v[i] : std::min(extent.Min[i], double(v[i]));
            extent.Max[i] = extent.Empty ? v[i] : std::max(extent.Max[i], double(v[i]));
        }
        extent.Empty = false;
    }
    return extent;
}

double FarthestDistance(const TModelExtent& extent)
{
    return std::max(50000.0, 20 * Length(Minus(extent.Max, extent.Min)));
}

void TurnAboutTarget(TViewParameters& view, double degrees)
{
    // In the host's plan, where y is the stored y negated.
    double cosine = 1, sine = 0;
    CosSin(degrees, cosine, sine);
    const double dx = double(view.EyeX) - view.TargetX;
    const double dy = -(double(view.EyeY) - view.TargetY);
    const double turnedX = dx * cosine - dy * sine;
    const double turnedY = dx * sine + dy * cosine;
    view.EyeX = ToSingle(view.TargetX + turnedX);
    view.EyeY = ToSingle(view.TargetY - turnedY);
}

void RaiseAboutTarget(TViewParameters& view, double degrees)
{
    const TModelPoint eye = Eye(view), target = Target(view);
    const TModelPoint back = Bearing(target, eye, Minus({0, 0, 0}, AxesOf(view).Ahead));
    const double elevation =
        std::clamp(Elevation(target, eye) + degrees, -SteepestElevation, SteepestElevation);
    Store(view, AtElevation(target, back, Distance(view), elevation), target);
}

void Pan(TViewParameters& view, double right, double up, double aspect)
{
    const TPictureAxes axes = AxesOf(view);
    const double height = 2 * Length(Minus(Target(view), Eye(view))) * axes.HalfHeight;
    const TModelPoint shift =
        Plus(Plus({0, 0, 0}, axes.Right, -right * height * aspect), axes.Up, -up * height);
    Store(view, Plus(Eye(view), shift), Plus(Target(view), shift));
}

void ZoomToward(TViewParameters& view, double factor, double right, double up, double aspect,
                const TModelExtent& extent)
{
    const TPictureAxes axes = AxesOf(view);
    const TModelPoint eye = Eye(view), target = Target(view);
    const double distance = Length(Minus(target, eye));
    if (!(factor > 0) || !(distance > 0))
        return;
    // Never closer than the nearest distance, nor farther than the farthest,
    // but a view already beyond a limit may come back from it.
    double scale = std::max(factor, std::min(1.0, NearestDistance / distance));
    scale = std::min(scale, std::max(1.0, FarthestDistance(extent) / distance));
    const double height = 2 * distance * axes.HalfHeight;
    const TModelPoint fixed = Plus(Plus(target, axes.Right, right * height * aspect), axes.Up, up * height);
    Store(view, Plus(fixed, Minus(eye, fixed), scale), Plus(fixed, Minus(target, fixed), scale));
}

void Walk(TViewParameters& view, double forward, double right)
{
    const TPictureAxes axes = AxesOf(view);
    const TModelPoint shift = Plus(Plus({0, 0, 0}, axes.Ahead, forward), axes.Right, right);
    Store(view, Plus(Eye(view), shift), Plus(Target(view), shift));
}

void RaiseEye(TViewParameters& view, double height)
{
    const TModelPoint shift = {0, height, 0};
    Store(view, Plus(Eye(view), shift), Plus(Target(view), shift));
}

void TurnHead(TViewParameters& view, double yaw, double pitch)
{
    const TModelPoint eye = Eye(view), target = Target(view);
    const TModelPoint ahead = Bearing(eye, target, AxesOf(view).Ahead);
    // Counter-clockwise seen from above, where the plan's y is the stored z negated.
    double cosine = 1, sine = 0;
    CosSin(yaw, cosine, sine);
    const TModelPoint turned = {ahead[0] * cosine + ahead[2] * sine, 0, -ahead[0] * sine + ahead[2] * cosine};
    const double elevation = std::clamp(Elevation(eye, target) + pitch, -SteepestHead, SteepestHead);
    Store(view, eye, AtElevation(eye, turned, Distance(view), elevation));
}

double LowestFloorUnder(const TDrawList& list, double x, double z)
{
    double lowest = INFINITY;
    for (const DrawPolygon& face : list.Faces)
    {
        const std::array<float, 3>* v = list.Vertices.data() + face.FirstVertex;
        if (face.VertexCount < 3 || !(v[0][1] < lowest))
            continue;
        bool level = true, inside = false;
        for (int32_t i = 0, j = face.VertexCount - 1; i < face.VertexCount && level; j = i++)
        {
            level = v[i][1] == v[0][1];
            // Even-odd: count the edges crossing the line through the point along x.
            if ((v[i][2] > z) != (v[j][2] > z) &&
                x < v[j][0] + (z - v[j][2]) * (v[i][0] - v[j][0]) / (v[i][2] - v[j][2]))
                inside = !inside;
        }
        if (level && inside && std::isfinite(v[0][1]))
            lowest = v[0][1];
    }
    return std::isfinite(lowest) ? lowest : 0;
}

void StartWalk(TViewParameters& view, const TDrawList& list)
{
    TModelPoint eye = Eye(view);
    const TModelPoint target = Target(view);
    const TModelPoint ahead = Bearing(eye, target, AxesOf(view).Ahead);
    eye[1] = LowestFloorUnder(list, eye[0], eye[2]) + WalkEyeHeight;
    const double level = std::max(std::hypot(target[0] - eye[0], target[2] - eye[2]), 1000.0);
    Store(view, eye, AtElevation(eye, ahead, level, 0));
}

void ShowFixedView(TViewParameters& view, TFixedView fixed)
{
    const TModelPoint target = Target(view);
    const double distance = Distance(view);
    const double half = std::numbers::sqrt2 / 2;
    switch (fixed)
    {
    case TFixedView::Top:
        Store(view, AtElevation(target, {0, 0, 1}, distance, SteepestElevation), target);
        break;
    case TFixedView::Front:
        Store(view, AtElevation(target, {0, 0, 1}, distance, 0), target);
        break;
    case TFixedView::Right:
        Store(view, AtElevation(target, {1, 0, 0}, distance, 0), target);
        break;
    case TFixedView::Corner:
        Store(view, AtElevation(target, {half, 0, half}, distance, 30), target);
        break;
    }
}

void FrameModel(TViewParameters& view, const TDrawList& list, double aspect, bool orthographic)
{
    const TPictureAxes axes = AxesOf(view);
    TViewDirection direction;
    direction.Azimuth = std::atan2(-axes.Ahead[2], axes.Ahead[0]) * 180 / std::numbers::pi;
    direction.Elevation = std::clamp(std::asin(-axes.Forward[1]) * 180 / std::numbers::pi, -SteepestElevation,
                                     SteepestElevation);
    std::vector<TModelPoint> points;
    points.reserve(list.Vertices.size());
    for (const std::array<float, 3>& v : list.Vertices)
        if (std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]))
            points.push_back({v[0], v[1], v[2]});
    if (const std::optional<TFramedView> framed =
            FrameView(points, direction, axes.ViewAngle, aspect, orthographic))
        Store(view, framed->Eye, framed->Target);
}
