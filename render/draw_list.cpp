#include "render/draw_list.h"

#include "model/triangulation.h"

#include <algorithm>
#include <span>

namespace
{

void AddTriangles(const TPGon& face, DrawPolygon& draw, TDrawList& drawList)
{
    const std::span<const std::array<float, 3>> vertices(drawList.Vertices.data() + draw.FirstVertex,
                                                         draw.VertexCount);
    // Triangulating every wall costs more than all the rest of the list.
    if (IsClearlyConvex(face))
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

// Appends the face with its vertices, and its triangles when it is not drawn
// whole.
void AddDrawFace(const TPGon& face, TDrawList& drawList)
{
    DrawPolygon& draw = drawList.Faces.emplace_back();
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

// Empties the list and makes room for every vertex of faces.
void StartDrawList(const std::vector<TPGon>& faces, TDrawList& drawList)
{
    drawList.Faces.clear();
    drawList.Faces.reserve(faces.size());
    drawList.Vertices.clear();
    drawList.Corners.clear();
    size_t vertexTotal = 0;
    for (const TPGon& face : faces)
        vertexTotal += face.Vertices.size();
    drawList.Vertices.reserve(vertexTotal);
}

} // namespace

void BuildDrawList(const std::vector<TPGon>& faces, TDrawList& drawList)
{
    StartDrawList(faces, drawList);
    for (const TPGon& face : faces)
        AddDrawFace(face, drawList);
}

void BuildDrawList(const std::vector<TPGon>& faces, const std::vector<TFaceOrigin>& origins,
                   const THiddenLayers& hidden, TDrawList& drawList)
{
    StartDrawList(faces, drawList);
    for (size_t i = 0; i < faces.size(); ++i)
        if (i >= origins.size() || !hidden[origins[i].Slot])
            AddDrawFace(faces[i], drawList);
}
