#pragma once

#include "render/camera.h"
#include "render/draw_list.h"
#include "render/gl_canvas_context.h"
#include "render/picture.h"

#include <array>
#include <vector>

// What the main window holds for rendering: camera, clear colour, shading
// mode and the faces to draw.
struct TRenderState
{
    TCamera Camera;
    std::array<int32_t, 3> BackColor = {0, 0, 0};
    bool FlatShading = false;
    std::vector<DrawPolygon> DrawList;
};

// Draws the whole scene into picture with a fresh context, closed at the end.
void RenderView(TGLCanvasContext& context, TPicture& picture, const TRenderState& state);
