#include "dxf/plan_view.h"

#include "common/numbers.h"

#include <algorithm>

const char ViewLayerName[] = "Kestrelview view (eye v, target f)";

namespace
{

// Looking north-east from the south-west, a third of the way down from the
// horizon: floors, walls and their height all show.
constexpr TViewDirection CornerDirection = {45, 35};

// Looking north, a tenth of a degree short of straight down: the eye lies a
// hair south of the target, as a view straight down is turned upside down.
constexpr TViewDirection TopDirection = {90, 89.9};

// The window draws its 400 x 300 picture with the proportions of a square.
constexpr double WindowAspect = 1;

} // namespace

std::optional<TViewChoice> ViewChoiceNamed(std::string_view name)
{
    if (name == "corner")
        return TViewChoice::Corner;
    if (name == "top")
        return TViewChoice::Top;
    if (name == "none")
        return TViewChoice::None;
    return std::nullopt;
}

void TPlanExtent::Take(double x, double y, double scale)
{
    Finite = Finite && std::isfinite(ToSingle(x * scale)) && std::isfinite(ToSingle(y * scale));
    MinX = std::min(MinX, x), MaxX = std::max(MaxX, x);
    MinY = std::min(MinY, y), MaxY = std::max(MaxY, y);
}

TPlanView ChoosePlanView(TViewChoice choice, const std::vector<TModelPoint>& points,
                         const TPlanExtent& extent, bool ownView, bool layerFree)
{
    TPlanView view;
    if (choice == TViewChoice::None)
        view.Description = "none (--view none)";
    else if (ownView)
        view.Description = "the drawing's own (its v and f texts)";
    else if (!extent.Finite)
        view.Description = "none, the plan's extent is not finite";
    else if (extent.Empty())
        view.Description = "none, the plan has no segments";
    else if (!layerFree)
        view.Description = "none, all 256 layers hold the drawing (--layers frees one)";
    if (!view.Description.empty())
        return view;

    bool corner = choice == TViewChoice::Corner;
    view.Frame = FrameView(points, corner ? CornerDirection : TopDirection, PlanFieldOfView, WindowAspect);
    if (!view.Frame)
        view.Description = "none, the plan's extent is not finite";
    else
        view.Description =
            (corner ? "from the south-west, " + std::to_string(int(CornerDirection.Elevation)) +
                          " degrees above the horizon"
                    : std::string("from above, north up")) +
            ", on the layer \"" + ViewLayerName + "\"";
    return view;
}
