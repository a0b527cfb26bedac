#include "model/triangulation.h"
#include "render/camera.h"
#include "render/draw_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace
{

struct CameraCase
{
    const char* Name;
    TViewParameters View;
    double Yaw;
    double Pitch;
    double ViewAngle;
};

TViewParameters View(float ex, float ey, float ez, float tx, float ty, float tz, float fov)
{
    TViewParameters view;
    view.EyeX = ex, view.EyeHeight = ey, view.EyeY = ez;
    view.TargetX = tx, view.TargetHeight = ty, view.TargetY = tz;
    view.FieldOfView = fov;
    return view;
}

const CameraCase CameraCases[] = {
    {"reader default", TViewParameters{}, -40.6013, 6.1904, 80},
    {"straight down", View(5000, 20000, -3000, 5000, 0, -3000, 60), 180, 90, 60},
    {"straight up", View(0, 1000, 0, 0, 5000, 0, 60), 180, -90, 60},
    {"eye at target", View(7, 7, 7, 7, 7, 7, 60), 180, 90, 60},
    {"level, looking along -x", View(3000, 1500, 0, 0, 1500, 0, 45), 270, 0, 45},
    {"level, looking along -z", View(0, 0, 10000, 0, 0, 0, 45), 0, 0, 45},
    {"all zeros", View(0, 0, 0, 0, 0, 0, 0), 270, 38.6598, 10},
    // 0.01f lies just below 0.01, so a difference of 0.01 still takes the fixed angles.
    {"plan distance 0.01", View(0, 5, 0, 0, 0, 0.01f, 60), 180, 90, 60},
    {"x difference 0.01", View(0, 5, 0, 0.01f, 0, -1000, 60), 0, 0.286477, 60},
    {"wide field clamped", View(0, 0, 10000, 0, 0, 0, 200), 0, 0, 160},
    {"narrow field clamped", View(0, 0, 10000, 0, 0, 0, 5), 0, 0, 10},
    {"lowest field kept", View(0, 0, 10000, 0, 0, 0, 10), 0, 0, 10},
    {"highest field kept", View(0, 0, 10000, 0, 0, 0, 160), 0, 0, 160},
};

} // namespace

TEST(DeriveCamera, WorkedViews)
{
    for (const CameraCase& c : CameraCases)
    {
        SCOPED_TRACE(c.Name);
        TViewParameters view = c.View;
        TCamera camera;
        DeriveCamera(view, camera);
        EXPECT_NEAR(camera.Yaw, c.Yaw, 1e-4);
        EXPECT_NEAR(camera.Pitch, c.Pitch, 1e-4);
        EXPECT_EQ(camera.ViewAngle, c.ViewAngle);
        // The clamped field of view is written back; nothing else of the view changes.
        EXPECT_EQ(view.FieldOfView, c.ViewAngle);
        EXPECT_EQ(view.EyeX, c.View.EyeX);
        EXPECT_EQ(view.TargetY, c.View.TargetY);
        // Deriving the angles leaves the eye point alone.
        EXPECT_EQ(camera.EyePoint[0], TCamera{}.EyePoint[0]);

        // The point the picture looks at is the target wherever the angles
        // follow it; a view without one looks 1000 units ahead along the line
        // of sight its angles give.
        TakeEyePoint(view, camera);
        const std::array<double, 3> point = LookedAtPoint(camera, view);
        std::array<double, 3> expected = {view.TargetX, view.TargetHeight, view.TargetY};
        if (std::string(c.Name) == "eye at target")
            expected = {7, 7 - 1000, 7};
        else if (std::string(c.Name) == "all zeros") // the stand-in points look along (-1000, -800, 0)
            expected = {-1000 / std::hypot(1000, 800) * 1000, -800 / std::hypot(1000, 800) * 1000, 0};
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(point[i], expected[i], 0.02) << i;
    }
}

TEST(DeriveCamera, DegreesUseTheShortPi)
{
    // atan2 gives exactly pi here; the conversion divides by 3.141592.
    TViewParameters view = View(3000, 1500, 0, 0, 1500, 0, 45);
    TCamera camera;
    DeriveCamera(view, camera);
    EXPECT_NEAR(camera.Yaw, 3.141592653589793 * 180 / 3.141592 + 90, 1e-9);
    EXPECT_GT(camera.Yaw, 270.00001);
}

TEST(TakeEyePoint, WidensTheEyeAndKeepsZeros)
{
    TCamera camera;
    TakeEyePoint(TViewParameters{}, camera);
    EXPECT_EQ(camera.EyePoint[0], 12000);
    EXPECT_EQ(camera.EyePoint[1], 4000);
    EXPECT_EQ(camera.EyePoint[2], 14000);

    // A drawing without a view: the angles come from stand-in points, the eye stays at the origin.
    TViewParameters zeros = View(0, 0, 0, 0, 0, 0, 0);
    DeriveCamera(zeros, camera);
    TakeEyePoint(zeros, camera);
    EXPECT_EQ(camera.EyePoint[0], 0);
    EXPECT_EQ(camera.EyePoint[1], 0);
    EXPECT_EQ(camera.EyePoint[2], 0);
}

TEST(BuildDrawList, CopiesEveryFaceInOrder)
{
    std::vector<TPGon> faces(3);
    faces[0].SetMaterial({0.9f, 0.6f, 0.3f, 7, 7, 7, 7}); // the four further values are not copied
    faces[0].AddVertex(1.5f, 2.5f, -3.5f);
    faces[0].AddVertex(4, 5, 6);
    faces[0].AddVertex(7, 8, 9);
    faces[0].Vertices[1].W = 42; // w is not copied
    faces[2].Color[2] = 1;
    faces[2].AddVertex(1, 0, 0);

    TDrawList drawList{std::vector<DrawPolygon>(5), {{1, 2, 3}}, {{}}}; // replaced, not appended to
    BuildDrawList(faces, drawList);
    ASSERT_EQ(drawList.Faces.size(), 3u);
    ASSERT_EQ(drawList.Vertices.size(), 4u);
    EXPECT_TRUE(drawList.Corners.empty());

    const DrawPolygon& first = drawList.Faces[0];
    EXPECT_EQ(first.FaceColor[0], 0.9f);
    EXPECT_EQ(first.FaceColor[1], 0.6f);
    EXPECT_EQ(first.FaceColor[2], 0.3f);
    EXPECT_NEAR(first.ShadeColor[0], 0.6, 1e-7);
    EXPECT_NEAR(first.ShadeColor[1], 0.4, 1e-7);
    EXPECT_NEAR(first.ShadeColor[2], 0.2, 1e-7);
    ASSERT_EQ(first.VertexCount, 3);
    EXPECT_EQ(drawList.Vertices[0], (std::array<float, 3>{1.5, 2.5, -3.5}));
    EXPECT_EQ(drawList.Vertices[1], (std::array<float, 3>{4, 5, 6}));
    EXPECT_EQ(drawList.Vertices[2], (std::array<float, 3>{7, 8, 9}));

    EXPECT_EQ(drawList.Faces[1].VertexCount, 0);
    EXPECT_EQ(drawList.Faces[1].FaceColor[0], 0);
    EXPECT_EQ(drawList.Faces[2].FaceColor[2], 1);
    EXPECT_EQ(drawList.Faces[2].FirstVertex, 3);
    EXPECT_EQ(drawList.Faces[2].VertexCount, 1);

    BuildDrawList({}, drawList);
    EXPECT_TRUE(drawList.Faces.empty() && drawList.Vertices.empty());
}

TEST(BuildDrawList, CopiesOnlyTheCountedVertices)
{
    // A face restarted by SetMaterial keeps its old vertices but counts none.
    std::vector<TPGon> faces(1);
    faces[0].AddVertex(1, 2, 3);
    faces[0].AddVertex(4, 5, 6);
    faces[0].SetMaterial({0.5f, 0.5f, 0.5f, 0, 0, 0, 0});
    faces[0].AddVertex(7, 8, 9);
    TDrawList drawList;
    BuildDrawList(faces, drawList);
    ASSERT_EQ(drawList.Vertices.size(), 1u);
    EXPECT_EQ(drawList.Vertices[0], (std::array<float, 3>{7, 8, 9}));
}

// The list leaves untriangulated only faces the triangulation draws whole:
// planar outlines at any angle (convex, concave, crossed, with straight or
// nearly straight corners) and twisted ones, of 3 and 4 vertices.
TEST(BuildDrawList, CutsTheFacesTheTriangulationCuts)
{
    std::mt19937 random(14);
    std::uniform_int_distribution<int> step(0, 3);
    std::vector<TPGon> faces(20000);
    for (size_t i = 0; i < faces.size(); ++i)
        for (size_t v = 0; v < 3 + i % 2; ++v)
        {
            const float s = float(step(random)) * 10000 + float(step(random)) * 0.01f;
            const float t = float(step(random)) * 10000 + float(step(random)) * 0.01f;
            const float twist = i % 5 == 0 ? float(step(random)) : 0;
            faces[i].AddVertex(s, t, s * float(i % 3) + twist);
        }
    TDrawList drawList;
    BuildDrawList(faces, drawList);
    int32_t corners = 0;
    for (size_t i = 0; i < faces.size(); ++i)
    {
        const TFaceTriangles cut = TriangulateFace(faces[i]);
        const size_t expected = cut.Shape == TFaceShape::Tessellated ? cut.Corners.size() : 0;
        ASSERT_EQ(size_t(drawList.Faces[i].CornerCount), expected) << "face " << i;
        ASSERT_TRUE(expected == 0 || drawList.Faces[i].FirstCorner == corners) << "face " << i;
        corners += drawList.Faces[i].CornerCount;
    }
}
