#include "render/camera.h"
#include "render/drag_list.h"
#include "render/navigation.h"
#include "tests/render/render_helpers.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{

const Vec3 Sand = {0.9, 0.8, 0.6};
const Vec3 Brick = {0.7, 0.3, 0.2};

// A wall from (x1, z1) to (x2, z2), 3000 high, with its corners in the
// order the model gives them: top and bottom at the first end, then bottom
// and top at the second.
SceneFace Wall(double x1, double z1, double x2, double z2, Vec3 colour = Brick, double bottom = 0,
               double top = 3000)
{
    return Face({{x1, top, z1}, {x1, bottom, z1}, {x2, bottom, z2}, {x2, top, z2}}, colour);
}

SceneFace Floor(double x, double z, double size, Vec3 colour = Sand, double height = 0)
{
    return Face({{x, height, z}, {x + size, height, z}, {x + size, height, z - size}, {x, height, z - size}},
                colour);
}

// An n by n grid of rooms of 1000, with their floors and walls.
std::vector<SceneFace> Grid(int n)
{
    std::vector<SceneFace> faces;
    for (int j = 0; j <= n; ++j)
        for (int i = 0; i < n; ++i)
        {
            faces.push_back(Wall(i * 1000, -j * 1000, (i + 1) * 1000, -j * 1000));
            faces.push_back(Wall(j * 1000, -i * 1000, j * 1000, -(i + 1) * 1000));
        }
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i)
            faces.push_back(Floor(i * 1000, -j * 1000, 1000));
    return faces;
}

// How many pixels one picture covers and the other does not.
int CoverageDiffers(const TPicture& a, const TPicture& b)
{
    int differing = 0;
    for (size_t i = 0; i < a.Pixels.size(); ++i)
        differing += (a.Pixels[i] != Rgb(0, 0, 0)) != (b.Pixels[i] != Rgb(0, 0, 0));
    return differing;
}

TRenderState Looking(Vec3 eye, Vec3 target)
{
    TRenderState state;
    TViewParameters view = View(eye, target, 60);
    DeriveCamera(view, state.Camera);
    TakeEyePoint(view, state.Camera);
    return state;
}

TPicture RenderedFaces(const TRenderState& state, const TDrawList& list,
                       const std::vector<DrawPolygon>& faces)
{
    TPicture picture;
    TGLCanvasContext context;
    RenderFaces(context, picture, state, list, faces);
    return picture;
}

} // namespace

// The rooms of a grid join into one floor and each line of walls into one
// wall, and cover the same pixels as before.
TEST(BuildDragList, JoinsRowsOfRoomsAndLinesOfWalls)
{
    const TDrawList full = DrawListOf(Grid(6));
    const TDragList drag = BuildDragList(full);
    EXPECT_EQ(drag.List.Faces.size(), 2 * 7 + 1u);
    ASSERT_EQ(drag.Spheres.size(), drag.List.Faces.size());
    for (const Vec3& eye : {Vec3{3000, 20000, 500}, Vec3{-4000, 6000, 5000}, Vec3{9000, 1500, -9000}})
    {
        TRenderState state = Looking(eye, {3000, 0, -3000});
        state.FlatShading = true;
        state.DrawList = full;
        const TPicture whole = RenderedFaces(state, full, full.Faces);
        // Long edges may be rasterized a pixel apart here and there.
        EXPECT_LE(CoverageDiffers(RenderedFaces(state, drag.List, drag.List.Faces), whole), 10) << eye[0];
    }
}

TEST(BuildDragList, JoinsOnlyFacesThatMakeOneFourSidedFace)
{
    struct Case
    {
        const char* Name;
        std::vector<SceneFace> Faces;
        size_t Faces_;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {"two rooms in a row", {Floor(0, 0, 1000), Floor(1000, 0, 1000)}, 1},
        {"two colours", {Floor(0, 0, 1000), Floor(1000, 0, 1000, Brick)}, 2},
        {"an L of three", {Floor(0, 0, 1000), Floor(1000, 0, 1000), Floor(0, -1000, 1000)}, 2},
        {"rooms of different depth", {Floor(0, 0, 1000), Floor(1000, 0, 2000)}, 2},
        {"floor and wall along one side", {Floor(0, 0, 1000), Wall(0, 0, 1000, 0, Sand, 0, 3000)}, 2},
        {"a wall turning a corner", {Wall(0, 0, 1000, 0), Wall(1000, 0, 1000, -1000)}, 2},
        {"walls of different heights", {Wall(0, 0, 1000, 0), Wall(1000, 0, 2000, 0, Brick, 0, 2500)}, 2},
        {"storeys one over the other", {Wall(0, 0, 1000, 0), Wall(0, 0, 1000, 0, Brick, 3000, 6000)}, 1},
        {"a triangle beside",
         {Floor(0, 0, 1000), Face({{1000, 0, 0}, {2000, 0, 0}, {1000, 0, -1000}}, Sand)},
         2},
        {"a corner not finite",
         {Floor(0, 0, 1000), Face({{1000, 0, 0}, {inf, 0, 0}, {2000, 0, -1000}, {1000, 0, -1000}}, Sand)},
         2},
        {"overlapping, not side by side", {Floor(0, 0, 1000), Floor(0, 0, 1000)}, 2},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(BuildDragList(DrawListOf(c.Faces)).List.Faces.size(), c.Faces_);
    }
}

// Faces that are not joined keep their order, vertices and triangles.
TEST(BuildDragList, KeepsTheOtherFacesAsTheyAre)
{
    TDrawList full = DrawListOf({Floor(0, 0, 1000), Face({{0, 0, 0}, {5, 0, 0}, {0, 5, 0}}, Brick),
                                 Floor(1000, 0, 1000), Wall(0, 0, 1000, 0)});
    full.Corners = {{{0, 0, 0}, 0}, {{5, 0, 0}, 1}, {{0, 5, 0}, 2}};
    full.Faces[1].CornerCount = 3;
    const TDragList drag = BuildDragList(full);
    ASSERT_EQ(drag.List.Faces.size(), 3u);
    EXPECT_EQ(drag.List.Faces[1].CornerCount, 3);
    EXPECT_EQ(drag.List.Corners.size(), 3u);
    EXPECT_EQ(drag.List.Faces[1].FaceColor[0], float(Brick[0]));
    EXPECT_EQ(drag.List.Vertices[size_t(drag.List.Faces[2].FirstVertex)], (std::array<float, 3>{0, 3000, 0}));
    EXPECT_EQ(drag.Spheres[2][3], std::hypot(500.0f, 1500.0f));
}

// Leaving out the faces out of view changes nothing in the picture, from
// inside the grid, from outside it and in the orthographic projection.
TEST(FacesInView, LeavesOutOnlyFacesThatDoNotShow)
{
    const TDragList drag = BuildDragList(DrawListOf(Grid(1)));
    // Single rooms, so that each face is small enough to be left out.
    TDragList rooms;
    rooms.List = DrawListOf(Grid(8));
    for (const DrawPolygon& face : rooms.List.Faces)
        rooms.Spheres.push_back(BuildDragList({{face}, rooms.List.Vertices, {}}).Spheres.front());
    struct Case
    {
        Vec3 Eye, Target;
        bool Orthographic;
        double Aspect;
    };
    const Case cases[] = {
        {{4500, 1600, -4500}, {8000, 1600, -8000}, false, 1},
        {{500, 1600, -500}, {500, 1600, -3000}, false, 4.0 / 3.0},
        {{-3000, 9000, 4000}, {4000, 0, -4000}, false, 0.5},
        {{4000, 6000, -4000}, {2000, 0, -2000}, true, 1},
    };
    std::vector<DrawPolygon> inView;
    for (const Case& c : cases)
    {
        TRenderState state = Looking(c.Eye, c.Target);
        state.Orthographic = c.Orthographic;
        state.AspectRatio = c.Aspect;
        FacesInView(rooms, state.Camera, c.Aspect, c.Orthographic, inView);
        EXPECT_LT(inView.size(), rooms.List.Faces.size()) << c.Eye[0];
        EXPECT_GT(inView.size(), 0u);
        EXPECT_EQ(RenderedFaces(state, rooms.List, inView).Pixels,
                  RenderedFaces(state, rooms.List, rooms.List.Faces).Pixels)
            << c.Eye[0];
    }
    FacesInView(drag, Looking({0, 0, 5000}, {0, 0, 10000}).Camera, 1, false, inView);
    EXPECT_TRUE(inView.empty()); // all behind the eye
}
