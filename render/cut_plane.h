#pragma once

#include "render/draw_list.h"
#include "render/gl_functions.h"

#include <optional>

// Cuts away everything higher than cut, a height as the model stores it,
// with a clip plane: faces through the plane are cut, not dropped, and a
// face lying at the cut height stays whole. With no cut, or one at or above
// every finite vertex of list, the plane is off and the picture is exactly
// the uncut one. Called with the scene's model-view matrix in place.
void SetCutPlane(const TGLFunctions& gl, const TDrawList& list, std::optional<float> cut);
