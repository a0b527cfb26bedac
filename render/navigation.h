#pragma once

#include "common/framing.h"
#include "model/records.h"
#include "render/draw_list.h"

// Moving the view as a viewer does: turning the eye about the target,
// raising it, panning, zooming, walking and the fixed views. Each works on
// the view as the drawing's texts store it (model axes: x the plan x, y the
// height, z the plan y negated; single precision), so that the result is a
// view the companion's options can give exactly. An operation whose result
// would not be finite leaves the view as it was.

// The box round every finite vertex of a draw list; Empty when it has none.
struct TModelExtent
{
    TModelPoint Min = {0, 0, 0};
    TModelPoint Max = {0, 0, 0};
    bool Empty = true;
};

TModelExtent ExtentOf(const TDrawList& list);

// Zooming keeps the eye this far from the target at least, so that the
// target stays beyond the near plane, and at most FarthestDistance.
inline constexpr double NearestDistance = 600;

// How far zooming out may take the eye: twenty times the model's size, and
// never less than the far plane of the drawing's own view.
double FarthestDistance(const TModelExtent& extent);

// The steepest elevation of the eye above or below the target, in degrees:
// a hair off the vertical, so that the picture keeps its up and the plan
// seen from above reads with north at the top.
inline constexpr double SteepestElevation = 89.99;

// Turns the eye about the vertical through the target, counter-clockwise in
// the host's plan seen from above; whole quarter turns are exact.
void TurnAboutTarget(TViewParameters& view, double degrees);

// Raises the eye about the target by degrees of elevation, at the same
// distance and bearing, within SteepestElevation.
void RaiseAboutTarget(TViewParameters& view, double degrees);

// Moves eye and target together in the picture's plane so that the scene at
// the target's depth follows a pointer that moved right and up by these
// shares of the picture's width and height. aspect: the projection's width
// over height.
void Pan(TViewParameters& view, double right, double up, double aspect);

// Brings the eye closer to the target by factor (above 1 moves it away),
// toward the point of the target's plane that lies right and up of the
// picture's centre by these shares of its width and height, which stays in
// place. The distance stays within NearestDistance and FarthestDistance.
void ZoomToward(TViewParameters& view, double factor, double right, double up, double aspect,
                const TModelExtent& extent);

// Moves eye and target together over the plan: forward along the line of
// sight's bearing and to the right of it, in model units.
void Walk(TViewParameters& view, double forward, double right);

// Raises eye and target together by height.
void RaiseEye(TViewParameters& view, double height);

// Turns the line of sight about the eye: to the left by yaw degrees and up
// by pitch degrees, never steeper than 85 degrees.
void TurnHead(TViewParameters& view, double yaw, double pitch);

// The height of the lowest level face (a slab) whose outline holds the plan
// point x, z; 0 when there is none.
double LowestFloorUnder(const TDrawList& list, double x, double z);

// How high above the floor a walker's eye is.
inline constexpr double WalkEyeHeight = 1600;

// Puts the eye WalkEyeHeight above the lowest floor under it, looking level
// along the same bearing at a target at least a metre ahead.
void StartWalk(TViewParameters& view, const TDrawList& list);

// The fixed views: from above (north up), from the front (south), from the
// right (east), from a corner above (south-east, 30 degrees up).
enum class TFixedView
{
    Top,
    Front,
    Right,
    Corner,
};

// Looks at the same target from the same distance in a fixed direction.
void ShowFixedView(TViewParameters& view, TFixedView fixed);

// Frames every finite vertex of list from the same direction (FrameView),
// in a projection of aspect (width over height), perspective or
// orthographic. Nothing changes for a list without a finite vertex.
void FrameModel(TViewParameters& view, const TDrawList& list, double aspect, bool orthographic);
