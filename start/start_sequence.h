#pragma once

#include "model/build_record.h"
#include "model/layers.h"
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
    // Layers whose faces the draw list leaves out; only a start or reload
    // given a record can tell which faces those are.
    THiddenLayers HiddenLayers;
};

// The window-independent part of the start: initial camera, framed white
// picture, faces released, the two material tables and the drawing read from
// the current directory, camera and (when PrepareDrawing) draw list derived,
// background copied, first render. An error stops the sequence where it
// occurs and is kept in StartError. The view the drawing gives is changed by overrides before the
// camera is derived. The picture's size, the aspect ratio and the context's
// samples are the caller's. With a record, the build keeps there what the
// plan check, the layer names and the export read.
void RunStartSequence(TStartState& state, TBuildRecord* record = nullptr,
                      const TViewOverrides& overrides = {});

// Builds the draw list of the model in PolygonList again, leaving out the
// faces of state's hidden layers as record tells them.
void RebuildDrawList(TStartState& state, const TBuildRecord* record);

// Reads the three files from the current directory again, as the start
// does, into fresh tables while the model shown stays aside. When they read,
// the new model, its record, its draw list (hidden layers left out), its
// background and its own view (View) replace the old ones and StartError is
// cleared; the camera,
// the shading, the cut height, the hidden layers and the picture stay the
// caller's. When they do not, the module tables and record are as they were
// and the text the error box shows is returned.
std::optional<std::string> ReloadDrawing(TStartState& state, TBuildRecord& record);
