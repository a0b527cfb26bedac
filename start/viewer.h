#pragma once

#include "model/records.h"
#include "render/draw_list.h"
#include "render/navigation.h"
#include "render/render_view.h"
#include "start/finding_aim.h"
#include "start/view_overrides.h"

// What the window shows and how keys, drags and the wheel move it, without
// the window. The view is kept as the companion's options express it, so
// that those options draw exactly the picture shown: turns by key are kept
// as one angle from the eye they turn, everything else as the eye, target
// and field of view it gives, in single precision.
struct TViewer
{
    TViewParameters DrawingView; // the drawing's own view, which Home returns to
    TViewOverrides View;         // what is shown, as changes to the drawing's view
    bool Walking = false;
};

// What a key asks of the viewer.
enum class TViewerAction
{
    None,
    TurnLeft,  // the eye counter-clockwise about the target (seen from above), 15 degrees
    TurnRight, // clockwise
    OrbitUp,   // the eye 15 degrees of elevation higher about the target
    OrbitDown,
    ZoomIn, // closer to the target by a fixed factor
    ZoomOut,
    Home,  // the drawing's own view, in perspective, not walking
    Frame, // the whole model from the same direction
    TopView,
    FrontView,
    RightView,
    CornerView,
    ToggleProjection, // perspective or orthographic
    ToggleWalk,
    LeaveWalk,
    StepForward, // over the plan
    StepBack,
    StepLeft,
    StepRight,
    EyeUp, // eye and target together
    EyeDown,
};

// The keys that have no character of their own.
enum class TViewerKey
{
    Other, // a key known by its character
    Left,
    Right,
    Up,
    Down,
    PageUp,
    PageDown,
    Home,
    Escape,
};

// The action of a key, named or known by the character it types (the main
// row's and the keypad's digits alike). The arrows turn and raise the eye
// about the target, or walk while walking; W, A, S and D walk.
TViewerAction ActionForKey(TViewerKey key, char32_t character, bool walking);

// The view shown: the drawing's as the viewer changes it.
TViewParameters ShownView(const TViewer& viewer);

// The render state's camera and projection for the view shown, derived as
// the companion derives them from its options.
void DeriveShownCamera(const TViewer& viewer, TRenderState& render);

// Carries out action. list and extent are the model's (list may be the
// lighter one drawn while the view moves, which has the same outline);
// aspect is the projection's width over height.
void Perform(TViewer& viewer, TViewerAction action, const TDrawList& list, const TModelExtent& extent,
             double aspect);

// A drag that turns: the eye about the target, or the head while walking.
// right and down are the pointer's movement in shares of the picture's
// width and height.
void DragTurn(TViewer& viewer, double right, double down);

// A drag that pans: the scene at the target's depth follows the pointer.
void DragPan(TViewer& viewer, double right, double down, double aspect);

// Wheel notches (positive away from the user: closer) toward the point right
// and up of the picture's centre by these shares of its width and height.
void WheelZoom(TViewer& viewer, double notches, double right, double up, double aspect,
               const TModelExtent& extent);

// Looks at spot from a sensible distance, as AimAt does, and leaves walking.
void LookAtSpot(TViewer& viewer, const TModelSpot& spot);

// The drawing's own view becomes drawingView, as when the drawing is read
// again, and the view shown stays exactly as it was: Home then goes to the
// new view.
void ChangeDrawingView(TViewer& viewer, const TViewParameters& drawingView);
