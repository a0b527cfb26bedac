#pragma once

#include "model/polygon.h"

#include <array>
#include <cstdint>
#include <vector>

// One corner of a triangle of a face that is not drawn whole.
struct DrawCorner
{
    std::array<double, 3> Position;
    int32_t ColorVertex; // the face vertex whose colour the corner is lit with
};

// One face as the render pass draws it.
struct DrawPolygon
{
    double FaceColor[3] = {0, 0, 0};
    double ShadeColor[3] = {0, 0, 0}; // two thirds of FaceColor, for smooth shading
    std::vector<std::array<double, 3>> VertexList;
    // Empty when the face is drawn whole as one polygon (convex or without
    // area); otherwise its triangles, three corners each.
    std::vector<DrawCorner> Triangles;
};

// One record per face of faces, in the same order; faces that are not convex
// get their triangles.
void BuildDrawList(const std::vector<TPGon>& faces, std::vector<DrawPolygon>& drawList);
