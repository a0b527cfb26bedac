#include "render/float_control.h"

#include <cfenv>

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>
#endif

void MaskFloatingPointExceptions()
{
    fedisableexcept(FE_ALL_EXCEPT);
#if defined(__x86_64__) || defined(__i386__)
    // The denormal-operand exception is x86's own and has no fenv name; mask
    // it in the SSE unit and in the x87 unit.
    _mm_setcsr(_mm_getcsr() | _MM_MASK_DENORM);
    unsigned short control = 0;
    __asm__ volatile("fnstcw %0" : "=m"(control));
    control |= 0x02;
    __asm__ volatile("fldcw %0" : : "m"(control));
#endif
}
