#pragma once

#include "model/polygon.h"

#include <array>
#include <vector>

// One face as the render pass draws it.
struct DrawPolygon
{
    double FaceColor[3] = {0, 0, 0};
    double ShadeColor[3] = {0, 0, 0}; // two thirds of FaceColor, for smooth shading
    std::vector<std::array<double, 3>> VertexList;
};

// One record per face of faces, in the same order.
void BuildDrawList(const std::vector<TPGon>& faces, std::vector<DrawPolygon>& drawList);
