#include "check/plan_check.h"
#include "input/input_tables.h"
#include "model/model_tables.h"
#include "start/finding_aim.h"
#include "start/start_sequence.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace
{

const std::string Materials = "colours\r\n0.1,0.2,0.3,0.4,0.5,0.6,0.7\r\n"
                              "1,0,0\r\n1,0,0\r\n1,0,0\r\n1,0,0\r\n1,0,0\r\n1,0,0\r\n1,0,0\r\n1,0,0\r\n"
                              "10,20,30\r\n";
// A wall on layer 0/0, one on layer 1/3.
const std::string TwoWalls = "ch 0 0 \"3,0\nch 1000 0 \"3,0\n 0 0 1000 0\n"
                             "lg1\nly3\nch 0 500 \"6,3\nch 1000 500 \"6,3\n 0 500 1000 500\n";

// A scratch folder made the current directory, where the start reads its
// files, for the test's length.
struct TDrawingHere
{
    std::filesystem::path Before = std::filesystem::current_path();
    std::filesystem::path Folder = std::filesystem::temp_directory_path() / "kv_start_sequence_test";

    TDrawingHere()
    {
        std::filesystem::remove_all(Folder);
        std::filesystem::create_directories(Folder);
        std::filesystem::current_path(Folder);
    }
    ~TDrawingHere()
    {
        std::filesystem::current_path(Before);
        std::filesystem::remove_all(Folder);
        ReleaseFaces();
        ResetInputTables();
    }
    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(Folder / name, std::ios::binary) << bytes;
    }
};

} // namespace

// A reload takes the drawing as it is now and keeps the way it is looked at;
// one that fails keeps the model shown and says why, as the start would.
TEST(ReloadDrawing, TakesTheNewDrawingOrKeepsTheOld)
{
    TDrawingHere here;
    here.Write("material.txt", Materials);
    here.Write("temp.txt", TwoWalls);
    TStartState state;
    state.FirstRender = false;
    state.HiddenLayers.set(1 * 16 + 3);
    TBuildRecord record;
    RunStartSequence(state, &record);
    ASSERT_FALSE(state.StartError);
    EXPECT_EQ(PolygonList.size(), 2u);
    EXPECT_EQ(state.Render.DrawList.Faces.size(), 1u);

    state.Render.Camera.Yaw = 33;
    state.Render.FlatShading = true;
    state.Render.CutHeight = 1500;
    here.Write("temp.txt", TwoWalls + "ly0\nlg0\nch 0 900 \"3,0\nch 1000 900 \"3,0\n 0 900 1000 900\n");
    EXPECT_EQ(ReloadDrawing(state, record), std::nullopt);
    EXPECT_EQ(PolygonList.size(), 3u);
    EXPECT_EQ(record.FaceOrigins.size(), 3u);
    EXPECT_EQ(state.Render.DrawList.Faces.size(), 2u);
    EXPECT_EQ(state.Render.Camera.Yaw, 33);
    EXPECT_TRUE(state.Render.FlatShading);
    EXPECT_EQ(state.Render.CutHeight, 1500);

    const std::vector<TPGon> shown = PolygonList;
    const size_t checked = CheckPlan(record).size();
    for (const auto& [name, bytes, error] :
         {std::tuple{"temp.txt", "", "ファイル temp.txt は開けません."},
          std::tuple{"material.txt", "", "ファイル material.txt は開けません."},
          std::tuple{"temp.txt", " 0 0 x 0\n", "'x' is not a valid floating point value."}})
    {
        SCOPED_TRACE(error);
        here.Write("material.txt", Materials);
        here.Write("temp.txt", TwoWalls);
        if (*bytes)
            here.Write(name, bytes);
        else
            std::filesystem::remove(here.Folder / name);
        EXPECT_EQ(ReloadDrawing(state, record), error);
        ASSERT_EQ(PolygonList.size(), shown.size());
        EXPECT_EQ(PolygonList[2].Vertices[0].Z, shown[2].Vertices[0].Z);
        EXPECT_EQ(CheckPlan(record).size(), checked);
        EXPECT_EQ(state.Render.DrawList.Faces.size(), 2u);
        EXPECT_EQ(BackgroundColor, (std::array<int32_t, 3>{10, 20, 30}));
    }

    // A reload after a failed start finishes it.
    std::filesystem::remove(here.Folder / "temp.txt");
    TStartState failed;
    failed.FirstRender = false;
    RunStartSequence(failed, &record);
    ASSERT_TRUE(failed.StartError);
    EXPECT_EQ(failed.Render.BackColor, (std::array<int32_t, 3>{0, 0, 0}));
    here.Write("temp.txt", TwoWalls);
    EXPECT_EQ(ReloadDrawing(failed, record), std::nullopt);
    EXPECT_FALSE(failed.StartError);
    EXPECT_EQ(failed.Render.BackColor, (std::array<int32_t, 3>{10, 20, 30}));
    EXPECT_EQ(failed.Render.DrawList.Faces.size(), 2u);
}

// A finding is looked at where it is: at the middle height of the end it is
// about, of the mark it names, or at its layer's base; from the bearing the
// eye had, from 2 to 8 m away and 35 degrees above.
TEST(FindingAim, LooksAtTheFindingsSpot)
{
    TBuildRecord record;
    record.Slots.resize(LayerSlotCount);
    LayerSlot& slot = record.Slots[5];
    slot.BaseHeight = 700;
    slot.Segments.push_back({0, 0, 1000, -2000, 3000, 1000, 0, 0, 1});
    slot.SegmentLines.push_back(12);
    slot.Marks.push_back({400, -400, 2000, 600});
    slot.MarkLines.push_back(14);
    const struct
    {
        std::vector<int32_t> Lines;
        float X, Y; // as the host writes them
        TModelSpot Spot;
    } cases[] = {
        {{12}, 0, 0, {0, 2000, 0}},          // the first end, 3000 over 1000
        {{12}, 990, 1990, {990, 0, -1990}},  // nearer the second end
        {{14}, 400, 400, {400, 1300, -400}}, // the mark
        {{15}, 50, 60, {50, 700, -60}},      // a line the slot does not have
        {{}, 50, 60, {50, 700, -60}},
    };
    for (const auto& c : cases)
    {
        TFinding finding;
        finding.Slot = 5;
        finding.Lines = c.Lines;
        finding.X = c.X, finding.Y = c.Y;
        EXPECT_EQ(FindingSpot(finding, record), c.Spot) << c.X << ", " << c.Y;
    }

    const struct
    {
        TViewParameters View;
        double Distance;
        double BearingX, BearingZ; // unit, from the spot toward the eye
    } views[] = {
        {{30000, 4000, 0, 60, 0, 2000, 0}, 8000, 1, 0},       // far away, east: brought to 8 m
        {{0, 1000, 1500, 60, 0, 1000, 0}, 2000, 0, 1},        // near, south: kept at 2 m
        {{3000, 1000, 4000, 60, 0, 1000, 0}, 5000, 0.6, 0.8}, // in between: kept
        {{0, 9000, 0, 60, 0, 0, 0}, 8000, 0, 1},              // straight down: from the south
    };
    const TModelSpot spot = {100, 200, -300};
    for (const auto& v : views)
    {
        TViewParameters view = v.View;
        AimAt(view, spot);
        EXPECT_EQ(view.TargetX, 100);
        EXPECT_EQ(view.TargetHeight, 200);
        EXPECT_EQ(view.TargetY, -300);
        EXPECT_EQ(view.FieldOfView, 60);
        const double dx = view.EyeX - 100.0, dy = view.EyeHeight - 200.0, dz = view.EyeY + 300.0;
        EXPECT_NEAR(std::sqrt(dx * dx + dy * dy + dz * dz), v.Distance, 1);
        EXPECT_NEAR(std::atan2(dy, std::hypot(dx, dz)) * 180 / M_PI, 35, 0.01);
        EXPECT_NEAR(dx / std::hypot(dx, dz), v.BearingX, 1e-4);
        EXPECT_NEAR(dz / std::hypot(dx, dz), v.BearingZ, 1e-4);
    }
    TViewParameters untouched;
    AimAt(untouched, {NAN, 0, 0});
    EXPECT_EQ(untouched.EyeX, TViewParameters{}.EyeX);
}
