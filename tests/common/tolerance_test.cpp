#include "common/numbers.h"
#include "common/tolerance.h"
#include "common/vector3.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(Tolerance, StrictlyLessThanTheSinglePrecisionConstant)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(NearlyEqual(0.0f, 0.00009f));
    // Read from a file, 0.0001 is the constant itself: not closer than it.
    EXPECT_FALSE(NearlyEqual(0.0f, ToSingle(ReadRealStrict("0.0001"))));
    EXPECT_FALSE(NearlyEqual(1000.0f, 1000.0001f + 0.0001f));
    EXPECT_FALSE(NearlyEqual(inf, inf));
    EXPECT_FALSE(NearlyEqual(nan, nan));
    EXPECT_FALSE(NearlyEqual(nan, 0.0f));
    EXPECT_TRUE(RoughlyEqual(0.0f, 0.09f));
    EXPECT_FALSE(RoughlyEqual(0.0f, 0.1f));
}

TEST(UnitNormal, ScalesLongCrossProductsOnly)
{
    TVec3 n = UnitNormal({2, 0, 0}, {0, 0, 3});
    EXPECT_FLOAT_EQ(n.X, 0);
    EXPECT_FLOAT_EQ(n.Y, -1);
    EXPECT_FLOAT_EQ(n.Z, 0);

    // Nearly parallel vectors: the short cross product is returned as it is.
    TVec3 tiny = UnitNormal({1, 0, 0}, {1, 0.00001f, 0});
    EXPECT_FLOAT_EQ(tiny.Z, 0.00001f);
    TVec3 zero = UnitNormal({1, 2, 3}, {2, 4, 6});
    EXPECT_EQ(zero.X, 0);
    EXPECT_EQ(zero.Y, 0);
    EXPECT_EQ(zero.Z, 0);
}
