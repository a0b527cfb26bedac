#pragma once

#include "model/polygon.h"

#include <cstdint>
#include <vector>

// How a face is cut into triangles.
enum class TFaceShape
{
    Convex,      // convex in its own plane: the fan from vertex 0, as GL_POLYGON draws it
    Tessellated, // concave, self-touching or self-crossing: cut by GLU's tessellator, odd winding
    Degenerate,  // no area, fewer than 3 distinct points, or a non-finite coordinate:
                 // the fan from vertex 0, drawn as one polygon like a convex face
};

// A face cut into triangles. A corner below the face's vertex count names the
// face vertex of that index; corner (vertex count + i) names AddedVertices[i].
struct TFaceTriangles
{
    TFaceShape Shape = TFaceShape::Degenerate;
    std::vector<int32_t> Corners;         // three per triangle
    std::vector<TPtVertex> AddedVertices; // made by the tessellator where edges cross
    std::vector<int32_t> AddedNearest;    // per added vertex: the nearest face vertex, whose colour it takes
};

// Cuts face into triangles. The face's vertex count is the smaller of
// VertexCount and the length of Vertices. Convex and degenerate faces give the
// fan (0, i, i + 1); a face of fewer than 3 vertices gives no triangle.
// Tessellated triangles turn the same way as the face's outline.
TFaceTriangles TriangulateFace(const TPGon& face);

// True when TriangulateFace certainly finds the face convex: 3 or 4 vertices
// whose corners all turn clearly, and the same way. Far cheaper than the
// triangulation, for callers that only need to know the face is drawn whole.
bool IsClearlyConvex(const TPGon& face);
