#pragma once

#include "render/gl_canvas_context.h"
#include "render/picture.h"
#include "render/render_view.h"

#include <optional>
#include <string>

// The state the main window holds besides its controls. The window and the
// command-line companion both fill it with RunStartSequence.
struct TWindowState
{
    TRenderState Render;
    TGLCanvasContext Context;
    TPicture Picture;
    std::string ProgramFolder; // empty until a start has succeeded

    // The text the error box shows (UTF-8, full stop added), when the start failed.
    std::optional<std::string> StartError;
};

// The window-independent part of the start: initial camera, framed white
// picture, faces released, the two material tables and the drawing read,
// camera and draw list derived, background copied, first render. An error
// stops the sequence where it occurs and is kept in StartError.
void RunStartSequence(TWindowState& state);
