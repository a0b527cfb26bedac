#include "common/vector3.h"

#include "common/tolerance.h"

#include <cmath>

TVec3 UnitNormal(TVec3 a, TVec3 b)
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
