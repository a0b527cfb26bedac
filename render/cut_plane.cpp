#include "render/cut_plane.h"

#include <cmath>

namespace
{

// How far above the cut height a point may lie and stay: half a millimetre,
// so that rounding in the clipping never nibbles at a face lying at the cut.
constexpr double CutTolerance = 0.5;

// Whether some finite vertex lies above height.
bool ReachesAbove(const TDrawList& list, double height)
{
    for (const std::array<float, 3>& v : list.Vertices)
        if (std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]) && v[1] > height)
            return true;
    return false;
}

} // namespace

void SetCutPlane(const TGLFunctions& gl, const TDrawList& list, std::optional<float> cut)
{
    const double keep = cut ? double(*cut) + CutTolerance : 0;
    if (!cut || !std::isfinite(keep) || !ReachesAbove(list, keep))
    {
        gl.Disable(GL_CLIP_PLANE0);
        return;
    }
    // Points with -y + keep >= 0 stay.
    const GLdouble plane[4] = {0, -1, 0, keep};
    gl.ClipPlane(GL_CLIP_PLANE0, plane);
    gl.Enable(GL_CLIP_PLANE0);
}
