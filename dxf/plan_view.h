#pragma once

#include "common/framing.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The view the bridge writes: corner (from the south-west, above), top
// (from straight above, north up) or none.
enum class TViewChoice : uint8_t
{
    Corner,
    Top,
    None,
};

// "corner", "top" or "none"; none for another name.
std::optional<TViewChoice> ViewChoiceNamed(std::string_view name);

// The field of view of the views the bridge writes, degrees.
inline constexpr double PlanFieldOfView = 60;

// The layer the view's texts go on, after the drawing's own.
extern const char ViewLayerName[];

// The plan's segment ends in drawing units; Finite is false when an end is no
// finite point as Kestrelview holds it.
struct TPlanExtent
{
    double MinX = INFINITY, MinY = INFINITY, MaxX = -INFINITY, MaxY = -INFINITY;
    bool Finite = true;

    // Takes a point in drawing units, scale millimetres to the unit.
    void Take(double x, double y, double scale);
    bool Empty() const { return MinX > MaxX; }
};

struct TPlanView
{
    std::optional<TFramedView> Frame; // none: no view is written
    std::string Description;          // how it was made, or why there is none
};

// The view for the model points of the plan (millimetres), framed for the
// window's picture. No view for none, for a drawing that sets its own eye or
// target (ownView), for a plan without extent and when no layer is free.
TPlanView ChoosePlanView(TViewChoice choice, const std::vector<TModelPoint>& points,
                         const TPlanExtent& extent, bool ownView, bool layerFree);
