#include "model/triangulation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace
{

// A horizontal face at height 0 through the plan points (x, y).
TPGon Floor(const std::vector<std::array<float, 2>>& points)
{
    TPGon face;
    for (const auto& p : points)
        face.AddVertex(p[0], 0, p[1]);
    return face;
}

TPGon Pentagram(float radius)
{
    std::vector<std::array<float, 2>> points;
    for (int k = 0; k < 5; ++k)
    {
        const double angle = 2 * std::numbers::pi * (2 * k) / 5;
        points.push_back({float(radius * std::cos(angle)), float(radius * std::sin(angle))});
    }
    return Floor(points);
}

// Sum of the triangles' areas in the floor's plane, each counted positive when
// it turns like the outline (whose Newell normal points along sign).
double SignedArea(const TPGon& face, const TFaceTriangles& triangles, double sign)
{
    auto point = [&](int32_t corner)
    {
        const TPtVertex& v = corner < face.VertexCount ? face.Vertices[corner]
                                                       : triangles.AddedVertices[corner - face.VertexCount];
        return std::array<double, 2>{v.X, v.Z};
    };
    double area = 0;
    for (size_t t = 0; t < triangles.Corners.size(); t += 3)
    {
        const auto a = point(triangles.Corners[t]), b = point(triangles.Corners[t + 1]),
                   c = point(triangles.Corners[t + 2]);
        // The plan's (x, z) turn against the y axis: the normal is z × x.
        area += sign * ((c[0] - a[0]) * (b[1] - a[1]) - (b[0] - a[0]) * (c[1] - a[1])) / 2;
    }
    return area;
}

} // namespace

TEST(TriangulateFace, ShapesTrianglesAndAreas)
{
    const float nan = std::nanf("");
    struct
    {
        const char* Name;
        TPGon Face;
        TFaceShape Shape;
        double Area;     // of the triangles, counted positive when turned like the outline
        double Sign;     // which way the outline turns about the vertical
        size_t Added;    // vertices added where edges cross
        int32_t Nearest; // the face vertex nearest the first added one; -1: not checked
    } cases[] = {
        {"square", Floor({{0, 0}, {0, 2}, {2, 2}, {2, 0}}), TFaceShape::Convex, 4, 1, 0, -1},
        {"square, straight corner, repeat", Floor({{0, 0}, {0, 1}, {0, 2}, {2, 2}, {2, 2}, {2, 0}}),
         TFaceShape::Convex, 4, 1, 0, -1},
        {"L from the corner next to the notch",
         Floor({{8000, 3000}, {3000, 3000}, {3000, 7000}, {0, 7000}, {0, 0}, {8000, 0}}),
         TFaceShape::Tessellated, 36e6, -1, 0, -1},
        // Odd winding: the five points, not the pentagon in the middle.
        {"pentagram", Pentagram(1000), TFaceShape::Tessellated, 775676.75, -1, 5, -1},
        {"crossing", Floor({{0, 0}, {3, 3}, {3, 0}, {0, 1}}), TFaceShape::Tessellated, 3.75, 1, 1, 3},
        {"figure of eight, lobes cancel", Floor({{0, 0}, {2, 2}, {2, 0}, {0, 2}}), TFaceShape::Tessellated, 2,
         -1, 1, 0},
        {"collinear", Floor({{0, 0}, {1, 1}, {3, 3}, {2, 2}}), TFaceShape::Degenerate, 0, 1, 0, -1},
        {"two points", Floor({{0, 0}, {1, 1}, {0, 0}}), TFaceShape::Degenerate, 0, 1, 0, -1},
        {"not a number", Floor({{0, 0}, {0, 2}, {nan, 2}, {2, 0}}), TFaceShape::Degenerate, NAN, 1, 0, -1},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.Name);
        const TFaceTriangles triangles = TriangulateFace(c.Face);
        EXPECT_EQ(triangles.Shape, c.Shape);
        ASSERT_EQ(triangles.Corners.size() % 3, 0u);
        if (c.Shape != TFaceShape::Tessellated) // the fan GL_POLYGON draws
        {
            std::vector<int32_t> fan;
            for (int32_t i = 1; i + 1 < c.Face.VertexCount; ++i)
                fan.insert(fan.end(), {0, i, i + 1});
            EXPECT_EQ(triangles.Corners, fan);
        }
        if (!std::isnan(c.Area))
        {
            EXPECT_NEAR(SignedArea(c.Face, triangles, c.Sign), c.Area, c.Area * 1e-5);
        }
        ASSERT_EQ(triangles.AddedNearest.size(), c.Added);
        if (c.Nearest >= 0)
        {
            EXPECT_EQ(triangles.AddedNearest[0], c.Nearest);
        }
    }
}
