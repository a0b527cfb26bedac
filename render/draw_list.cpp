#include "render/draw_list.h"

#include "model/triangulation.h"

#include <algorithm>

namespace
{

void AddTriangles(const TPGon& face, DrawPolygon& draw)
{
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
