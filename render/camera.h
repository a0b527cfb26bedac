#pragma once

#include "model/records.h"

#include <array>

// The fixed view of the one picture: the eye moves to the origin, then the
// scene turns by Yaw about the vertical and by Pitch about x. Degrees.
struct TCamera
{
    double EyePoint[3] = {5000, 2000, 60000};
    double Yaw = 0;
    double Pitch = 0;
    double ViewAngle = 90;
    // From the eye to the target the angles were taken from; the orthographic
    // projection's height is this times 2 tan(ViewAngle / 2).
    double TargetDistance = 0;
};

// Sets Yaw, Pitch, ViewAngle and TargetDistance from the eye and target;
// clamps the field of view to 10..160 and writes it back into view.
void DeriveCamera(TViewParameters& view, TCamera& camera);

// EyePoint := the eye of view, widened to double.
void TakeEyePoint(const TViewParameters& view, TCamera& camera);

// The point the picture looks at: on the camera's line of sight, as far from
// its eye as the view's target is from the view's eye (1000 units when they
// coincide, as in a drawing that sets no view).
std::array<double, 3> LookedAtPoint(const TCamera& camera, const TViewParameters& view);
