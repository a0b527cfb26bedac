#pragma once

#include "check/finding.h"
#include "model/build_record.h"

#include <optional>
#include <vector>

struct TCheckOptions
{
    // How far a height mark may lie from a segment end to be taken for one
    // meant for it; without it, 1% of the segment's length, at most 50.
    std::optional<float> SnapDistance;
};

// Explains the walls and slabs a build did not make: reads the record a
// SceneLoader asked to keep origins left, with the model's own tolerance,
// heights and ring facts. Findings are sorted by slot, then line number.
std::vector<TFinding> CheckPlan(const TBuildRecord& record, const TCheckOptions& options = {});
