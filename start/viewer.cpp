#include "start/viewer.h"

#include <cmath>
#include <tuple>

namespace
{

constexpr double KeyTurn = 15;         // degrees
constexpr double KeyZoom = 0.8;        // of the distance, per press of +
constexpr double WheelZoomStep = 0.85; // per notch
constexpr double Step = 250;           // a walker's step, in model units
constexpr double EyeStep = 100;        // Page Up and Page Down
// A drag across the whole picture's width or height turns by this much.
constexpr double DragOrbit = 180;
constexpr double DragHead = 90;

// The viewer now shows view, kept as the eye, target and field of view it
// stores; the projection stays.
void Show(TViewer& viewer, const TViewParameters& view)
{
    viewer.View.Eye = {{view.EyeX, 0.0 - view.EyeY, view.EyeHeight / 1000.0}};
    viewer.View.Target = {{view.TargetX, 0.0 - view.TargetY, view.TargetHeight / 1000.0}};
    viewer.View.FieldOfView = view.FieldOfView;
    viewer.View.Turn.reset();
}

void Turn(TViewer& viewer, double degrees)
{
    viewer.View.Turn = viewer.View.Turn.value_or(0) + degrees;
}

TViewerAction CharacterAction(char32_t character, bool walking)
{
    switch (character)
    {
    case '+':
    case '=':
        return TViewerAction::ZoomIn;
    case '-':
        return TViewerAction::ZoomOut;
    case 'f':
    case 'F':
        return TViewerAction::Frame;
    case '7':
        return TViewerAction::TopView;
    case '1':
        return TViewerAction::FrontView;
    case '3':
        return TViewerAction::RightView;
    case '9':
        return TViewerAction::CornerView;
    case '5':
        return TViewerAction::ToggleProjection;
    case 'v':
    case 'V':
        return TViewerAction::ToggleWalk;
    default:
        break;
    }
    if (!walking)
        return TViewerAction::None;
    switch (character)
    {
    case 'w':
    case 'W':
        return TViewerAction::StepForward;
    case 's':
    case 'S':
        return TViewerAction::StepBack;
    case 'a':
    case 'A':
        return TViewerAction::StepLeft;
    case 'd':
    case 'D':
        return TViewerAction::StepRight;
    default:
        return TViewerAction::None;
    }
}

} // namespace

TViewerAction ActionForKey(TViewerKey key, char32_t character, bool walking)
{
    switch (key)
    {
    case TViewerKey::Other:
        return CharacterAction(character, walking);
    case TViewerKey::Left:
        return walking ? TViewerAction::StepLeft : TViewerAction::TurnLeft;
    case TViewerKey::Right:
        return walking ? TViewerAction::StepRight : TViewerAction::TurnRight;
    case TViewerKey::Up:
        return walking ? TViewerAction::StepForward : TViewerAction::OrbitUp;
    case TViewerKey::Down:
        return walking ? TViewerAction::StepBack : TViewerAction::OrbitDown;
    case TViewerKey::PageUp:
        return TViewerAction::EyeUp;
    case TViewerKey::PageDown:
        return TViewerAction::EyeDown;
    case TViewerKey::Home:
        return TViewerAction::Home;
    case TViewerKey::Escape:
        return walking ? TViewerAction::LeaveWalk : TViewerAction::None;
    }
    return TViewerAction::None;
}

TViewParameters ShownView(const TViewer& viewer)
{
    TViewParameters view = viewer.DrawingView;
    ApplyViewOverrides(viewer.View, view);
    return view;
}

void DeriveShownCamera(const TViewer& viewer, TRenderState& render)
{
    TViewParameters view = viewer.DrawingView;
    DeriveView(view, viewer.View, render);
}

void Perform(TViewer& viewer, TViewerAction action, const TDrawList& list, const TModelExtent& extent,
             double aspect)
{
    TViewParameters view = ShownView(viewer);
    switch (action)
    {
    case TViewerAction::None:
        return;
    case TViewerAction::TurnLeft:
        Turn(viewer, KeyTurn);
        return;
    case TViewerAction::TurnRight:
        Turn(viewer, -KeyTurn);
        return;
    case TViewerAction::Home:
        viewer.View = {};
        viewer.Walking = false;
        return;
    case TViewerAction::ToggleProjection:
        viewer.View.Orthographic = !viewer.View.Orthographic;
        return;
    case TViewerAction::LeaveWalk:
        viewer.Walking = false;
        return;
    case TViewerAction::ToggleWalk:
        viewer.Walking = !viewer.Walking;
        if (!viewer.Walking)
            return;
        StartWalk(view, list);
        break;
    case TViewerAction::OrbitUp:
        RaiseAboutTarget(view, KeyTurn);
        break;
    case TViewerAction::OrbitDown:
        RaiseAboutTarget(view, -KeyTurn);
        break;
    case TViewerAction::ZoomIn:
        ZoomToward(view, KeyZoom, 0, 0, aspect, extent);
        break;
    case TViewerAction::ZoomOut:
        ZoomToward(view, 1 / KeyZoom, 0, 0, aspect, extent);
        break;
    case TViewerAction::Frame:
        FrameModel(view, list, aspect, viewer.View.Orthographic);
        break;
    case TViewerAction::TopView:
        ShowFixedView(view, TFixedView::Top);
        break;
    case TViewerAction::FrontView:
        ShowFixedView(view, TFixedView::Front);
        break;
    case TViewerAction::RightView:
        ShowFixedView(view, TFixedView::Right);
        break;
    case TViewerAction::CornerView:
        ShowFixedView(view, TFixedView::Corner);
        break;
    case TViewerAction::StepForward:
        Walk(view, Step, 0);
        break;
    case TViewerAction::StepBack:
        Walk(view, -Step, 0);
        break;
    case TViewerAction::StepLeft:
        Walk(view, 0, -Step);
        break;
    case TViewerAction::StepRight:
        Walk(view, 0, Step);
        break;
    case TViewerAction::EyeUp:
        RaiseEye(view, EyeStep);
        break;
    case TViewerAction::EyeDown:
        RaiseEye(view, -EyeStep);
        break;
    }
    Show(viewer, view);
}

void DragTurn(TViewer& viewer, double right, double down)
{
    TViewParameters view = ShownView(viewer);
    if (viewer.Walking)
    {
        TurnHead(view, -right * DragHead, -down * DragHead);
        Show(viewer, view);
        return;
    }
    // The model turns with the pointer: the eye goes the other way round.
    if (right != 0)
        Turn(viewer, -right * DragOrbit);
    if (down == 0)
        return;
    view = ShownView(viewer);
    RaiseAboutTarget(view, down * DragOrbit);
    Show(viewer, view);
}

void DragPan(TViewer& viewer, double right, double down, double aspect)
{
    TViewParameters view = ShownView(viewer);
    Pan(view, right, -down, aspect);
    Show(viewer, view);
}

void WheelZoom(TViewer& viewer, double notches, double right, double up, double aspect,
               const TModelExtent& extent)
{
    TViewParameters view = ShownView(viewer);
    ZoomToward(view, std::pow(WheelZoomStep, notches), right, up, aspect, extent);
    Show(viewer, view);
}

void LookAtSpot(TViewer& viewer, const TModelSpot& spot)
{
    TViewParameters view = ShownView(viewer);
    AimAt(view, spot);
    Show(viewer, view);
    viewer.Walking = false;
}

void ChangeDrawingView(TViewer& viewer, const TViewParameters& drawingView)
{
    const auto fields = [](const TViewParameters& v)
    { return std::tie(v.EyeX, v.EyeHeight, v.EyeY, v.FieldOfView, v.TargetX, v.TargetHeight, v.TargetY); };
    const TViewParameters shown = ShownView(viewer);
    const bool changed = fields(viewer.DrawingView) != fields(drawingView);
    viewer.DrawingView = drawingView;
    // What the old view changed is kept as it is, so a turn stays a turn.
    if (changed)
        Show(viewer, shown);
}
