#pragma once

#include "model/face_origin.h"
#include "model/layers.h"
#include "model/polygon.h"

#include <array>
#include <cstdint>
#include <vector>

// One corner of a triangle of a face that is not drawn whole.
struct DrawCorner
{
    std::array<float, 3> Position;
    int32_t ColorVertex; // the face vertex whose colour the corner is lit with
};

// One face as the render pass draws it: its colours, and where its vertices
// and its triangles' corners lie in the list's arrays. Coordinates and colours
// are floats as in the model and in OpenGL's own vertices and materials.
struct DrawPolygon
{
    float FaceColor[3] = {0, 0, 0};
    float ShadeColor[3] = {0, 0, 0}; // two thirds of FaceColor, for smooth shading
    int32_t FirstVertex = 0;
    int32_t VertexCount = 0;
    // No corners when the face is drawn whole as one polygon (convex or
    // without area); otherwise its triangles, three corners each.
    int32_t FirstCorner = 0;
    int32_t CornerCount = 0;
};

// The faces to draw, with the vertices of all of them one face after another
// and the corners of the triangles of those not drawn whole: three arrays
// rather than two of their own for each of hundreds of thousands of faces.
struct TDrawList
{
    std::vector<DrawPolygon> Faces;
    std::vector<std::array<float, 3>> Vertices;
    std::vector<DrawCorner> Corners;
};

// One record per face of faces, in the same order; faces that are not convex
// get their triangles.
void BuildDrawList(const std::vector<TPGon>& faces, TDrawList& drawList);

// The same, leaving out the faces of the hidden layers; origins holds where
// each face came from, in the same order.
void BuildDrawList(const std::vector<TPGon>& faces, const std::vector<TFaceOrigin>& origins,
                   const THiddenLayers& hidden, TDrawList& drawList);
