#pragma once

#include "common/tolerance.h"

#include <cmath>

// A single-precision 3-vector: model points (plan x, height, plan y) and normals.
struct TVec3
{
    float X = 0;
    float Y = 0;
    float Z = 0;
};

inline TVec3 operator-(TVec3 a, TVec3 b)
{
    return {a.X - b.X, a.Y - b.Y, a.Z - b.Z};
}

// Cross product a x b scaled to length 1. A cross product shorter than the
// tolerance (parallel or zero vectors) is returned unscaled, so callers can
// recognise a straight corner by its near-zero normal. Inline: the flatness
// test of the outlines calls it at every corner.
inline TVec3 UnitNormal(TVec3 a, TVec3 b)
{
    TVec3 n;
    n.X = a.Y * b.Z - a.Z * b.Y;
    n.Y = a.Z * b.X - a.X * b.Z;
    n.Z = a.X * b.Y - a.Y * b.X;
    float length = std::sqrt(n.X * n.X + n.Y * n.Y + n.Z * n.Z);
    if (length >= NearTolerance)
    {
        n.X /= length;
        n.Y /= length;
        n.Z /= length;
    }
    return n;
}
