#include "render/draw_list.h"

#include "model/triangulation.h"

#include <algorithm>
#include <cmath>

namespace
{

using Point = std::array<double, 3>;

// A corner turns clearly when its cross product is at least this share of the
// product of its edge lengths: far above the share below which the
// triangulation counts a corner as straight on, so rounding cannot make the
// two disagree.
constexpr double ClearTurn = 1e-3;

// Marks the axes that are, up to rounding, the largest component of v: the
// axes the triangulation may drop when v is the face's normal.
void MarkDominantAxes(const Point& v, bool (&dropped)[3])
{
    const double largest = std::max({std::fabs(v[0]), std::fabs(v[1]), std::fabs(v[2])});
    for (int k = 0; k < 3; ++k)
        if (largest > 0 && std::fabs(v[k]) >= largest * (1 - 1e-6))
            dropped[k] = true;
}

// Whether every corner of the outline, seen along axis drop, turns clearly and
// the same way.
bool TurnsClearlyOneWay(const std::vector<Point>& p, int drop)
{
    const int u = (drop + 1) % 3, v = (drop + 2) % 3;
    const std::size_t n = p.size();
    int sign = 0;
    for (std::size_t i = 0; i < n; ++i)
    {
        const Point& prev = p[(i + n - 1) % n];
        const Point& here = p[i];
        const Point& next = p[(i + 1) % n];
        const double ax = here[u] - prev[u], ay = here[v] - prev[v];
        const double bx = next[u] - here[u], by = next[v] - here[v];
        const double cross = ax * by - ay * bx;
        // Also false for an edge without length and for a non-finite coordinate.
        if (!(std::fabs(cross) > ClearTurn * std::hypot(ax, ay) * std::hypot(bx, by)))
            return false;
        const int turn = cross > 0 ? 1 : -1;
        if (sign != 0 && turn != sign)
            return false;
        sign = turn;
    }
    return true;
}

// True when the triangulation certainly finds a face of 3 or 4 vertices
// convex, so that the face is drawn whole without asking it. The face's plane
// is its Newell normal or the cross product of one of its corners; the outline
// must turn clearly one way along every axis that could be the largest of
// those. Three or four such turns add up to one full turn, never two.
bool ClearlyConvex(const std::vector<Point>& p)
{
    const std::size_t n = p.size();
    if (n < 3 || n > 4)
        return false;
    bool dropped[3] = {false, false, false};
    Point newell = {0, 0, 0};
    for (std::size_t i = 0; i < n; ++i)
    {
        const Point& prev = p[(i + n - 1) % n];
        const Point& a = p[i];
        const Point& b = p[(i + 1) % n];
        newell[0] += (a[1] - b[1]) * (a[2] + b[2]);
        newell[1] += (a[2] - b[2]) * (a[0] + b[0]);
        newell[2] += (a[0] - b[0]) * (a[1] + b[1]);
        const Point in = {a[0] - prev[0], a[1] - prev[1], a[2] - prev[2]};
        const Point out = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        MarkDominantAxes({in[1] * out[2] - in[2] * out[1], in[2] * out[0] - in[0] * out[2],
                          in[0] * out[1] - in[1] * out[0]},
                         dropped);
    }
    MarkDominantAxes(newell, dropped);
    bool any = false;
    for (int k = 0; k < 3; ++k)
    {
        if (!dropped[k])
            continue;
        if (!TurnsClearlyOneWay(p, k))
            return false;
        any = true;
    }
    return any;
}

void AddTriangles(const TPGon& face, DrawPolygon& draw)
{
    // Triangulating every wall costs more than all the rest of the list.
    if (ClearlyConvex(draw.VertexList))
        return;
    const TFaceTriangles triangles = TriangulateFace(face);
    if (triangles.Shape != TFaceShape::Tessellated)
        return;
    const int32_t count = int32_t(draw.VertexList.size());
    draw.Triangles.reserve(triangles.Corners.size());
    for (int32_t corner : triangles.Corners)
    {
        if (corner < count)
        {
            draw.Triangles.push_back({draw.VertexList[corner], corner});
            continue;
        }
        const TPtVertex& added = triangles.AddedVertices[corner - count];
        draw.Triangles.push_back({{added.X, added.Y, added.Z}, triangles.AddedNearest[corner - count]});
    }
}

} // namespace

void BuildDrawList(const std::vector<TPGon>& faces, std::vector<DrawPolygon>& drawList)
{
    drawList.assign(faces.size(), DrawPolygon{});
    for (size_t i = 0; i < faces.size(); ++i)
    {
        const TPGon& face = faces[i];
        DrawPolygon& draw = drawList[i];
        for (int c = 0; c < 3; ++c)
        {
            draw.FaceColor[c] = face.Color[c];
            draw.ShadeColor[c] = double(face.Color[c]) * 2 / 3;
        }
        // VertexCount never names more vertices than the face holds.
        const size_t count = std::min(size_t(std::max(face.VertexCount, 0)), face.Vertices.size());
        draw.VertexList.reserve(count);
        for (size_t v = 0; v < count; ++v)
        {
            const TPtVertex& p = face.Vertices[v];
            draw.VertexList.push_back({p.X, p.Y, p.Z});
        }
        AddTriangles(face, draw);
    }
}
