#pragma once

#include "render/gl_functions.h"

#include <array>

// Marks a spot of the scene (model axes) so that it shows through anything
// in front of it: a red pin standing on the spot, drawn unlit over the
// picture, with a dot at each end. Called after the faces, with the
// vertex and colour arrays on.
void DrawSpotMarker(const TGLFunctions& gl, const std::array<float, 3>& spot);
