#pragma once

#include "render/camera.h"
#include "render/draw_list.h"
#include "render/gl_canvas_context.h"
#include "render/picture.h"

#include <array>
#include <optional>
#include <span>
#include <vector>

// The one point light, a fixed point of the scene: its place, its ambient
// and diffuse intensity (grey) and its linear attenuation per unit of
// distance. OpenGL adds its scene ambient of 0.2.
struct TSceneLight
{
    std::array<float, 3> Position;
    float Ambient;
    float Diffuse;
    float LinearAttenuation;
};
inline constexpr TSceneLight SceneLight = {{79000.0f, 6000.0f, 21000.0f}, 0.7f, 1.0f, 0.000005f};

// What the main window holds for rendering: camera, clear colour, shading
// mode and the faces to draw.
struct TRenderState
{
    TCamera Camera;
    std::array<int32_t, 3> BackColor = {0, 0, 0};
    bool FlatShading = false;
    TDrawList DrawList;
    // Width over height of the projection: the window's 1.0 draws its 400 by
    // 300 picture stretched; a picture's own ratio draws it true.
    double AspectRatio = 1.0;
    // glOrtho instead of the perspective, for the same eye, target and field
    // of view.
    bool Orthographic = false;
    // Everything above this height (as the model stores heights) is cut
    // away; nothing is when it is unset.
    std::optional<float> CutHeight;
    // A spot (model axes) marked over the picture, such as a finding's.
    std::optional<std::array<float, 3>> Marker;
};

// Draws the whole scene into picture, the context made current for the render
// and released at the end. Every piece of state the render relies on is set
// anew each time, so a context kept from an earlier render draws as a fresh
// one would.
// False when nothing could be drawn (no context, or no draw target of the
// picture's size): the picture is then as it was.
bool RenderView(TGLCanvasContext& context, TPicture& picture, const TRenderState& state);

// The same render of other faces than state's: those given, in their order,
// whose vertices and corners lie in list's arrays. While the view moves the
// window draws the faces in view of a lighter list.
bool RenderFaces(TGLCanvasContext& context, TPicture& picture, const TRenderState& state,
                 const TDrawList& list, std::span<const DrawPolygon> faces);
