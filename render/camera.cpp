#include "render/camera.h"

#include <cmath>

namespace
{

// Degrees per radian are taken with this value of pi, not the exact one.
constexpr double PiForDegrees = 3.141592;

double Degrees(double radians)
{
    return radians * 180 / PiForDegrees;
}

} // namespace

void DeriveCamera(TViewParameters& view, TCamera& camera)
{
    float ex = view.EyeX, ey = view.EyeHeight, ez = view.EyeY;
    float tx = view.TargetX, ty = view.TargetHeight, tz = view.TargetY;
    // A drawing that sets no view at all still gets usable angles; the eye
    // point itself stays at the origin.
    if (ex == 0 && ey == 0 && ez == 0 && tx == 0 && ty == 0 && tz == 0)
    {
        ex = 1000, ey = 800, ez = 500;
        tx = 0, ty = 0, tz = 500;
    }

    if (view.FieldOfView > 160)
        view.FieldOfView = 160;
    if (view.FieldOfView < 10)
        view.FieldOfView = 10;

    const float dx = tx - ex;
    const float dy = ty - ey;
    const float dz = tz - ez;
    const float h = std::sqrt(dx * dx + dz * dz);

    // The limits are the real 0.01, not 0.01f: a difference of 0.01f, just
    // below 0.01, still counts as too short for an angle.
    if (h < 0.01)
        camera.Pitch = dy > 0 ? -90 : 90;
    else
        camera.Pitch = -Degrees(std::atan2(double(dy), double(h)));

    if (std::fabs(dx) < 0.01)
        camera.Yaw = dz >= 0 ? 180 : 0;
    else
        camera.Yaw = Degrees(std::atan2(double(dz), double(dx))) + 90;

    camera.ViewAngle = view.FieldOfView;
    camera.TargetDistance = std::sqrt(double(dx) * dx + double(dy) * dy + double(dz) * dz);
}

void TakeEyePoint(const TViewParameters& view, TCamera& camera)
{
    camera.EyePoint[0] = view.EyeX;
    camera.EyePoint[1] = view.EyeHeight;
    camera.EyePoint[2] = view.EyeY;
}

std::array<double, 3> LookedAtPoint(const TCamera& camera, const TViewParameters& view)
{
    double distance = std::hypot(double(view.TargetX) - view.EyeX, double(view.TargetHeight) - view.EyeHeight,
                                 double(view.TargetY) - view.EyeY);
    if (!(distance > 0) || !std::isfinite(distance))
        distance = 1000;
    // The render turns the scene by Pitch about x after Yaw about the
    // vertical; the eye looks along -z of the turned scene.
    const double yaw = camera.Yaw * M_PI / 180, pitch = camera.Pitch * M_PI / 180;
    const double sight[3] = {std::sin(yaw) * std::cos(pitch), -std::sin(pitch),
                             -std::cos(yaw) * std::cos(pitch)};
    return {camera.EyePoint[0] + sight[0] * distance, camera.EyePoint[1] + sight[1] * distance,
            camera.EyePoint[2] + sight[2] * distance};
}
