#pragma once

// Masks every floating-point exception (invalid operation, denormal operand,
// division by zero, overflow, underflow, inexact) for the calling thread, so
// that no operation traps: each gives its IEEE 754 default result instead.
// Called first thing in main, before any window or context exists.
void MaskFloatingPointExceptions();
