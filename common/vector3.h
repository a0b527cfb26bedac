#pragma once

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
// recognise a straight corner by its near-zero normal.
TVec3 UnitNormal(TVec3 a, TVec3 b);
