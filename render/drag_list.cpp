#include "render/drag_list.h"

#include "render/depth_range.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace
{

using TCorner = std::array<float, 3>;

// A face of four corners while faces are merged; Face is the first face of
// the full list it stands for, whose colours it has.
struct TQuad
{
    std::array<TCorner, 4> Corners;
    int32_t Face = 0;
    bool Alive = true;
    bool Merged = false; // in the current pass: its sides have changed
};

// One side of a quad, filed under its two corners whichever way round.
struct TSide
{
    uint64_t Key = 0;
    int32_t Quad = 0;
    int32_t Side = 0;
};

uint64_t CornerKey(const TCorner& c)
{
    uint64_t key = 0;
    for (float value : c)
        key = (key ^ std::bit_cast<uint32_t>(value + 0.0f)) * 0x9E3779B97F4A7C15u; // +0.0f: -0 is 0
    return key;
}

// The same for both directions of a side.
uint64_t SideKey(const TCorner& a, const TCorner& b)
{
    const uint64_t ka = CornerKey(a), kb = CornerKey(b);
    return std::min(ka, kb) * 31 + std::max(ka, kb);
}

TCorner Minus(const TCorner& a, const TCorner& b)
{
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

// Sides are merged across in two rounds: first those that run upright or
// along the plan's y, which joins the walls along a line and the rooms of a
// row, then those along x, which joins the rows.
int Round(const TCorner& a, const TCorner& b)
{
    const TCorner d = Minus(b, a);
    return std::fabs(d[0]) > std::max(std::fabs(d[1]), std::fabs(d[2])) ? 2 : 1;
}

// Whether at lies on the straight way from before to after.
bool Straight(const TCorner& before, const TCorner& at, const TCorner& after)
{
    const TCorner a = Minus(at, before), b = Minus(after, at);
    const double cross[] = {double(a[1]) * b[2] - double(a[2]) * b[1],
                            double(a[2]) * b[0] - double(a[0]) * b[2],
                            double(a[0]) * b[1] - double(a[1]) * b[0]};
    const double dot = double(a[0]) * b[0] + double(a[1]) * b[1] + double(a[2]) * b[2];
    const double aa = double(a[0]) * a[0] + double(a[1]) * a[1] + double(a[2]) * a[2];
    const double bb = double(b[0]) * b[0] + double(b[1]) * b[1] + double(b[2]) * b[2];
    const double crossSquared = cross[0] * cross[0] + cross[1] * cross[1] + cross[2] * cross[2];
    return dot > 0 && crossSquared <= 1e-12 * aa * bb;
}

bool SameColours(const DrawPolygon& a, const DrawPolygon& b)
{
    return std::equal(a.FaceColor, a.FaceColor + 3, b.FaceColor) &&
           std::equal(a.ShadeColor, a.ShadeColor + 3, b.ShadeColor);
}

// Joins b to a across a's side from corner side to the next, when b has
// that side too and the two make a four-sided face: the corners at the ends
// of the side lie on straight lines across it. The two faces then lie in
// one plane, and their union is convex.
bool Join(TQuad& a, int32_t side, const TQuad& b)
{
    const TCorner u = a.Corners[size_t(side)], v = a.Corners[size_t(side + 1) % 4];
    const TCorner a2 = a.Corners[size_t(side + 2) % 4], a3 = a.Corners[size_t(side + 3) % 4];
    for (size_t j = 0; j < 4; ++j)
    {
        const TCorner& b0 = b.Corners[j];
        const TCorner& b1 = b.Corners[(j + 1) % 4];
        TCorner afterU, beforeV;
        if (b0 == v && b1 == u)
            afterU = b.Corners[(j + 2) % 4], beforeV = b.Corners[(j + 3) % 4];
        else if (b0 == u && b1 == v)
            afterU = b.Corners[(j + 3) % 4], beforeV = b.Corners[(j + 2) % 4];
        else
            continue;
        if (!Straight(a3, u, afterU) || !Straight(beforeV, v, a2))
            return false;
        a.Corners = {a2, a3, afterU, beforeV};
        return true;
    }
    return false;
}

// One pass over the sides of a round: each quad joins at most one other.
bool JoinPass(std::vector<TQuad>& quads, const std::vector<DrawPolygon>& faces, int round,
              std::vector<TSide>& sides)
{
    sides.clear();
    for (size_t q = 0; q < quads.size(); ++q)
    {
        TQuad& quad = quads[q];
        quad.Merged = false;
        if (!quad.Alive)
            continue;
        for (int32_t s = 0; s < 4; ++s)
        {
            const TCorner& a = quad.Corners[size_t(s)];
            const TCorner& b = quad.Corners[size_t(s + 1) % 4];
            if (Round(a, b) == round)
                sides.push_back({SideKey(a, b), int32_t(q), s});
        }
    }
    std::sort(sides.begin(), sides.end(), [](const TSide& x, const TSide& y) { return x.Key < y.Key; });
    bool joined = false;
    for (size_t first = 0; first < sides.size();)
    {
        size_t end = first + 1;
        while (end < sides.size() && sides[end].Key == sides[first].Key)
            ++end;
        for (size_t i = first; i < end; ++i)
            for (size_t k = i + 1; k < end; ++k)
            {
                // The one first in the list stays, so the order of drawing does too.
                const bool swap = quads[size_t(sides[k].Quad)].Face < quads[size_t(sides[i].Quad)].Face;
                const TSide& keep = swap ? sides[k] : sides[i];
                TQuad& a = quads[size_t(keep.Quad)];
                TQuad& b = quads[size_t((swap ? sides[i] : sides[k]).Quad)];
                if (a.Merged || b.Merged || !SameColours(faces[size_t(a.Face)], faces[size_t(b.Face)]) ||
                    !Join(a, keep.Side, b))
                    continue;
                b.Alive = false;
                a.Merged = b.Merged = true;
                joined = true;
            }
        first = end;
    }
    return joined;
}

bool Finite(const TCorner& c)
{
    return std::isfinite(c[0]) && std::isfinite(c[1]) && std::isfinite(c[2]);
}

std::array<float, 4> SphereOf(const std::array<float, 3>* points, int32_t count)
{
    if (count == 0)
        return {0, 0, 0, 0};
    TCorner low = points[0], high = points[0];
    for (int32_t i = 1; i < count; ++i)
        for (size_t c = 0; c < 3; ++c)
        {
            low[c] = std::min(low[c], points[i][c]);
            high[c] = std::max(high[c], points[i][c]);
        }
    std::array<float, 4> sphere = {(low[0] + high[0]) / 2, (low[1] + high[1]) / 2, (low[2] + high[2]) / 2, 0};
    // A face with a corner that is not finite gets no finite sphere, and is
    // never left out.
    for (int32_t i = 0; i < count; ++i)
        if (!Finite(points[i]))
            sphere[3] = NAN;
    for (int32_t i = 0; i < count && !std::isnan(sphere[3]); ++i)
        sphere[3] = std::max(sphere[3], std::hypot(points[i][0] - sphere[0], points[i][1] - sphere[1],
                                                   points[i][2] - sphere[2]));
    return sphere;
}

} // namespace

TDragList BuildDragList(const TDrawList& full)
{
    // The four-sided faces drawn whole become quads that may join.
    std::vector<int32_t> quadOf(full.Faces.size(), -1);
    std::vector<TQuad> quads;
    for (size_t i = 0; i < full.Faces.size(); ++i)
    {
        const DrawPolygon& face = full.Faces[i];
        if (face.VertexCount != 4 || face.CornerCount > 0)
            continue;
        TQuad quad;
        std::copy_n(full.Vertices.begin() + face.FirstVertex, 4, quad.Corners.begin());
        if (!std::all_of(quad.Corners.begin(), quad.Corners.end(), Finite))
            continue;
        quad.Face = int32_t(i);
        quadOf[i] = int32_t(quads.size());
        quads.push_back(quad);
    }
    std::vector<TSide> sides;
    for (int round : {1, 2})
        while (JoinPass(quads, full.Faces, round, sides))
        {
        }

    TDragList drag;
    TDrawList& list = drag.List;
    for (size_t i = 0; i < full.Faces.size(); ++i)
    {
        DrawPolygon face = full.Faces[i];
        const int32_t q = quadOf[i];
        if (q >= 0 && !quads[size_t(q)].Alive)
            continue;
        const auto* vertices = full.Vertices.data() + face.FirstVertex;
        face.FirstVertex = int32_t(list.Vertices.size());
        if (q >= 0)
            list.Vertices.insert(list.Vertices.end(), quads[size_t(q)].Corners.begin(),
                                 quads[size_t(q)].Corners.end());
        else
            list.Vertices.insert(list.Vertices.end(), vertices, vertices + face.VertexCount);
        const auto* corners = full.Corners.data() + face.FirstCorner;
        face.FirstCorner = int32_t(list.Corners.size());
        list.Corners.insert(list.Corners.end(), corners, corners + face.CornerCount);
        list.Faces.push_back(face);
        drag.Spheres.push_back(SphereOf(list.Vertices.data() + face.FirstVertex, face.VertexCount));
    }
    return drag;
}

void FacesInView(const TDragList& drag, const TCamera& camera, double aspect, bool orthographic,
                 std::vector<DrawPolygon>& faces)
{
    const double yaw = camera.Yaw * std::numbers::pi / 180, pitch = camera.Pitch * std::numbers::pi / 180;
    const double cy = std::cos(yaw), sy = std::sin(yaw), cp = std::cos(pitch), sp = std::sin(pitch);
    const double up = std::tan(camera.ViewAngle / 2 * std::numbers::pi / 180), across = up * aspect;
    const double upLength = std::sqrt(1 + up * up), acrossLength = std::sqrt(1 + across * across);
    const double halfHeight = camera.TargetDistance * up, halfWidth = halfHeight * aspect;
    faces.clear();
    for (size_t i = 0; i < drag.List.Faces.size(); ++i)
    {
        const std::array<float, 4>& s = drag.Spheres[i];
        const double px = s[0] - camera.EyePoint[0], py = s[1] - camera.EyePoint[1],
                     pz = s[2] - camera.EyePoint[2];
        // In the eye's axes, as the render pass turns the scene.
        const double x = cy * px + sy * pz, z1 = -sy * px + cy * pz;
        const double y = cp * py - sp * z1, z = sp * py + cp * z1;
        // A little to spare for the render's own single precision.
        const double r = s[3] * 1.001 + 1;
        const bool outside = orthographic
                                 ? std::fabs(x) - halfWidth > r || std::fabs(y) - halfHeight > r
                                 : -z + r < NearPlane || (std::fabs(x) + across * z) / acrossLength > r ||
                                       (std::fabs(y) + up * z) / upLength > r;
        if (!outside)
            faces.push_back(drag.List.Faces[i]);
    }
}
