#pragma once

#include "model/build_record.h"
#include "render/gl_canvas_context.h"
#include "render/picture.h"
#include "render/render_view.h"
#include "start/view_overrides.h"

#include <optional>
#include <string>

// What the start leaves for the window and the command-line companion: the
// render state and context every later render uses, the picture, and the
// error that stopped the start, if one did.
struct TStartState
{
    TRenderState Render;
    TGLCanvasContext Context;
    TPicture Picture;
    // The view the camera was derived from: the drawing's, as the overrides
    // change it, its field of view clamped.
    TViewParameters View;

    // The text the error box shows (UTF-8, full stop added), when the start failed.
    std::optional<std::string> StartError;

    // False when the first render could not draw: no context, or too little
    // memory for a large picture.
    bool PictureDrawn = false;
    // The companion leaves the first render out when it writes no picture of
    // it: a render loads OSMesa, and with it llvmpipe's LLVM.
    bool FirstRender = true;
    // The companion without any picture builds no draw list either: on a
    // large plan it is a second copy of every vertex, and triangulates every
    // face.
    bool PrepareDrawing = true;
};

// The window-independent part of the start: initial camera, framed white
// picture, faces released, the two material tables and the drawing read from
// the current directory, camera and (when PrepareDrawing) draw list derived, background copied,
// first render. An error stops the sequence where it occurs and is kept in
// StartError. The view the drawing gives is changed by overrides before the
// camera is derived. The picture's size, the aspect ratio and the context's
// samples are the caller's. With a record, the build keeps there what the
// plan check, the layer names and the export read.
void RunStartSequence(TStartState& state, TBuildRecord* record = nullptr,
                      const TViewOverrides& overrides = {});
