#include "render/camera.h"
#include "render/navigation.h"
#include "tests/render/render_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

namespace
{

TViewParameters ViewOf(Vec3 eye, Vec3 target)
{
    return View(eye, target, 60);
}

Vec3 EyeOf(const TViewParameters& view)
{
    return {view.EyeX, view.EyeHeight, view.EyeY};
}

Vec3 TargetOf(const TViewParameters& view)
{
    return {view.TargetX, view.TargetHeight, view.TargetY};
}

double Distance(const TViewParameters& view)
{
    return Length(Sub(TargetOf(view), EyeOf(view)));
}

double ElevationOf(const TViewParameters& view)
{
    const Vec3 back = Sub(EyeOf(view), TargetOf(view));
    return std::atan2(back[1], std::hypot(back[0], back[2])) * 180 / std::numbers::pi;
}

// Where a model point lands in the perspective picture, as shares of the
// picture's width and height right and up of its centre.
std::array<double, 2> PictureShare(const TViewParameters& view, const Vec3& point, double aspect)
{
    TViewParameters copy = view;
    TCamera camera;
    DeriveCamera(copy, camera);
    TakeEyePoint(copy, camera);
    const TSeen seen = Project(camera, point, aspect);
    return {seen.X / 2, seen.Y / 2};
}

const TViewParameters ReaderDefault;

const TModelExtent HouseSized = {{0, 0, -8000}, {10000, 7600, 0}, false};

} // namespace

TEST(Navigation, TurnsAboutTheTargetCounterClockwiseAndQuarterTurnsExactly)
{
    // Eye east of the target; the host's y is the stored z negated.
    TViewParameters view = ViewOf({1000, 500, 0}, {0, 0, 0});
    TurnAboutTarget(view, 90);
    EXPECT_EQ(EyeOf(view), (Vec3{0, 500, -1000})); // north
    TurnAboutTarget(view, -270);
    EXPECT_EQ(EyeOf(view), (Vec3{-1000, 500, 0})); // west
    TurnAboutTarget(view, 45);
    EXPECT_NEAR(view.EyeX, -707.107, 1e-3);
    EXPECT_NEAR(view.EyeY, 707.107, 1e-3); // south-west
    EXPECT_EQ(TargetOf(view), (Vec3{0, 0, 0}));
}

TEST(Navigation, RaisingKeepsDistanceAndBearingAndStopsAHairOffTheVertical)
{
    struct Case
    {
        const char* Name;
        TViewParameters View;
    };
    const Case cases[] = {
        {"reader default", ReaderDefault},
        {"level", ViewOf({3000, 1500, 0}, {0, 1500, 0})},
        {"far from the origin", ViewOf({1e6 + 4000, 0, 1e6}, {1e6, 0, 1e6})},
        {"eye at the target", ViewOf({7, 7, 7}, {7, 7, 7})},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.Name);
        TViewParameters view = c.View;
        const double distance = std::max(Distance(view), NearestDistance);
        const double elevation = ElevationOf(view);
        RaiseAboutTarget(view, 15);
        if (Distance(c.View) > 0)
        {
            EXPECT_NEAR(ElevationOf(view), elevation + 15, 1e-3);
            EXPECT_NEAR(std::atan2(view.EyeY - view.TargetY, view.EyeX - view.TargetX),
                        std::atan2(c.View.EyeY - c.View.TargetY, c.View.EyeX - c.View.TargetX), 1e-5);
        }
        EXPECT_NEAR(Distance(view), distance, std::max(distance * 1e-6, 0.1)); // a float step at 1e6
        for (int i = 0; i < 20; ++i)
            RaiseAboutTarget(view, 15);
        EXPECT_LT(ElevationOf(view), 90);
        // The camera still sees a bearing, not a vertical line of sight that
        // would turn the picture.
        TCamera camera;
        DeriveCamera(view, camera);
        EXPECT_LT(camera.Pitch, 90);
        for (int i = 0; i < 40; ++i)
            RaiseAboutTarget(view, -15);
        EXPECT_GT(ElevationOf(view), -90);
        EXPECT_EQ(TargetOf(view), TargetOf(c.View));
    }
}

TEST(Navigation, PanningKeepsThePointerOnTheSameSpot)
{
    for (double aspect : {1.0, 4.0 / 3.0, 0.5})
        for (const TViewParameters& start : {ReaderDefault, ViewOf({0, 20000, 100}, {0, 0, 0})})
        {
            TViewParameters view = start;
            Pan(view, 0.1, -0.2, aspect);
            const std::array<double, 2> share = PictureShare(view, TargetOf(start), aspect);
            EXPECT_NEAR(share[0], 0.1, 2e-4) << aspect;
            EXPECT_NEAR(share[1], -0.2, 2e-4) << aspect;
            EXPECT_NEAR(Distance(view), Distance(start), Distance(start) * 1e-5);
        }
}

TEST(Navigation, ZoomingKeepsThePointUnderThePointerAndItsLimits)
{
    struct Case
    {
        double Factor;
        double Right, Up;
        double Distance; // expected; 0: the start's times the factor
    };
    const double start = Distance(ReaderDefault);
    const Case cases[] = {
        {0.5, 0, 0, 0},
        {2, 0.3, -0.1, 0},
        {0.8, -0.4, 0.4, 0},
        {1e-9, 0.2, 0.2, NearestDistance},
        {1e9, 0.2, 0.2, FarthestDistance(HouseSized)},
        {std::numeric_limits<double>::infinity(), 0, 0, FarthestDistance(HouseSized)},
        {0, 0, 0, start},
        {std::numeric_limits<double>::quiet_NaN(), 0, 0, start},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.Factor);
        TViewParameters view = ReaderDefault;
        const std::array<double, 2> before = {c.Right, c.Up};
        // The point of the target's plane under the pointer.
        TViewParameters probe = ReaderDefault;
        Pan(probe, -c.Right, -c.Up, 4.0 / 3.0);
        const Vec3 spot = TargetOf(probe);
        ZoomToward(view, c.Factor, c.Right, c.Up, 4.0 / 3.0, HouseSized);
        const double expected = c.Distance > 0 ? c.Distance : start * c.Factor;
        EXPECT_NEAR(Distance(view), expected, expected * 1e-5);
        const std::array<double, 2> after = PictureShare(view, spot, 4.0 / 3.0);
        EXPECT_NEAR(after[0], before[0], 1e-4);
        EXPECT_NEAR(after[1], before[1], 1e-4);
    }
    // A view already nearer than the limit may still go back.
    TViewParameters close = ViewOf({0, 0, 100}, {0, 0, 0});
    ZoomToward(close, 0.5, 0, 0, 1, HouseSized);
    EXPECT_EQ(Distance(close), 100);
    ZoomToward(close, 2, 0, 0, 1, HouseSized);
    EXPECT_EQ(Distance(close), 200);
}

TEST(Navigation, WalkingGoesOverThePlanAlongTheBearing)
{
    // From the south looking north and down: forward is north, right is east.
    TViewParameters view = ViewOf({0, 1600, 5000}, {0, 0, 0});
    Walk(view, 250, 0);
    EXPECT_EQ(EyeOf(view), (Vec3{0, 1600, 4750}));
    EXPECT_EQ(TargetOf(view), (Vec3{0, 0, -250}));
    Walk(view, 0, 100);
    EXPECT_EQ(EyeOf(view), (Vec3{100, 1600, 4750}));
    RaiseEye(view, -100);
    EXPECT_EQ(EyeOf(view), (Vec3{100, 1500, 4750}));
    EXPECT_EQ(TargetOf(view), (Vec3{100, -100, -250}));

    // Seen from above, forward is the picture's up: north.
    TViewParameters top = ViewOf({0, 10000, 0}, {0, 0, 0});
    ShowFixedView(top, TFixedView::Top);
    Walk(top, 1000, 0);
    EXPECT_NEAR(top.TargetY, -1000, 1e-3);
    EXPECT_NEAR(top.TargetX, 0, 1e-3);
}

TEST(Navigation, TurningTheHeadKeepsTheEye)
{
    TViewParameters view = ViewOf({0, 1600, 0}, {0, 1600, -3000}); // looking north
    TurnHead(view, 90, 0);                                         // to the left: west
    EXPECT_EQ(EyeOf(view), (Vec3{0, 1600, 0}));
    EXPECT_NEAR(view.TargetX, -3000, 1e-3);
    EXPECT_NEAR(view.TargetY, 0, 1e-3);
    TurnHead(view, 0, 200); // up, but no steeper than 85 degrees
    EXPECT_NEAR(std::atan2(view.TargetHeight - 1600, -view.TargetX) * 180 / std::numbers::pi, 85, 1e-3);
    EXPECT_NEAR(Distance(view), 3000, 1e-2);
}

TEST(Navigation, WalkingStartsAbovetheLowestFloorUnderTheEye)
{
    const auto square = [](double size, double height, Vec3 colour) {
        return Face({{0, height, 0}, {size, height, 0}, {size, height, -size}, {0, height, -size}}, colour);
    };
    const SceneFace ground = square(4000, 0, {1, 1, 1});
    const SceneFace upper = square(4000, 3000, {1, 1, 1});
    const SceneFace basement = square(2000, -2500, {1, 1, 1});
    const SceneFace wall = Face({{0, -9000, -1000}, {4000, -9000, -1000}, {4000, 3000, -1000}}, {1, 1, 1});
    struct Case
    {
        const char* Name;
        std::vector<SceneFace> Faces;
        double X, Z;
        double Floor;
    };
    const Case cases[] = {
        {"two storeys", {upper, ground, wall}, 3000, -3000, 0},
        {"upper floor only", {upper}, 1000, -1000, 3000},
        {"basement under part of it", {ground, basement, upper}, 1000, -1000, -2500},
        {"beside the basement", {ground, basement, upper}, 3000, -1000, 0},
        {"outside", {ground, upper}, 5000, -1000, 0},
        {"no slabs", {wall}, 1000, -1000, 0},
        {"nothing", {}, 0, 0, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.Name);
        const TDrawList list = DrawListOf(c.Faces);
        EXPECT_EQ(LowestFloorUnder(list, c.X, c.Z), c.Floor);
        TViewParameters view = ViewOf({c.X, 20000, c.Z}, {c.X + 3000, 0, c.Z - 4000});
        StartWalk(view, list);
        EXPECT_EQ(view.EyeHeight, c.Floor + WalkEyeHeight);
        EXPECT_EQ(view.TargetHeight, view.EyeHeight);
        EXPECT_NEAR(view.TargetX - view.EyeX, 3000, 1e-2);
        EXPECT_NEAR(view.TargetY - view.EyeY, -4000, 1e-2);
    }
}

TEST(Navigation, FixedViewsLookAtTheSameTargetFromTheSameDistance)
{
    struct Case
    {
        TFixedView Fixed;
        double Yaw, Pitch;
    };
    const Case cases[] = {
        {TFixedView::Top, 0, SteepestElevation}, // north up
        {TFixedView::Front, 0, 0},
        {TFixedView::Right, 270, 0},
        {TFixedView::Corner, -45, 30},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(int(c.Fixed));
        TViewParameters view = ReaderDefault;
        ShowFixedView(view, c.Fixed);
        EXPECT_EQ(TargetOf(view), TargetOf(ReaderDefault));
        EXPECT_NEAR(Distance(view), Distance(ReaderDefault), 1e-2);
        TCamera camera;
        DeriveCamera(view, camera);
        EXPECT_NEAR(camera.Yaw, c.Yaw, 1e-3);
        EXPECT_NEAR(camera.Pitch, c.Pitch, 1e-3);
    }
}

// A view or a model that is not finite gives no NaN: the view stays as it was.
TEST(Navigation, NothingNonFiniteComesOfAnything)
{
    const float inf = std::numeric_limits<float>::infinity();
    TViewParameters broken = ReaderDefault;
    broken.EyeX = inf;
    const std::function<void(TViewParameters&)> operations[] = {
        [](TViewParameters& v) { RaiseAboutTarget(v, 15); },
        [](TViewParameters& v) { Pan(v, 0.2, 0.1, 1); },
        [](TViewParameters& v) { ZoomToward(v, 0.5, 0.1, 0.1, 1, HouseSized); },
        [](TViewParameters& v) { Walk(v, 250, 250); },
        [](TViewParameters& v) { RaiseEye(v, 100); },
        [](TViewParameters& v) { TurnHead(v, 10, 10); },
        [](TViewParameters& v) { StartWalk(v, TDrawList{}); },
        [](TViewParameters& v) { ShowFixedView(v, TFixedView::Corner); },
    };
    for (const auto& operation : operations)
    {
        TViewParameters view = broken;
        operation(view);
        EXPECT_EQ(EyeOf(view)[1], EyeOf(broken)[1]);
        EXPECT_EQ(TargetOf(view), TargetOf(broken));
    }
    TViewParameters huge = ViewOf({3e38, 0, 0}, {-3e38, 0, 0});
    Pan(huge, 0.5, 0, 1);
    EXPECT_TRUE(std::isfinite(huge.EyeX) && std::isfinite(huge.TargetX));

    const TDrawList list = DrawListOf({Face({{1, 2, 3}, {inf, 0, 0}, {-5, -6, -7}}, {1, 1, 1})});
    const TModelExtent extent = ExtentOf(list);
    EXPECT_FALSE(extent.Empty);
    EXPECT_EQ(extent.Min, (TModelPoint{-5, -6, -7}));
    EXPECT_EQ(extent.Max, (TModelPoint{1, 2, 3}));
    EXPECT_TRUE(ExtentOf(TDrawList{}).Empty);
}

// After F the model spans at least 80% of the picture's width or height and
// touches none of its edges: a small house, a long wall and a wide plan,
// from the drawing's view and from a level one, in the window's stretched
// picture and in pictures of their own proportions, in both projections.
TEST(Navigation, FramingShowsTheWholeModelLarge)
{
    const auto box = [](double x, double z, double w, double d, double h)
    {
        return std::vector<SceneFace>{
            Face({{x, 0, z}, {x + w, 0, z}, {x + w, 0, z - d}, {x, 0, z - d}}, {0.4, 0.6, 0.3}),
            Face({{x, h, z}, {x, 0, z}, {x + w, 0, z}, {x + w, h, z}}, {0.9, 0.8, 0.6}),
            Face({{x + w, h, z}, {x + w, 0, z}, {x + w, 0, z - d}, {x + w, h, z - d}}, {0.9, 0.8, 0.6}),
            Face({{x, h, z - d}, {x, 0, z - d}, {x + w, 0, z - d}, {x + w, h, z - d}}, {0.9, 0.8, 0.6}),
            Face({{x, h, z}, {x, 0, z}, {x, 0, z - d}, {x, h, z - d}}, {0.9, 0.8, 0.6})};
    };
    struct Model
    {
        const char* Name;
        std::vector<SceneFace> Faces;
    };
    const Model models[] = {
        {"small house", box(0, 0, 6000, 4000, 5000)},
        {"long wall", {Face({{0, 2500, 0}, {0, 0, 0}, {40000, 0, 0}, {40000, 2500, 0}}, {0.9, 0.8, 0.6})}},
        {"wide plan", box(-100000, 50000, 200000, 120000, 3000)},
    };
    struct Picture
    {
        int Width, Height;
        double Aspect;
    };
    for (const Model& model : models)
        for (const TViewParameters& start : {ReaderDefault, ViewOf({-30000, 1600, 40000}, {0, 1600, 0})})
            for (const Picture& size : {Picture{400, 300, 1.0}, Picture{640, 360, 640 / 360.0}})
                for (bool orthographic : {false, true})
                {
                    SCOPED_TRACE(std::string(model.Name) + " " + std::to_string(start.EyeX) + " " +
                                 std::to_string(size.Width) + (orthographic ? " orthographic" : ""));
                    TRenderState state;
                    state.DrawList = DrawListOf(model.Faces);
                    state.AspectRatio = size.Aspect;
                    state.Orthographic = orthographic;
                    TViewParameters view = start;
                    TCamera before;
                    DeriveCamera(view, before);
                    FrameModel(view, state.DrawList, size.Aspect, orthographic);
                    DeriveCamera(view, state.Camera);
                    TakeEyePoint(view, state.Camera);
                    EXPECT_NEAR(state.Camera.Yaw, before.Yaw, 1e-3);
                    EXPECT_NEAR(state.Camera.Pitch, before.Pitch, 1e-3);
                    TPicture picture;
                    picture.Width = size.Width, picture.Height = size.Height;
                    PaintFramedWhite(picture);
                    TGLCanvasContext context;
                    RenderView(context, picture, state);
                    const PixelBox box = BoxOfPixelsOtherThan(picture, Rgb(0, 0, 0));
                    ASSERT_GT(box.Count, 0);
                    EXPECT_TRUE(box.Width() >= 0.8 * size.Width || box.Height() >= 0.8 * size.Height)
                        << box.Width() << " by " << box.Height();
                    EXPECT_GT(box.Left, 0);
                    EXPECT_GT(box.Top, 0);
                    EXPECT_LT(box.Right, size.Width - 1);
                    EXPECT_LT(box.Bottom, size.Height - 1);
                }
}
