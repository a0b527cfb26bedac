#pragma once

#include <GL/osmesa.h>

// The window's start may load OSMesa and make its context on a second thread
// while Qt builds the window; the first render takes that context instead of
// making one. Only the waiting changes: what is drawn, and when, does not.

// Starts loading OSMesa and making a context for the first render.
void StartPreparingContext();

// Waits for the preparation started, if any, and hands over its context
// once; null when none was started or it failed.
OSMesaContext TakePreparedContext();
