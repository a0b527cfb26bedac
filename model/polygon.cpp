#include "model/polygon.h"

#include "model/model_tables.h"

void TPGon::SetMaterial(const TMaterialEntry& entry)
{
    Color[0] = entry[0];
    Color[1] = entry[1];
    Color[2] = entry[2];
    Material4 = entry[3];
    Material5 = entry[4];
    Material6 = entry[5];
    Material7 = entry[6];
    VertexCount = 0;
}

void TPGon::AddVertex(float x, float y, float z)
{
    ++VertexCount;
    Vertices.resize(VertexCount);
    Vertices.back() = {x, y, z, 1.0f};
}

TPGon& AppendFace(const TMaterialEntry& entry)
{
    TPGon& face = PolygonList.emplace_back();
    face.SetMaterial(entry);
    return face;
}

void ReleaseFaces()
{
    while (!PolygonList.empty())
        PolygonList.pop_back();
    PolygonList.shrink_to_fit();
    FaceOriginList.clear();
    FaceOriginList.shrink_to_fit();
}
