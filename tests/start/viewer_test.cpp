#include "common/numbers.h"
#include "render/camera.h"
#include "start/view_texts.h"
#include "start/viewer.h"
#include "tools/render_options.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <sstream>

namespace
{

// The example house's own view: v,9,48 at (-10000, -15000), f,2.5 at (5000, 4000).
TViewer HouseViewer()
{
    TViewer viewer;
    TViewParameters& view = viewer.DrawingView;
    view.EyeX = -10000, view.EyeY = 15000, view.EyeHeight = 9000, view.FieldOfView = 48;
    view.TargetX = 5000, view.TargetY = -4000, view.TargetHeight = 2500;
    return viewer;
}

const TModelExtent HouseExtent = {{0, 0, -8000}, {10000, 7600, 0}, false};

bool SameView(const TViewParameters& a, const TViewParameters& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameCamera(const TRenderState& a, const TRenderState& b)
{
    return std::memcmp(a.Camera.EyePoint, b.Camera.EyePoint, sizeof a.Camera.EyePoint) == 0 &&
           a.Camera.Yaw == b.Camera.Yaw && a.Camera.Pitch == b.Camera.Pitch &&
           a.Camera.ViewAngle == b.Camera.ViewAngle && a.Orthographic == b.Orthographic;
}

// The companion's options read as its command line reads them.
TRenderOptions Parsed(const std::string& line)
{
    std::vector<std::string> words = {"kestrelview-render"};
    std::istringstream in(line);
    for (std::string word; in >> word;)
        words.push_back(word);
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    TRenderOptions options;
    EXPECT_EQ(ParseCommandLine(int(argv.size()), argv.data(), options), std::nullopt) << line;
    return options;
}

void PerformAll(TViewer& viewer, std::initializer_list<TViewerAction> actions, const TDrawList& list = {})
{
    for (TViewerAction action : actions)
        Perform(viewer, action, list, HouseExtent, 1);
}

} // namespace

TEST(Viewer, KeysMapToActionsByMode)
{
    using A = TViewerAction;
    using K = TViewerKey;
    struct Case
    {
        K Key;
        char32_t Character;
        bool Walking;
        A Action;
    };
    const Case cases[] = {
        {K::Left, 0, false, A::TurnLeft},
        {K::Right, 0, false, A::TurnRight},
        {K::Up, 0, false, A::OrbitUp},
        {K::Down, 0, false, A::OrbitDown},
        {K::Left, 0, true, A::StepLeft},
        {K::Right, 0, true, A::StepRight},
        {K::Up, 0, true, A::StepForward},
        {K::Down, 0, true, A::StepBack},
        {K::PageUp, 0, false, A::EyeUp},
        {K::PageDown, 0, true, A::EyeDown},
        {K::Home, 0, true, A::Home},
        {K::Escape, 0, true, A::LeaveWalk},
        {K::Escape, 0, false, A::None},
        {K::Other, '+', false, A::ZoomIn},
        {K::Other, '=', false, A::ZoomIn},
        {K::Other, '-', true, A::ZoomOut},
        {K::Other, 'f', false, A::Frame},
        {K::Other, 'F', true, A::Frame},
        {K::Other, '7', false, A::TopView},
        {K::Other, '1', false, A::FrontView},
        {K::Other, '3', false, A::RightView},
        {K::Other, '9', false, A::CornerView},
        {K::Other, '5', true, A::ToggleProjection},
        {K::Other, 'v', false, A::ToggleWalk},
        {K::Other, 'V', true, A::ToggleWalk},
        {K::Other, 'w', true, A::StepForward},
        {K::Other, 'S', true, A::StepBack},
        {K::Other, 'a', true, A::StepLeft},
        {K::Other, 'd', true, A::StepRight},
        {K::Other, 'w', false, A::None},
        {K::Other, '2', false, A::None},
        {K::Other, U'歩', false, A::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ActionForKey(c.Key, c.Character, c.Walking), c.Action)
            << int(c.Key) << " " << uint32_t(c.Character) << " " << c.Walking;
}

TEST(Viewer, FourTurnsLeftAreTheCompanionsTurnOf60)
{
    TViewer viewer = HouseViewer();
    PerformAll(viewer, {TViewerAction::TurnLeft, TViewerAction::TurnLeft, TViewerAction::TurnLeft,
                        TViewerAction::TurnLeft});
    TViewOverrides turn;
    turn.Turn = 60;
    TViewParameters companion = viewer.DrawingView;
    TRenderState expected, shown;
    DeriveView(companion, turn, expected);
    DeriveShownCamera(viewer, shown);
    EXPECT_TRUE(SameView(ShownView(viewer), companion));
    EXPECT_TRUE(SameCamera(shown, expected));

    // And back: Right undoes Left exactly.
    PerformAll(viewer, {TViewerAction::TurnRight, TViewerAction::TurnRight, TViewerAction::TurnRight,
                        TViewerAction::TurnRight});
    EXPECT_TRUE(SameView(ShownView(viewer), viewer.DrawingView));
}

TEST(Viewer, HomeGivesTheDrawingsCameraBack)
{
    TViewer viewer = HouseViewer();
    PerformAll(viewer,
               {TViewerAction::ToggleWalk, TViewerAction::StepForward, TViewerAction::ToggleProjection,
                TViewerAction::ZoomIn, TViewerAction::TurnLeft, TViewerAction::CornerView});
    DragPan(viewer, 0.1, 0.2, 1);
    ASSERT_TRUE(viewer.Walking);
    ASSERT_TRUE(viewer.View.Orthographic);
    Perform(viewer, TViewerAction::Home, {}, HouseExtent, 1);
    EXPECT_FALSE(viewer.Walking);
    TRenderState home, drawing;
    DeriveShownCamera(viewer, home);
    TViewParameters view = viewer.DrawingView;
    DeriveView(view, {}, drawing);
    EXPECT_TRUE(SameCamera(home, drawing));
    EXPECT_FALSE(home.Orthographic);
}

// Whatever moved the view, the companion's options copied from it give the
// same view, to the bit, and so the same camera and picture.
TEST(Viewer, CopiedOptionsGiveTheViewShown)
{
    using A = TViewerAction;
    const std::function<void(TViewer&)> moves[] = {
        [](TViewer&) {},
        [](TViewer& v) {
            PerformAll(v, {A::TurnLeft, A::TurnLeft, A::OrbitUp});
        },
        [](TViewer& v) {
            PerformAll(v, {A::ZoomIn, A::ZoomIn, A::ZoomOut, A::TurnRight});
        },
        [](TViewer& v) {
            PerformAll(v, {A::TopView, A::ToggleProjection});
        },
        [](TViewer& v)
        {
            // A face the size of the house's ground.
            TDrawList ground;
            ground.Faces.push_back({{1, 1, 1}, {1, 1, 1}, 0, 4, 0, 0});
            ground.Vertices = {{0, 0, 0}, {10000, 0, 0}, {10000, 0, -8000}, {0, 0, -8000}};
            PerformAll(v, {A::ToggleProjection, A::Frame}, ground);
        },
        [](TViewer& v) {
            PerformAll(v, {A::FrontView, A::RightView, A::CornerView});
        },
        [](TViewer& v) {
            PerformAll(v, {A::ToggleWalk, A::StepForward, A::StepLeft, A::EyeUp});
        },
        [](TViewer& v) { DragTurn(v, 0.123, -0.071); },
        [](TViewer& v) { DragPan(v, -0.31, 0.07, 4.0 / 3.0); },
        [](TViewer& v) { WheelZoom(v, 3, 0.2, -0.3, 4.0 / 3.0, HouseExtent); },
        [](TViewer& v)
        {
            PerformAll(v, {A::ToggleWalk});
            DragTurn(v, 0.2, 0.1);
        },
        [](TViewer& v)
        {
            for (int i = 0; i < 30; ++i)
                PerformAll(v, {A::OrbitUp});
        },
    };
    for (size_t i = 0; i < std::size(moves); ++i)
        for (const TPictureOptions& picture :
             {TPictureOptions{}, TPictureOptions{std::array<int, 2>{640, 480}, true, true, {}, std::nullopt},
              TPictureOptions{std::nullopt, false, false, {0, 17, 255}, 3100.0001f},
              TPictureOptions{std::nullopt, false, false, {}, -250.5f}})
        {
            SCOPED_TRACE(i);
            TViewer viewer = HouseViewer();
            moves[i](viewer);
            TPictureOptions asked = picture;
            asked.Orthographic = asked.Orthographic || viewer.View.Orthographic;
            const std::string line = CompanionOptions(ShownView(viewer), asked);
            const TRenderOptions options = Parsed(line);
            TViewParameters companion = viewer.DrawingView;
            ApplyViewOverrides(options.View, companion);
            EXPECT_TRUE(SameView(companion, ShownView(viewer))) << line;
            EXPECT_EQ(options.View.Orthographic, asked.Orthographic) << line;
            EXPECT_EQ(options.Size, asked.Size) << line;
            EXPECT_EQ(options.Flat, asked.Flat) << line;
            EXPECT_EQ(options.HiddenLayers, asked.HiddenLayers) << line;
            EXPECT_EQ(options.Cut, asked.Cut) << line;
        }
}

// A drawing read again keeps the view shown, whether or not its own view
// changed; Home goes to the new one.
TEST(Viewer, ANewDrawingViewKeepsTheViewShown)
{
    using A = TViewerAction;
    TViewParameters moved = HouseViewer().DrawingView;
    moved.EyeX += 3000, moved.TargetHeight = 0, moved.FieldOfView = 60;
    const std::function<void(TViewer&)> moves[] = {
        [](TViewer&) {},
        [](TViewer& v) {
            PerformAll(v, {A::TurnLeft, A::TurnLeft});
        },
        [](TViewer& v) {
            PerformAll(v, {A::OrbitUp, A::ZoomIn, A::ToggleProjection});
        },
        [](TViewer& v) {
            LookAtSpot(v, {1000, 500, -2000});
        },
    };
    for (size_t i = 0; i < std::size(moves); ++i)
        for (const TViewParameters& drawing : {HouseViewer().DrawingView, moved})
        {
            SCOPED_TRACE(i);
            TViewer viewer = HouseViewer();
            moves[i](viewer);
            const TViewer before = viewer;
            ChangeDrawingView(viewer, drawing);
            EXPECT_TRUE(SameView(ShownView(viewer), ShownView(before)));
            EXPECT_EQ(viewer.View.Orthographic, before.View.Orthographic);
            // Unchanged, a turn stays the turn the companion's --turn gives.
            if (SameView(drawing, before.DrawingView))
            {
                EXPECT_EQ(viewer.View.Turn, before.View.Turn);
            }
            PerformAll(viewer, {A::Home});
            EXPECT_TRUE(SameView(ShownView(viewer), drawing));
        }
}

// A finding is looked at from 2 to 8 m, from above, out of walking.
TEST(Viewer, LookingAtASpotAimsAtItAndLeavesWalking)
{
    TViewer viewer = HouseViewer();
    PerformAll(viewer, {TViewerAction::ToggleWalk});
    LookAtSpot(viewer, {1000, 500, -2000});
    const TViewParameters view = ShownView(viewer);
    EXPECT_FALSE(viewer.Walking);
    EXPECT_EQ((std::array<float, 3>{view.TargetX, view.TargetHeight, view.TargetY}),
              (std::array<float, 3>{1000, 500, -2000}));
    const double distance =
        std::hypot(view.EyeX - view.TargetX, view.EyeHeight - view.TargetHeight, view.EyeY - view.TargetY);
    EXPECT_GE(distance, 1999);
    EXPECT_LE(distance, 8001);
    EXPECT_GT(view.EyeHeight, view.TargetHeight);
}

TEST(Viewer, DragsTurnWithThePointerAndWheelsStayWithinLimits)
{
    TViewer viewer = HouseViewer();
    // A drag to the right turns the model with the pointer: the eye goes
    // clockwise, by one angle while the drag stays level.
    DragTurn(viewer, 0.25, 0);
    DragTurn(viewer, 0.25, 0);
    EXPECT_EQ(viewer.View.Turn, -90);
    const TViewParameters before = ShownView(viewer);
    for (double notches :
         {1e6, -1e6, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()})
    {
        WheelZoom(viewer, notches, 0.4, 0.4, 1, HouseExtent);
        const TViewParameters view = ShownView(viewer);
        const double distance = std::hypot(view.EyeX - view.TargetX, view.EyeHeight - view.TargetHeight,
                                           view.EyeY - view.TargetY);
        EXPECT_GE(distance, NearestDistance * 0.999) << notches;
        EXPECT_LE(distance, FarthestDistance(HouseExtent) * 1.001) << notches;
    }
    EXPECT_TRUE(std::isfinite(before.EyeX));
}

TEST(ViewTexts, StoredValuesAreWrittenShortAndReadBackExactly)
{
    struct Case
    {
        float Stored;
        double Scale;
        const char* Text;
    };
    const Case cases[] = {
        {1600, 1000, "1.6"},
        {9000, 1000, "9"},
        {0, 1, "0"},
        {-0.0f, 1, "0"},
        {14000, 1, "14000"},
        {-10000, 1, "-10000"},
        {0.1f, 1, "0.1"},
        {48, 1, "48"},
        {123456792, 1, "123456792"},
        {2.5e-7f, 1000, "2.5e-10"},
        {1e30f, 1000, "1e+27"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StoredValueText(c.Stored, c.Scale), c.Text);

    std::mt19937 random(21);
    std::uniform_int_distribution<uint32_t> bits;
    for (int i = 0; i < 20000; ++i)
    {
        uint32_t word = bits(random);
        float stored = 0;
        std::memcpy(&stored, &word, sizeof stored);
        if (!std::isfinite(stored) || !std::isfinite(stored / 1000.0f))
            continue;
        for (double scale : {1.0, 1000.0})
        {
            const std::string text = StoredValueText(stored, scale);
            const std::optional<double> value = ParseDecimal(text);
            ASSERT_TRUE(value) << text;
            ASSERT_EQ(ToSingle(*value * scale), stored + 0.0f) << text;
        }
    }
}

TEST(ViewTexts, LinesNameTheViewInTheDrawingsTerms)
{
    const TViewer viewer = HouseViewer();
    EXPECT_EQ(CompanionOptions(viewer.DrawingView, {}),
              "--eye=-10000,-15000,9 --target=5000,4000,2.5 --fov=48");
    EXPECT_EQ(DrawingTextsLine(viewer.DrawingView, false),
              "文字 \"v,9,48\" を (-10000, -15000) に、\"f,2.5\" を (5000, 4000) "
              "に置くと、図面がこの視点になります");
    EXPECT_EQ(DrawingTextsLine(viewer.DrawingView, true), "平行投影の視点は図面の文字では表せません");
    EXPECT_EQ(ViewStatus(viewer.DrawingView), "視点 -10000, -15000, 9.00  注視点 5000, 4000, 2.50  画角 48°");
    TViewParameters odd = viewer.DrawingView;
    odd.EyeX = 2554.3044f, odd.EyeY = -0.4f, odd.TargetHeight = -1.7f, odd.FieldOfView = 47.6f;
    EXPECT_EQ(ViewStatus(odd), "視点 2554, 0, 9.00  注視点 5000, 4000, 0.00  画角 48°");
    EXPECT_EQ(ModeLine(false, false), "周回・透視投影");
    EXPECT_EQ(ModeLine(true, true), "歩行・平行投影");
}
