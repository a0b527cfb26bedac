#pragma once

#include <GL/osmesa.h>

// A program may load OSMesa, make its context and have llvmpipe compile the
// render pass's shaders on a second thread, while it builds its window or
// reads the drawing; the first render then takes that context instead of
// making one. Only the waiting changes: what is drawn, and when, does not.

// Starts preparing a context for pictures drawn on a screen of this colour
// depth with this many samples a pixel, for as long as the object lives. The
// program's main holds it: when it goes, the preparation has ended and a
// context no render took is destroyed, before the libraries' own clean-up at
// exit could pull llvmpipe from under a thread still compiling.
struct TContextPreparation
{
    TContextPreparation(int screenColorDepth, int samples);
    TContextPreparation(const TContextPreparation&) = delete;
    TContextPreparation& operator=(const TContextPreparation&) = delete;
    ~TContextPreparation();
};

// Waits for the preparation, if one is under way, and hands over its context
// once; null when none was started or it failed.
OSMesaContext TakePreparedContext();
