#include "common/framing.h"
#include "common/numbers.h"
#include "common/projection.h"
#include "model/triangulation.h"
#include "render/camera.h"
#include "render/draw_list.h"
#include "tests/render/render_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <utility>

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
    // atan2 gives exactly pi here; the conversion divides by 3.141592, so
    // the yaw lies a little beyond 270.
    TViewParameters view = View(3000, 1500, 0, 0, 1500, 0, 45);
    TCamera camera;
    DeriveCamera(view, camera);
    EXPECT_NEAR(camera.Yaw, 270.0000374479, 1e-9);
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

// Faces of hidden layers are left out, the others kept in order with their
// vertices and triangles packed; a face with no origin is kept.
TEST(BuildDrawList, LeavesOutTheFacesOfHiddenLayers)
{
    std::vector<TPGon> faces(4);
    for (size_t i = 0; i < faces.size(); ++i)
    {
        faces[i].Color[0] = float(i);
        for (const auto& [x, z] : {std::pair{0, 0}, {1000, 0}, {1000, 1000}, {500, 100}, {0, 1000}})
            faces[i].AddVertex(float(x), float(i), float(z)); // not convex: cut into triangles
    }
    std::vector<TFaceOrigin> origins(3);
    origins[0].Slot = 3, origins[1].Slot = 5, origins[2].Slot = 3;
    THiddenLayers hidden;
    hidden.set(3);
    TDrawList shown, all;
    BuildDrawList(faces, origins, hidden, shown);
    BuildDrawList({faces[1], faces[3]}, all);
    ASSERT_EQ(shown.Faces.size(), 2u);
    EXPECT_EQ(shown.Faces[0].FaceColor[0], 1);
    EXPECT_EQ(shown.Faces[1].FaceColor[0], 3);
    EXPECT_EQ(shown.Vertices, all.Vertices);
    ASSERT_EQ(shown.Corners.size(), all.Corners.size());
    EXPECT_EQ(shown.Faces[1].FirstCorner, all.Faces[1].FirstCorner);
    BuildDrawList(faces, origins, {}, shown);
    EXPECT_EQ(shown.Faces.size(), 4u);
}

namespace
{

// The corners of a box of walls on a plan w by d, h high, at (x, y).
std::vector<TModelPoint> Box(double x, double z, double w, double d, double h)
{
    std::vector<TModelPoint> points;
    for (double px : {x, x + w})
        for (double pz : {z, z - d})
            for (double py : {0.0, h})
                points.push_back({px, py, pz});
    return points;
}

struct TFrameCase
{
    const char* Name;
    std::vector<TModelPoint> Points;
    TViewDirection Direction;
    double Aspect;
    bool Fills; // too small to fill the picture outside the near plane otherwise
    bool Orthographic = false;
};

} // namespace

// Framed views, taken through the single precision of the drawing's view and
// the camera of the render pass, show every point and fill the picture.
TEST(FrameView, ShowsEveryPointThroughTheCamera)
{
    std::vector<TModelPoint> lShape = Box(0, 0, 16000, 7000, 2500);
    for (const TModelPoint& p : Box(0, -7000, 9000, 5000, 5000))
        lShape.push_back(p);
    const TFrameCase cases[] = {
        {"flat from the south-west", Box(0, 0, 12000, 9000, 2500), {45, 35}, 1, true},
        {"flat in a wide picture", Box(0, 0, 12000, 9000, 2500), {45, 35}, 4.0 / 3, true},
        {"flat in a tall picture", Box(0, 0, 12000, 9000, 2500), {45, 35}, 0.5, true},
        {"flat from above", Box(0, 0, 12000, 9000, 2500), {90, 89.9}, 1, true},
        {"L-shape, two heights, from the north-east", lShape, {225, 30}, 1, true},
        {"long and narrow", Box(-5000, 2000, 30000, 1000, 3000), {45, 35}, 1, true},
        {"far from the origin", Box(4.5e6, -5.2e6, 8000, 6000, 2400), {45, 35}, 1, true},
        {"below the ground", Box(0, 0, 10000, 10000, -3000), {45, 35}, 1, true},
        {"a post 10 cm across", Box(0, 0, 100, 100, 2000), {45, 35}, 1, false},
        {"one point", {{1000, 0, 1000}}, {45, 35}, 1, false},
        {"level, from the south", Box(0, 0, 12000, 9000, 2500), {90, 0}, 4.0 / 3, true},
        {"from below", Box(0, 0, 12000, 9000, 2500), {0, -20}, 1, true},
        {"flat, orthographic", Box(0, 0, 12000, 9000, 2500), {45, 35}, 1, true, true},
        {"L-shape in a tall picture, orthographic", lShape, {225, 30}, 0.5, true, true},
        {"long and narrow from above, orthographic",
         Box(-5000, 2000, 30000, 1000, 3000),
         {90, 89.9},
         4.0 / 3,
         true,
         true},
        {"one point, orthographic", {{1000, 0, 1000}}, {45, 35}, 1, false, true},
    };
    for (const TFrameCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        std::optional<TFramedView> framed = FrameView(c.Points, c.Direction, 60, c.Aspect, c.Orthographic);
        ASSERT_TRUE(framed);
        TViewParameters view;
        view.EyeX = ToSingle(framed->Eye[0]), view.EyeHeight = ToSingle(framed->Eye[1]);
        view.EyeY = ToSingle(framed->Eye[2]);
        view.TargetX = ToSingle(framed->Target[0]), view.TargetHeight = ToSingle(framed->Target[1]);
        view.TargetY = ToSingle(framed->Target[2]);
        view.FieldOfView = 60;
        TCamera camera;
        DeriveCamera(view, camera);
        TakeEyePoint(view, camera);

        double left = INFINITY, right = -INFINITY, bottom = INFINITY, top = -INFINITY;
        for (const TModelPoint& p : c.Points)
        {
            TSeen seen = Project(camera, p, c.Aspect, c.Orthographic);
            EXPECT_TRUE(c.Orthographic || seen.Depth >= NearPlane) << seen.Depth;
            left = std::min(left, seen.X), right = std::max(right, seen.X);
            bottom = std::min(bottom, seen.Y), top = std::max(top, seen.Y);
        }
        EXPECT_GE(left, -FrameFill - 0.01);
        EXPECT_LE(right, FrameFill + 0.01);
        EXPECT_GE(bottom, -FrameFill - 0.01);
        EXPECT_LE(top, FrameFill + 0.01);
        if (c.Fills)
        {
            EXPECT_GE(std::max(right - left, top - bottom) / 2, FrameFill - 0.01);
            // Centred across the axis it fills.
            EXPECT_NEAR(right - left > top - bottom ? left + right : bottom + top, 0, 0.01);
        }
    }
}

TEST(FrameView, TheTopViewLooksNorthAndHugeCoordinatesStayFinite)
{
    // Looking straight down turns the plan upside down; a hair south of
    // straight down keeps north at the top.
    std::optional<TFramedView> top = FrameView(Box(0, 0, 12000, 9000, 2500), {90, 89.9}, 60, 1);
    ASSERT_TRUE(top);
    EXPECT_GT(top->Eye[2] - top->Target[2], 1);
    TViewParameters view;
    view.EyeX = ToSingle(top->Eye[0]), view.EyeHeight = ToSingle(top->Eye[1]),
    view.EyeY = ToSingle(top->Eye[2]);
    view.TargetX = ToSingle(top->Target[0]), view.TargetHeight = ToSingle(top->Target[1]);
    view.TargetY = ToSingle(top->Target[2]);
    TCamera camera;
    DeriveCamera(view, camera);
    EXPECT_NEAR(camera.Yaw, 0, 1e-3);
    EXPECT_NEAR(camera.Pitch, 89.9, 1e-3);

    std::optional<TFramedView> huge = FrameView(Box(1e12, -1e12, 8000, 6000, 2500), {45, 35}, 60, 1);
    ASSERT_TRUE(huge);
    for (int i = 0; i < 3; i++)
        EXPECT_TRUE(std::isfinite(huge->Eye[i]) && std::isfinite(huge->Target[i]));

    EXPECT_FALSE(FrameView({}, {45, 35}, 60, 1));
    EXPECT_FALSE(FrameView({{0, 0, 0}, {NAN, 0, 0}}, {45, 35}, 60, 1));
    EXPECT_FALSE(FrameView({{INFINITY, 0, 0}}, {45, 35}, 60, 1));
}
