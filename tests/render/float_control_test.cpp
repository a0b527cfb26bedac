#include "render/float_control.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>

TEST(MaskFloatingPointExceptions, DivisionByZeroAndInvalidOperationsGoOn)
{
    feenableexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
    MaskFloatingPointExceptions();
    // Were any of these trapped, the test would end on a signal.

    volatile double zero = 0;
    volatile double huge = 1e308;
    EXPECT_TRUE(std::isinf(1 / zero));
    EXPECT_TRUE(std::isnan(zero / zero));
    EXPECT_TRUE(std::isinf(huge * huge));
    volatile long double x87 = 1;
    EXPECT_TRUE(std::isinf(double(x87 / zero)));
}
