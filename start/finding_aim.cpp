#include "start/finding_aim.h"

#include "common/numbers.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace
{

constexpr double NearestAim = 2000;
constexpr double FarthestAim = 8000;
constexpr double AimElevation = 35; // degrees

// The middle height of the segment end nearer to x, y.
float EndHeight(const SegmentRecord& s, float x, float y)
{
    const double first = std::hypot(double(s.X1) - x, double(s.Y1) - y);
    const double second = std::hypot(double(s.X2) - x, double(s.Y2) - y);
    if (!(second < first))
        return ToSingle((double(s.Top1) + s.Bottom1) / 2);
    return ToSingle((double(s.Top2) + s.Bottom2) / 2);
}

float SpotHeight(const TFinding& finding, const LayerSlot& slot, float x, float y)
{
    if (finding.Lines.empty())
        return slot.BaseHeight;
    const int32_t line = finding.Lines.front();
    for (size_t s = 0; s < slot.SegmentLines.size() && s < slot.Segments.size(); ++s)
        if (slot.SegmentLines[s] == line)
            return EndHeight(slot.Segments[s], x, y);
    for (size_t m = 0; m < slot.MarkLines.size() && m < slot.Marks.size(); ++m)
        if (slot.MarkLines[m] == line)
            return ToSingle((double(slot.Marks[m].Height1) + slot.Marks[m].Height2) / 2);
    return slot.BaseHeight;
}

} // namespace

TModelSpot FindingSpot(const TFinding& finding, const TBuildRecord& record)
{
    const float x = finding.X, y = ToSingle(-double(finding.Y));
    float height = 0;
    if (finding.Slot < record.Slots.size())
        height = SpotHeight(finding, record.Slots[finding.Slot], x, y);
    return {x, height, y};
}

void AimAt(TViewParameters& view, const TModelSpot& spot)
{
    if (!std::all_of(spot.begin(), spot.end(), [](float v) { return std::isfinite(v); }))
        return;
    double dx = double(view.EyeX) - view.TargetX;
    double dz = double(view.EyeY) - view.TargetY;
    const double dy = double(view.EyeHeight) - view.TargetHeight;
    const double level = std::hypot(dx, dz);
    double distance = std::hypot(level, dy);
    distance = std::isfinite(distance) ? std::clamp(distance, NearestAim, FarthestAim) : FarthestAim;
    // Straight above or below the target, or a view that is no view: from
    // the south, where the stored plan y grows.
    if (level > 1e-3 * distance && std::isfinite(level))
    {
        dx /= level;
        dz /= level;
    }
    else
    {
        dx = 0;
        dz = 1;
    }
    const double elevation = AimElevation * std::numbers::pi / 180;
    const double across = distance * std::cos(elevation);
    view.TargetX = spot[0];
    view.TargetHeight = spot[1];
    view.TargetY = spot[2];
    view.EyeX = ToSingle(spot[0] + dx * across);
    view.EyeHeight = ToSingle(spot[1] + distance * std::sin(elevation));
    view.EyeY = ToSingle(spot[2] + dz * across);
}
