#pragma once

#include "check/finding.h"
#include "model/build_record.h"
#include "model/records.h"

#include <array>

// A point on the model's axes: plan x, height, stored plan y (the host's y
// negated).
using TModelSpot = std::array<float, 3>;

// The spot a finding is about: its plan place, at the middle height of the
// segment end or the mark its first line names, else at its layer's base
// height.
TModelSpot FindingSpot(const TFinding& finding, const TBuildRecord& record);

// Looks at spot from a sensible distance: the eye keeps its bearing from the
// target (from the south when it has none), 35 degrees above the spot, no
// farther than 8 m and no nearer than 2 m; the field of view stays.
void AimAt(TViewParameters& view, const TModelSpot& spot);
