#pragma once

#include "model/face_origin.h"
#include "model/layers.h"
#include "model/material.h"
#include "model/polygon.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The model as the export files hold it: the triangles the render pass
// draws, in metres, on the model's own axes (x, height up, z = stored plan y),
// grouped by layer slot, by wall or slab, and by material.

struct TExportMaterial
{
    std::string Name;           // UTF-8, after the line type and colour
    std::array<float, 3> Color; // red, green, blue, clamped to 0..1
};

// The triangles of one layer slot that are all walls or all slabs and take
// one material. Triangles of one face that lie in one plane share their
// vertices; every vertex carries its triangles' normal, so each is flat.
struct TExportPrimitive
{
    TFaceKind Kind = TFaceKind::Wall;
    int32_t Material = 0;          // position in TExportModel::Materials
    std::vector<float> Positions;  // x, y, z of each vertex
    std::vector<float> Normals;    // x, y, z of each vertex, unit length
    std::vector<uint32_t> Indices; // three vertices a triangle, counted from this primitive's first
};

struct TExportNode
{
    std::string Name;                         // UTF-8: the layer's name, or "G/L"
    std::vector<TExportPrimitive> Primitives; // walls, then slabs, each by material
};

struct TExportModel
{
    std::vector<TExportNode> Nodes;              // layer slots with triangles, in slot order
    std::vector<TExportMaterial> Materials;      // the used ones, by line type and colour
    std::array<float, 3> Background = {1, 1, 1}; // the picture's, clamped to 0..1
    int64_t Triangles = 0;                       // written
    int64_t WithoutArea = 0;                     // left out: all three corners on one line
    int64_t NonFinite = 0;                       // left out: a corner not a finite point
};

// Cuts every face into the triangles the render pass draws and files them
// under the face's slot, kind and material. origins holds one entry per face,
// in the same order. Positions are multiplied by metresPerUnit. The faces of
// hidden layers are left out, as if the drawing had no such layers.
TExportModel BuildExportModel(const std::vector<TPGon>& faces, const std::vector<TFaceOrigin>& origins,
                              const TLayerNames& layerNames, const TMaterialTable& materials,
                              const std::array<int32_t, 3>& background, double metresPerUnit,
                              const THiddenLayers& hidden = {});
