#pragma once

#include "common/projection.h"
#include "render/camera.h"
#include "render/draw_list.h"

// Depths along the line of sight.
struct TDepthRange
{
    double Near = NearPlane;
    double Far = FarPlane;
};

// The clipping planes of a picture of list from camera: NearPlane and
// FarPlane, except where the model reaches beyond them. The far plane then
// moves out just past the farthest finite vertex; the near plane of the
// perspective stays, since the depth buffer's precision hangs on it, so a
// vertex even absurdly far away costs the near part of the picture nothing.
// The orthographic projection, whose precision is the same at every depth,
// also moves its near plane back (behind the eye if need be) to the nearest
// vertex, and spans no more than OrthographicDepthSpan: beyond that a
// vertex is cut away rather than every depth step made coarse.
TDepthRange DepthRangeOf(const TDrawList& list, const TCamera& camera, bool orthographic);

// 2^24 model units (16.8 km on a drawing in millimetres): depth steps of a
// unit in single precision.
inline constexpr double OrthographicDepthSpan = 16777216;
