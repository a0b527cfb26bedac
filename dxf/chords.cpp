#include "dxf/chords.h"

#include <algorithm>
#include <cmath>

namespace
{

// The widest angle a chord may span: its middle then lies 1% of the radius
// inside the arc.
const double MaxChordAngle = 2 * std::acos(0.99);

// Enough for any arc a drawing holds; a sweep of many turns is cut down to this.
const int MaxChords = 23 * 64;

int ChordCount(double sweep)
{
    double count = std::ceil(std::fabs(sweep) / MaxChordAngle - 1e-9);
    if (!(count >= 1))
        return 1;
    return static_cast<int>(std::min<double>(count, MaxChords));
}

} // namespace

std::vector<TPoint2> ArcPoints(double centerX, double centerY, double radius, double startAngle, double sweep)
{
    int count = ChordCount(sweep);
    std::vector<TPoint2> points;
    points.reserve(count + 1);
    for (int i = 0; i <= count; i++)
    {
        double angle = startAngle + sweep * i / count;
        points.push_back({centerX + radius * std::cos(angle), centerY + radius * std::sin(angle)});
    }
    return points;
}

std::vector<TPoint2> BulgePoints(TPoint2 from, TPoint2 to, double bulge)
{
    double dx = to.X - from.X;
    double dy = to.Y - from.Y;
    double chord = std::hypot(dx, dy);
    if (bulge == 0 || chord == 0 || !std::isfinite(bulge))
        return {to};
    double sweep = 4 * std::atan(bulge);
    double radius = chord / (2 * std::sin(std::fabs(sweep) / 2));
    // The centre lies on the chord's perpendicular bisector, left of the
    // chord for an anticlockwise arc shorter than a half circle.
    double offset = chord / 2 / std::tan(sweep / 2);
    double centerX = (from.X + to.X) / 2 - dy / chord * offset;
    double centerY = (from.Y + to.Y) / 2 + dx / chord * offset;
    std::vector<TPoint2> points =
        ArcPoints(centerX, centerY, radius, std::atan2(from.Y - centerY, from.X - centerX), sweep);
    points.erase(points.begin());
    points.back() = to; // exactly, so that the next edge starts where this one ends
    return points;
}
