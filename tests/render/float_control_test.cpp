#include "render/float_control.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>
#endif

TEST(MaskFloatingPointExceptions, DivisionByZeroAndInvalidOperationsGoOn)
{
    feenableexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
    MaskFloatingPointExceptions();
    EXPECT_EQ(fegetexcept(), 0);
#if defined(__x86_64__) || defined(__i386__)
    EXPECT_EQ(_mm_getcsr() & _MM_MASK_MASK, unsigned(_MM_MASK_MASK)); // denormal operand included
    unsigned short control = 0;
    __asm__ volatile("fnstcw %0" : "=m"(control));
    EXPECT_EQ(control & 0x3F, 0x3F);
#endif

    volatile double zero = 0;
    volatile double huge = 1e308;
    EXPECT_TRUE(std::isinf(1 / zero));
    EXPECT_TRUE(std::isnan(zero / zero));
    EXPECT_TRUE(std::isinf(huge * huge));
    volatile long double x87 = 1;
    EXPECT_TRUE(std::isinf(double(x87 / zero)));
}
