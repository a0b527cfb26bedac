#pragma once

#include <cmath>

// Tolerances of the geometry. The constants and the differences are taken in
// single precision, so 0 and 0.0001 read from a file do not coincide.
inline constexpr float NearTolerance = 1e-4f;
inline constexpr float RoughTolerance = 0.1f;

// Two coordinates or heights are the same point or level when they differ by
// strictly less than the tolerance. NaN and infinities equal nothing.
inline bool NearlyEqual(float a, float b)
{
    float difference = a - b;
    return std::fabs(difference) < NearTolerance;
}

// The looser test used when comparing face normals.
inline bool RoughlyEqual(float a, float b)
{
    float difference = a - b;
    return std::fabs(difference) < RoughTolerance;
}
