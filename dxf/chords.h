#pragma once

#include <vector>

struct TPoint2
{
    double X = 0;
    double Y = 0;
};

// Arcs become chords that stray no more than 1% of the radius from the arc:
// 23 chords for a full circle, proportionally fewer for a shorter arc.

// The points of an arc round (centerX, centerY) from startAngle through a
// signed sweep (radians, positive anticlockwise), first and last included.
std::vector<TPoint2> ArcPoints(double centerX, double centerY, double radius, double startAngle,
                               double sweep);

// The points of a polyline edge from `from` to `to` with the given bulge
// (the tangent of a quarter of its included angle), `from` left out and `to`
// included, so that consecutive edges chain. A bulge of 0 gives `to` alone.
std::vector<TPoint2> BulgePoints(TPoint2 from, TPoint2 to, double bulge);
