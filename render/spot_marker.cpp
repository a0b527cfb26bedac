#include "render/spot_marker.h"

namespace
{

constexpr float PinHeight = 1200; // model units: 1.2 m

} // namespace

void DrawSpotMarker(const TGLFunctions& gl, const std::array<float, 3>& spot)
{
    const std::array<float, 3> pin[2] = {spot, {spot[0], spot[1] + PinHeight, spot[2]}};
    const std::array<float, 3> red[2] = {{0.9f, 0.05f, 0.05f}, {0.9f, 0.05f, 0.05f}};
    gl.Disable(GL_LIGHTING);
    gl.Disable(GL_DEPTH_TEST);
    gl.Disable(GL_CLIP_PLANE0);
    gl.VertexPointer(3, GL_FLOAT, 0, pin[0].data());
    gl.ColorPointer(3, GL_FLOAT, 0, red[0].data());
    gl.LineWidth(3);
    gl.DrawArrays(GL_LINES, 0, 2);
    gl.PointSize(9);
    gl.DrawArrays(GL_POINTS, 0, 2);
}
