#include "render/camera.h"
#include "render/depth_range.h"
#include "render/navigation.h"
#include "tests/render/render_helpers.h"

#include <gtest/gtest.h>

#include <limits>
#include <numbers>

namespace
{

const Vec3 Orange = {0.9, 0.6, 0.3};

// The camera the start sequence makes from a view.
TRenderState StateFor(TViewParameters view)
{
    TRenderState state;
    DeriveCamera(view, state.Camera);
    TakeEyePoint(view, state.Camera);
    return state;
}

struct ViewCase
{
    const char* Name;
    Vec3 Eye;
    Vec3 Target;
};

const ViewCase Views[] = {
    {"reader default", {12000, 4000, 14000}, {0, 2000, 0}},
    {"straight down", {5000, 20000, -3000}, {5000, 0, -3000}},
    {"straight up", {0, 1000, 0}, {0, 5000, 0}},
    {"level, along -x", {3000, 1500, 0}, {0, 1500, 0}},
    {"level, along +z", {-800, 300, -9000}, {-800, 300, 0}},
    {"from below, oblique", {-6000, -3000, 2000}, {1000, 500, -4000}},
};

} // namespace

TEST(RenderView, EmptyListFillsThePictureWithTheBackground)
{
    const std::array<int32_t, 3> colours[] = {{10, 128, 255}, {255, 255, 255}, {0, 0, 0}};
    for (const auto& colour : colours)
    {
        TRenderState state = LookingAlongMinusZ();
        state.BackColor = colour;
        const TPicture picture = Rendered(state);
        const uint32_t expected = Rgb(colour[0], colour[1], colour[2]);
        EXPECT_EQ(BoxOfPixelsOtherThan(picture, expected).Count, 0) << "background " << colour[0];
    }
}

// The window's picture stretches a square to 4/3 of its height; a picture
// with its own aspect ratio draws it square, also with 4 samples a pixel.
TEST(RenderView, SquareFacingTheCameraIsAsWideAsTheAspectRatioMakesIt)
{
    struct
    {
        int Width, Height, Samples;
        double AspectRatio, Side, Ratio;
    } cases[] = {{400, 300, 1, 1.0, 60, 4.0 / 3.0},
                 {640, 480, 1, 640 / 480.0, 96, 1},
                 {640, 480, 4, 640 / 480.0, 96, 1},
                 {300, 700, 4, 300 / 700.0, 140, 1}};
    for (const auto& c : cases)
    {
        TRenderState state = LookingAlongMinusZ();
        state.AspectRatio = c.AspectRatio;
        state.DrawList = DrawListOf({SquareFacing({0, 0, -10000}, {0, 0, 0}, 4000, Orange)});
        TPicture picture;
        picture.Width = c.Width, picture.Height = c.Height;
        PaintFramedWhite(picture);
        TGLCanvasContext context;
        context.Samples = c.Samples;
        RenderView(context, picture, state);
        const PixelBox box = BoxOfPixelsOtherThan(picture, Rgb(0, 0, 0));
        // 90 degrees over the picture's height: a fifth of it is the square's.
        EXPECT_NEAR(box.Height(), c.Side, 1.5) << c.Width << "x" << c.Height;
        EXPECT_NEAR(box.Width() / box.Height(), c.Ratio, 0.04) << c.Width << "x" << c.Height;
    }
}

// The far plane moves out only as far as the model reaches, so a model that
// reaches beyond 50000 is drawn whole; the near plane stays.
TEST(RenderView, ClipsNearerThan500AndReachesAsFarAsTheModel)
{
    struct
    {
        double Distance;
        double Side;
        bool Visible;
    } cases[] = {
        {400, 200, false}, {600, 200, true}, {49900, 20000, true}, {50100, 20000, true}, {5e6, 2e6, true}};
    for (const auto& c : cases)
    {
        TRenderState state = LookingAlongMinusZ();
        state.DrawList = DrawListOf({SquareFacing({0, 0, -c.Distance}, {0, 0, 0}, c.Side, Orange)});
        const PixelBox box = BoxOfPixelsOtherThan(Rendered(state), Rgb(0, 0, 0));
        EXPECT_EQ(box.Count > 0, c.Visible) << "distance " << c.Distance;
    }
}

TEST(DepthRangeOf, PlanesMoveOnlyWhereTheModelReachesBeyondThem)
{
    const double inf = std::numeric_limits<double>::infinity();
    const SceneFace inside = Face({{0, 0, -1000}, {1, 0, -49000}, {0, 1, -20000}}, Orange);
    struct
    {
        const char* Name;
        std::vector<SceneFace> Faces;
        bool Orthographic;
        double NearAtMost, NearAtLeast, FarAtLeast, FarAtMost;
    } cases[] = {
        {"within", {inside}, false, 500, 500, 50000, 50000},
        {"within, orthographic", {inside}, true, 500, 500, 50000, 50000},
        {"nothing", {}, false, 500, 500, 50000, 50000},
        {"not finite",
         {inside, Face({{0, 0, -inf}, {inf, 0, 0}, {0, 0, -1e300}}, Orange)},
         false,
         500,
         500,
         50000,
         50000},
        {"beyond",
         {inside, Face({{0, 0, -60000}, {1, 0, -1000}, {0, 1, -1000}}, Orange)},
         false,
         500,
         500,
         60000,
         61000},
        {"absurdly far",
         {inside, Face({{0, 0, -1.2e11}, {1, 0, -1000}, {0, 1, -1000}}, Orange)},
         false,
         500,
         500,
         1.2e11,
         1.22e11},
        {"behind, orthographic",
         {inside, Face({{0, 0, 2000}, {1, 0, 2000}, {0, 1, 2000}}, Orange)},
         true,
         -2000,
         -2100,
         50000,
         50000},
        {"absurdly far, orthographic",
         {inside, Face({{0, 0, -1.2e11}, {1, 0, -1000}, {0, 1, -1000}}, Orange)},
         true,
         500,
         500,
         500 + OrthographicDepthSpan,
         500 + OrthographicDepthSpan},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.Name);
        const TDepthRange range =
            DepthRangeOf(DrawListOf(c.Faces), LookingAlongMinusZ().Camera, c.Orthographic);
        EXPECT_LE(range.Near, c.NearAtMost);
        EXPECT_GE(range.Near, c.NearAtLeast);
        EXPECT_GE(range.Far, c.FarAtLeast);
        EXPECT_LE(range.Far, c.FarAtMost);
    }
}

// A vertex absurdly far away (a height of 123456789 m) moves the far plane
// out, but the near plane keeps the depths near the eye apart.
TEST(RenderView, AnAbsurdlyFarVertexKeepsNearDepthsApart)
{
    const SceneFace nearRed = SquareFacing({0, 0, -10000}, {0, 0, 0}, 2000, {1, 0, 0});
    const SceneFace farGreen = SquareFacing({0, 0, -10010}, {0, 0, 0}, 4000, {0, 1, 0});
    const SceneFace spike = Face({{0, 0, -1.2e11}, {10, 0, -1000}, {-10, 0, -1000}}, {0, 0, 1});
    for (bool nearFirst : {true, false})
    {
        TRenderState state = LookingAlongMinusZ();
        state.DrawList = DrawListOf(nearFirst ? std::vector{spike, nearRed, farGreen}
                                              : std::vector{spike, farGreen, nearRed});
        const TPicture picture = Rendered(state);
        EXPECT_GT(Red(PixelAt(picture, 190, 150)), 0) << "near first: " << nearFirst;
        EXPECT_EQ(Green(PixelAt(picture, 190, 150)), 0) << "near first: " << nearFirst;
        EXPECT_GT(Green(PixelAt(picture, 190, 175)), 0);
    }
}

// Seen from above in the orthographic projection, the plan's x runs to the
// right and the host's y up, at the scale of the perspective's target plane.
TEST(RenderView, OrthographicTopViewMapsPlanXAndYToPictureXAndY)
{
    TViewParameters view = View({0, 20000, 0}, {0, 0, 0}, 60);
    ShowFixedView(view, TFixedView::Top);
    TRenderState state = StateFor(view);
    state.Orthographic = true;
    // The picture is 2 * 20000 * tan(30 degrees) = 23094 high: 77 units a pixel.
    const double unit = 20000 * 2 * std::tan(std::numbers::pi / 6) / 300;
    const auto square = [&](double x, double hostY, Vec3 colour)
    {
        return Face({{x, 0, -hostY},
                     {x + 30 * unit, 0, -hostY},
                     {x + 30 * unit, 0, -hostY - 30 * unit},
                     {x, 0, -hostY - 30 * unit}},
                    colour);
    };
    state.DrawList = DrawListOf({square(60 * unit, 0, {1, 0, 0}), square(0, 60 * unit, {0, 0, 1})});
    const TPicture picture = Rendered(state);
    TPicture red = picture, blue = picture;
    for (uint32_t& pixel : red.Pixels)
        pixel = Red(pixel) > 0 ? pixel : Rgb(0, 0, 0);
    for (uint32_t& pixel : blue.Pixels)
        pixel = Blue(pixel) > 0 ? pixel : Rgb(0, 0, 0);
    const PixelBox right = BoxOfPixelsOtherThan(red, Rgb(0, 0, 0));
    const PixelBox above = BoxOfPixelsOtherThan(blue, Rgb(0, 0, 0));
    // The window's picture stretches x by 4/3.
    EXPECT_NEAR(right.Left, 200 + 60 * 4 / 3.0, 1.5);
    EXPECT_NEAR(right.Width(), 30 * 4 / 3.0, 1.5);
    EXPECT_NEAR(right.Bottom, 149.5, 1.5);
    EXPECT_NEAR(above.Bottom, 149.5 - 60, 1.5);
    EXPECT_NEAR(above.Height(), 30, 1.5);
    EXPECT_NEAR(above.Left, 199.5, 1.5);
}

TEST(RenderView, TargetIsInTheMiddleOfThePicture)
{
    for (const ViewCase& v : Views)
    {
        SCOPED_TRACE(v.Name);
        TRenderState state = StateFor(View(v.Eye, v.Target, 60));
        const double distance = Length(Sub(v.Eye, v.Target));
        state.DrawList = DrawListOf({SquareFacing(v.Target, v.Eye, distance / 10, Orange)});
        const PixelBox box = BoxOfPixelsOtherThan(Rendered(state), Rgb(0, 0, 0));
        ASSERT_GT(box.Count, 0);
        EXPECT_NEAR(box.CentreX(), 199.5, 1.5);
        EXPECT_NEAR(box.CentreY(), 149.5, 1.5);
    }
}

TEST(RenderView, PictureIsUprightAndNotMirrored)
{
    for (const ViewCase& v : Views)
    {
        const Vec3 forward = Sub(v.Target, v.Eye);
        if (std::fabs(forward[0]) < 1 && std::fabs(forward[2]) < 1)
            continue; // looking straight up or down: no up or left to speak of
        SCOPED_TRACE(v.Name);
        const Vec3 right = Unit(Cross(forward, {0, 1, 0}));
        const Vec3 up = Unit(Cross(right, forward));
        const double step = Length(forward) / 8;
        const Vec3 aboveLeft = Add(Sub(v.Target, Scale(right, step)), Scale(up, step));

        TRenderState state = StateFor(View(v.Eye, v.Target, 60));
        state.DrawList = DrawListOf({SquareFacing(aboveLeft, v.Eye, step / 2, Orange)});
        const PixelBox box = BoxOfPixelsOtherThan(Rendered(state), Rgb(0, 0, 0));
        ASSERT_GT(box.Count, 0);
        EXPECT_LT(box.Right, 200);
        EXPECT_LT(box.Bottom, 150);
    }
}

TEST(RenderView, NearerFaceHidesTheFartherInEitherOrder)
{
    const SceneFace nearRed = SquareFacing({0, 0, -10000}, {0, 0, 0}, 2000, {1, 0, 0});
    const SceneFace farGreen = SquareFacing({0, 0, -10500}, {0, 0, 0}, 4000, {0, 1, 0});
    for (bool nearFirst : {true, false})
    {
        TRenderState state = LookingAlongMinusZ();
        state.DrawList =
            DrawListOf(nearFirst ? std::vector{nearRed, farGreen} : std::vector{farGreen, nearRed});
        const TPicture picture = Rendered(state);
        const uint32_t centre = PixelAt(picture, 200, 150);
        EXPECT_GT(Red(centre), 0) << "near first: " << nearFirst;
        EXPECT_EQ(Green(centre), 0) << "near first: " << nearFirst;
        EXPECT_GT(Green(PixelAt(picture, 200, 175)), 0); // the far face shows around the near one
    }
}

TEST(RenderView, ColourSwitchesAtTheFourthVertexInSmoothModeOnly)
{
    TRenderState state = LookingAlongMinusZ();
    const double z = -10000;
    // On the picture: vertex 1 at the lower right, vertex 3 at the upper left.
    const SceneFace quad =
        Face({{-4000, -4000, z}, {4000, -4000, z}, {4000, 4000, z}, {-4000, 4000, z}}, Orange);
    const SceneFace triangle = Face({{-4000, -4000, z}, {4000, -4000, z}, {4000, 4000, z}}, Orange);

    state.DrawList = DrawListOf({triangle});
    state.FlatShading = true;
    const TPicture flatTriangle = Rendered(state);
    state.FlatShading = false;
    EXPECT_EQ(Rendered(state).Pixels, flatTriangle.Pixels);

    state.DrawList = DrawListOf({quad});
    state.FlatShading = true;
    const TPicture flat = Rendered(state);
    state.FlatShading = false;
    const TPicture smooth = Rendered(state);
    // Smooth shading with no darker colour is what flat shading draws.
    state.DrawList.Faces[0].ShadeColor[0] = float(Orange[0]);
    state.DrawList.Faces[0].ShadeColor[1] = float(Orange[1]);
    state.DrawList.Faces[0].ShadeColor[2] = float(Orange[2]);
    EXPECT_EQ(Rendered(state).Pixels, flat.Pixels);

    EXPECT_EQ(PixelAt(smooth, 270, 202), PixelAt(flat, 270, 202)); // near vertex 1
    const uint32_t darkCorner = PixelAt(smooth, 130, 98), litCorner = PixelAt(flat, 130, 98);
    EXPECT_LT(Red(darkCorner), Red(litCorner));
    EXPECT_LT(Green(darkCorner), Green(litCorner));
    EXPECT_LT(Blue(darkCorner), Blue(litCorner));
}

TEST(RenderView, SameModeGivesTheSamePicture)
{
    TRenderState state = StateFor(TViewParameters{});
    state.BackColor = {40, 80, 120};
    std::vector<SceneFace> faces;
    for (int i = 0; i < 6; ++i)
    {
        const Vec3 centre = {i * 1500.0 - 4000, 2000, -i * 700.0};
        faces.push_back(SquareFacing(centre, {12000, 4000, 14000}, 1800, {0.2 + i * 0.1, 0.5, 0.9}));
    }
    state.DrawList = DrawListOf(faces);

    TPicture picture;
    TGLCanvasContext context;
    RenderView(context, picture, state);
    const std::vector<uint32_t> first = picture.Pixels;
    RenderView(context, picture, state);
    EXPECT_EQ(picture.Pixels, first);

    state.FlatShading = true;
    RenderView(context, picture, state);
    EXPECT_NE(picture.Pixels, first);
    state.FlatShading = false;
    RenderView(context, picture, state);
    EXPECT_EQ(picture.Pixels, first);

    // The context is kept: another scene in between leaves nothing behind.
    RenderView(context, picture, LookingAlongMinusZ());
    RenderView(context, picture, state);
    EXPECT_EQ(picture.Pixels, first);
}

TEST(RenderView, NonFiniteVerticesDoNotStopTheRender)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Vec3 red = {1, 0, 0};
    TRenderState state = LookingAlongMinusZ();
    const SceneFace square = SquareFacing({0, 0, -10000}, {0, 0, 0}, 4000, {0, 0, 1});
    state.DrawList = DrawListOf({square});
    const TPicture alone = Rendered(state);
    state.DrawList = DrawListOf({Face({{nan, 0, -1000}, {1, nan, -1000}, {1, 1, nan}, {0, 0, -1000}}, red),
                                 Face({{-inf, 0, -1000}, {inf, 0, -1000}, {0, inf, -1000}}, red),
                                 Face({{0, 0, -1e300}, {1e300, 0, -1000}, {0, 1e300, -1000}}, red), square});
    const TPicture picture = Rendered(state);
    EXPECT_EQ(PixelAt(picture, 200, 150), PixelAt(alone, 200, 150));
    EXPECT_GT(Blue(PixelAt(picture, 200, 150)), 0);
}

// An L-shaped room's floor, seen from straight above, written from each of its
// six corners: the notch stays empty and the floor covers the same pixels as
// its two rectangles, whatever the start corner and the shading.
TEST(RenderView, ConcaveFloorCoversTheSamePixelsFromEveryStartCorner)
{
    const std::vector<std::array<float, 2>> room = {{8000, 3000}, {3000, 3000}, {3000, 7000},
                                                    {0, 7000},    {0, 0},       {8000, 0}};
    auto floorOf = [](const std::vector<std::array<float, 2>>& corners)
    {
        TPGon face;
        face.SetMaterial({0.9f, 0.6f, 0.3f, 0, 0, 0, 0});
        for (const auto& c : corners)
            face.AddVertex(c[0], 0, c[1]);
        return face;
    };
    auto covered = [](std::vector<TPGon> faces, bool flat)
    {
        TRenderState state = StateFor(View({4000, 20000, 3500}, {4000, 0, 3500}, 40));
        state.FlatShading = flat;
        BuildDrawList(faces, state.DrawList);
        const TPicture picture = Rendered(state);
        std::vector<bool> pixels;
        for (uint32_t pixel : picture.Pixels)
            pixels.push_back(pixel != Rgb(0, 0, 0));
        return pixels;
    };
    const std::vector<bool> expected = covered({floorOf({{0, 0}, {8000, 0}, {8000, 3000}, {0, 3000}}),
                                                floorOf({{0, 3000}, {3000, 3000}, {3000, 7000}, {0, 7000}})},
                                               true);
    for (size_t start = 0; start < room.size(); ++start)
    {
        std::vector<std::array<float, 2>> corners = room;
        std::rotate(corners.begin(), corners.begin() + long(start), corners.end());
        for (bool flat : {false, true})
            EXPECT_EQ(covered({floorOf(corners)}, flat), expected) << "start " << start << ", flat " << flat;
    }
}

// A wall from height -1000 to 1000 ahead of the eye: a cut through it leaves
// the part below, with the lower rows as they were; a cut at or above its top
// gives exactly the uncut picture, one below its foot the background alone.
// A kept context forgets the cut.
TEST(RenderView, CutHeightCutsFacesAtThePlane)
{
    TRenderState state = LookingAlongMinusZ();
    state.DrawList = DrawListOf({Face(
        {{-3000, -1000, -5000}, {3000, -1000, -5000}, {3000, 1000, -5000}, {-3000, 1000, -5000}}, Orange)});
    const TPicture whole = Rendered(state);
    const PixelBox wholeBox = BoxOfPixelsOtherThan(whole, Rgb(0, 0, 0));
    ASSERT_GT(wholeBox.Count, 0);
    struct
    {
        float Cut;
        double Top; // the picture row of the cut, in shares of the wall from its top
    } cases[] = {{1000, 0}, {1e6f, 0}, {0, 0.5}, {500, 0.25}, {-900, 0.95}, {-1001, 2}, {-1e6f, 2}};
    for (const auto& c : cases)
    {
        state.CutHeight = c.Cut;
        const TPicture cut = Rendered(state);
        const PixelBox box = BoxOfPixelsOtherThan(cut, Rgb(0, 0, 0));
        if (c.Top == 0)
        {
            EXPECT_EQ(cut.Pixels, whole.Pixels) << "cut " << c.Cut;
            continue;
        }
        if (c.Top == 2)
        {
            EXPECT_EQ(box.Count, 0) << "cut " << c.Cut;
            continue;
        }
        ASSERT_GT(box.Count, 0) << "cut " << c.Cut;
        EXPECT_NEAR(box.Top, wholeBox.Top + c.Top * wholeBox.Height(), 1.5) << "cut " << c.Cut;
        EXPECT_EQ(box.Bottom, wholeBox.Bottom) << "cut " << c.Cut;
        EXPECT_EQ(PixelAt(cut, 200, wholeBox.Bottom), PixelAt(whole, 200, wholeBox.Bottom));
    }

    TPicture picture;
    TGLCanvasContext context;
    state.CutHeight = 0;
    RenderView(context, picture, state);
    state.CutHeight.reset();
    RenderView(context, picture, state);
    EXPECT_EQ(picture.Pixels, whole.Pixels);
}

// The marker shows through the face in front of it, in red, and leaves no
// trace in the next picture of a kept context.
TEST(RenderView, MarkerShowsThroughTheFacesInFront)
{
    TRenderState state = LookingAlongMinusZ();
    state.DrawList = DrawListOf({SquareFacing({0, 0, -5000}, {0, 0, 0}, 6000, {0, 0, 1})});
    TPicture picture;
    TGLCanvasContext context;
    RenderView(context, picture, state);
    const std::vector<uint32_t> unmarked = picture.Pixels;
    state.Marker = {0, -1000, -8000};
    RenderView(context, picture, state);
    int red = 0;
    for (uint32_t pixel : picture.Pixels)
        red += Red(pixel) > 200 && Blue(pixel) < 60;
    EXPECT_GT(red, 40);
    state.Marker.reset();
    RenderView(context, picture, state);
    EXPECT_EQ(picture.Pixels, unmarked);
}
