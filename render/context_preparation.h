#pragma once

#include <GL/osmesa.h>

#include <future>

// A program may load OSMesa, make its context and have llvmpipe compile the
// render pass's shaders on a second thread, while it builds its window or
// reads the drawing; the first render then takes that context instead of
// making one. Only the waiting changes: what is drawn, and when, does not.

// Starts preparing a context for pictures drawn on a screen of this colour
// depth with this many samples a pixel. The program's main hands the result
// to the canvas that draws the first picture (TGLCanvasContext::Prepared),
// which waits for it there; a null context means the preparation failed.
std::future<OSMesaContext> PrepareContext(int screenColorDepth, int samples);
