#include "render/draw_list.h"

#include "model/triangulation.h"

#include <algorithm>
#include <cmath>
#include <span>

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
    const double x = std::fabs(v[0]), y = std::fabs(v[1]), z = std::fabs(v[2]);
    const double near = std::max(x, std::max(y, z)) * (1 - 1e-6);
    if (near > 0)
    {
        dropped[0] = dropped[0] || x >= near;
        dropped[1] = dropped[1] || y >= near;
        dropped[2] = dropped[2] || z >= near;
    }
}

// Whether every corner of the outline of count edges, seen along axis drop,
// turns clearly and the same way.
bool TurnsClearlyOneWay(const Point (&edges)[4], std::size_t count, int drop)
{
    const int u = drop == 2 ? 0 : drop + 1, v = drop == 0 ? 2 : drop - 1;
    int sign = 0;
    for (std::size_t i = 0, previous = count - 1; i < count; previous = i++)
    {
        const double ax = edges[previous][u], ay = edges[previous][v];
        const double bx = edges[i][u], by = edges[i][v];
        const double cross = ax * by - ay * bx;
        // Squared, so no root is taken; float coordinates cannot overflow it.
        // Also false for an edge without length and for a non-finite coordinate.
        if (!(cross * cross > ClearTurn * ClearTurn * (ax * ax + ay * ay) * (bx * bx + by * by)))
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
bool ClearlyConvex(std::span<const std::array<float, 3>> vertices)
{
    const std::size_t n = vertices.size();
    if (n < 3 || n > 4)
        return false;
    Point p[4];
    for (std::size_t i = 0; i < n; ++i)
        p[i] = {vertices[i][0], vertices[i][1], vertices[i][2]};
    Point edges[4]; // edge i runs from vertex i to the next
    Point newell = {0, 0, 0};
    for (std::size_t i = 0; i < n; ++i)
    {
        const Point& a = p[i];
        const Point& b = p[i + 1 < n ? i + 1 : 0];
        edges[i] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        newell[0] += (a[1] - b[1]) * (a[2] + b[2]);
        newell[1] += (a[2] - b[2]) * (a[0] + b[0]);
        newell[2] += (a[0] - b[0]) * (a[1] + b[1]);
    }
    bool dropped[3] = {false, false, false};
    MarkDominantAxes(newell, dropped);
    for (std::size_t i = 0, previous = n - 1; i < n; previous = i++)
    {
        const Point& in = edges[previous];
        const Point& out = edges[i];
        MarkDominantAxes({in[1] * out[2] - in[2] * out[1], in[2] * out[0] - in[0] * out[2],
                          in[0] * out[1] - in[1] * out[0]},
                         dropped);
    }
    bool any = false;
    for (int k = 0; k < 3; ++k)
    {
        if (!dropped[k])
            continue;
        if (!TurnsClearlyOneWay(edges, n, k))
            return false;
        any = true;
    }
    return any;
}

void AddTriangles(const TPGon& face, DrawPolygon& draw, TDrawList& drawList)
{
    const std::span<const std::array<float, 3>> vertices(drawList.Vertices.data() + draw.FirstVertex,
                                                         draw.VertexCount);
    // Triangulating every wall costs more than all the rest of the list.
    if (ClearlyConvex(vertices))
        return;
    const TFaceTriangles triangles = TriangulateFace(face);
    if (triangles.Shape != TFaceShape::Tessellated)
        return;
    draw.FirstCorner = int32_t(drawList.Corners.size());
    draw.CornerCount = int32_t(triangles.Corners.size());
    for (int32_t corner : triangles.Corners)
    {
        if (corner < draw.VertexCount)
        {
            drawList.Corners.push_back({vertices[corner], corner});
            continue;
        }
        const TPtVertex& added = triangles.AddedVertices[corner - draw.VertexCount];
        drawList.Corners.push_back(
            {{added.X, added.Y, added.Z}, triangles.AddedNearest[corner - draw.VertexCount]});
    }
}

} // namespace

void BuildDrawList(const std::vector<TPGon>& faces, TDrawList& drawList)
{
    drawList.Faces.assign(faces.size(), DrawPolygon{});
    drawList.Vertices.clear();
    drawList.Corners.clear();
    size_t vertexTotal = 0;
    for (const TPGon& face : faces)
        vertexTotal += face.Vertices.size();
    drawList.Vertices.reserve(vertexTotal);
    for (size_t i = 0; i < faces.size(); ++i)
    {
        const TPGon& face = faces[i];
        DrawPolygon& draw = drawList.Faces[i];
        for (int c = 0; c < 3; ++c)
        {
            draw.FaceColor[c] = face.Color[c];
            draw.ShadeColor[c] = float(double(face.Color[c]) * 2 / 3);
        }
        // VertexCount never names more vertices than the face holds.
        const size_t count = std::min(size_t(std::max(face.VertexCount, 0)), face.Vertices.size());
        draw.FirstVertex = int32_t(drawList.Vertices.size());
        draw.VertexCount = int32_t(count);
        for (size_t v = 0; v < count; ++v)
        {
            const TPtVertex& p = face.Vertices[v];
            drawList.Vertices.push_back({p.X, p.Y, p.Z});
        }
        AddTriangles(face, draw, drawList);
    }
}
