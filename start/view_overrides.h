#pragma once

#include "model/records.h"
#include "render/render_view.h"

#include <array>
#include <optional>

// Changes to the view a drawing gives, in the drawing's own terms: plan x and
// y as the host writes them (y not negated), heights in metres.
struct TViewOverrides
{
    std::optional<std::array<double, 3>> Eye;    // x, y, height
    std::optional<std::array<double, 3>> Target; // x, y, height
    std::optional<double> FieldOfView;           // degrees
    std::optional<double> Turn; // degrees, counter-clockwise in the host's plan, about the target
    bool Orthographic = false;  // the orthographic projection of the same view
};

// Replaces each part of view that overrides names, then turns the eye about
// the vertical through the target. Stored as the drawing's own texts are:
// plan y negated, heights times 1000, single precision.
void ApplyViewOverrides(const TViewOverrides& overrides, TViewParameters& view);

// The camera of the drawing's view as overrides change it, as both programs
// derive it: the overrides applied to view, the camera derived from it
// (which clamps its field of view) and its eye taken, the projection chosen.
void DeriveView(TViewParameters& view, const TViewOverrides& overrides, TRenderState& render);
