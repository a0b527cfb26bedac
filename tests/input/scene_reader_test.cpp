#include "input/input_tables.h"
#include "input/material_files.h"
#include "input/scene_loader.h"
#include "input/scene_tables.h"
#include "model/face_origin.h"
#include "model/model_tables.h"
#include "model/polygon.h"
#include "tests/input/input_test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

namespace
{

size_t SegmentCount(const std::vector<LayerSlot>& slots)
{
    size_t count = 0;
    for (const LayerSlot& slot : slots)
        count += slot.Segments.size();
    return count;
}

} // namespace

TEST(SceneReader, LayerStateChoosesTheSlotAndTheMaterial)
{
    struct Case
    {
        std::string Lines; // followed by one line record
        int Slot;
        int32_t Material;
    };
    const Case cases[] = {
        {"", 0, 1},
        {"lg1\nly2\nlc3\nlt2\n", 18, 12},
        {"lgA\nlyF\n", 175, 1},
        {"lga\nlyf\n", 175, 1},
        {"lg12\n", 32, 1},      // only the last character counts
        {"lg5\nlg\n", 0, 1},    // "g" is no hexadecimal digit
        {"lg5\nlgG\n", 0, 1},   // nor is "G"
        {"ly5\nlg1\n", 21, 1},  // a group record keeps the layer
        {"lyc\n", 12, 1},       // lower-case hexadecimal
        {"lt3\nlc7\n", 0, 25},  // (3 - 1) * 9 + 7, in either order
        {"lc7\nlt3\n", 0, 25},  // ...
        {"lc5\nlcG\n", 0, 1},   // no digit: colour 1
        {"lt5\nltx\n", 0, 1},   // no digit: type 1
        {"lc\n", 0, 12},        // the "c" of "lc" itself reads as 12
        {"lc0\n", 0, 0},        // indexes without a table entry are stored as computed
        {"lt9\nlcF\n", 0, 87},  // ...
        {"lt0\nlc1\n", 0, -8},  // ...
        {"LG3\nLy3\n", 0, 1},   // upper-case prefixes are no records
        {"lgn3\nlyn5\n", 0, 1}, // name records never change the layer
        {"lgnF#lv1\nlynA\n", 0, 1},
        {"lg 3\n", 0, 1}, // the value belongs to the first token
        {"lg3x\n", 0, 1}, // ...and only its last character counts
    };
    for (const Case& c : cases)
    {
        std::vector<LayerSlot> slots = ReadSceneText(c.Lines + " 0 0 1000 0\n");
        ASSERT_EQ(slots.size(), 256u);
        ASSERT_EQ(SegmentCount(slots), 1u) << c.Lines;
        ASSERT_EQ(slots[c.Slot].Segments.size(), 1u) << c.Lines;
        EXPECT_EQ(slots[c.Slot].Segments[0].Material, c.Material) << c.Lines;
    }
}

TEST(SceneReader, LineRecordsStorePlanCoordinatesInFileOrder)
{
    std::vector<LayerSlot> slots = ReadSceneText(" 100 200 300 400 500 junk\n"
                                                 "  1e3 -2.5 .5 +3\r\n"
                                                 "ly1\n"
                                                 " 7 7 7 7\n"
                                                 "ly0\n"
                                                 " 7 7 7 7\n");
    const TTxy& segments = slots[0].Segments;
    ASSERT_EQ(segments.size(), 3u);
    const SegmentRecord& first = segments[0];
    EXPECT_EQ(first.X1, 100);
    EXPECT_EQ(first.Y1, -200);
    EXPECT_EQ(first.X2, 300);
    EXPECT_EQ(first.Y2, -400);
    EXPECT_EQ(first.Top1, 0);
    EXPECT_EQ(first.Bottom1, 0);
    EXPECT_EQ(first.Top2, 0);
    EXPECT_EQ(first.Bottom2, 0);
    EXPECT_EQ(segments[1].X1, 1000);
    EXPECT_EQ(segments[1].Y1, 2.5f);
    EXPECT_EQ(segments[1].X2, 0.5f);
    EXPECT_EQ(segments[1].Y2, -3);
    // A zero-length segment and a repeated one are kept as they are.
    EXPECT_EQ(segments[2].X1, segments[2].X2);
    ASSERT_EQ(slots[1].Segments.size(), 1u);
    EXPECT_EQ(slots[1].Segments[0].Y1, -7);
}

TEST(SceneReader, LinesWithOtherPrefixesAreIgnored)
{
    std::vector<LayerSlot> slots = ReadSceneText("\t0 0 1 1\n"
                                                 "x 0 0 1 1\n"
                                                 "l\n"
                                                 "#lv3\n"
                                                 "\x95\x5c\x8e\xa6\n"
                                                 "c3 0 0 \"2.4\n"
                                                 "Ch 0 0 \"2.4\n");
    EXPECT_EQ(SegmentCount(slots), 0u);
    for (const LayerSlot& slot : slots)
        EXPECT_TRUE(slot.Marks.empty());
}

TEST(SceneReader, LayerNamesWithLevelSetTheBaseHeight)
{
    struct Case
    {
        std::string Lines;
        int Slot;
        float BaseHeight;
    };
    const Case cases[] = {
        {"lyn#lv2.5", 0, 2500},
        {"lyn#lv1\nlyn#lv", 0, 0},        // nothing after the mark reads as 0
        {"lyn#lv1\nlyn#lvabc", 0, 0},     // ...as does a text that is no number
        {"lyn#lv1\nlyn #lv2.5", 0, 1000}, // a blank before the mark: no base height
        {"lyn#lv1\nlynX#lv2", 0, 1000},   // ...nor anything else
        {"lyn#lv1\nlyn#LV2", 0, 1000},    // ...
        {"lyn#lv1\nlgn#lv2", 0, 1000},    // group names never carry one
        {"lyn#lv \t2.5\t ", 0, 2500},     // blanks and controls around the number
        {"lyn#lv2.5 m", 0, 0},
        {"lyn#lv-0.5", 0, -500},
        {"ly3\nlyn#lv1.5\nlyn#lv1.75", 3, 1750},     // the last one wins
        {"lg1\nlyn#lv24.7718", 16, 24771.80078125f}, // scaled in double, then stored single
    };
    for (const Case& c : cases)
    {
        std::vector<LayerSlot> slots = ReadSceneText(c.Lines);
        EXPECT_EQ(slots[c.Slot].BaseHeight, c.BaseHeight) << c.Lines;
    }
}

TEST(SceneReader, MalformedLinesStopTheReadingWithTheirError)
{
    struct Case
    {
        std::string Text;
        ExpectedError Error;
    };
    const Case cases[] = {
        {"\n", {ErrorKind::ListIndex, "0"}},
        {" 0 0 1 1\n\n 0 0 1 1\n", {ErrorKind::ListIndex, "0"}},
        {" 0 0 1 1\r\n\r\n", {ErrorKind::ListIndex, "0"}},
        {" \n", {ErrorKind::ListIndex, "1"}},
        {"   ", {ErrorKind::ListIndex, "1"}},
        {" 0 0 1\n", {ErrorKind::ListIndex, "4"}},
        {" 0 0\n", {ErrorKind::ListIndex, "3"}},
        {" 0 0 a 1\n", {ErrorKind::Conversion, "a"}},
        {" a 0\n", {ErrorKind::Conversion, "a"}}, // tokens are read in order
        {" 0 0 1 1,5\n", {ErrorKind::Conversion, "1,5"}},
        {" 0\t0 1 1 2\n", {ErrorKind::Conversion, "0\t0"}},
        {" 0 0 nan 1\n", {ErrorKind::Conversion, "nan"}},
        {" 0 0 \x82\x50 1\n", {ErrorKind::Conversion, "\x82\x50"}}, // Shift-JIS one, as it stands
    };
    for (const Case& c : cases)
        ExpectError(ErrorOf([&] { ReadSceneText(c.Text); }), c.Error, c.Text);
}

TEST(SceneReader, EndlessLinesAreReadAsFarAsTheRecordNeeds)
{
    std::string many;
    for (int i = 0; i < 100000; ++i)
        many += " 7";
    std::vector<LayerSlot> slots = ReadSceneText(many + "\nch 1 2 \"3" + std::string(100000, '"') +
                                                 "\nch 1 2 \"4" + std::string(100000, ',') + "\n");
    ASSERT_EQ(slots[0].Segments.size(), 1u);
    EXPECT_EQ(slots[0].Segments[0].Y2, -7);
    ASSERT_EQ(slots[0].Marks.size(), 2u);
    EXPECT_EQ(slots[0].Marks[0].Height2, 3000);
    EXPECT_EQ(slots[0].Marks[1].Height2, 0);
}

TEST(SceneReader, EmptyTextGivesEmptySlots)
{
    std::vector<LayerSlot> slots = ReadSceneText("");
    ASSERT_EQ(slots.size(), 256u);
    EXPECT_EQ(SegmentCount(slots), 0u);
}

TEST(SceneLoader, ResetsTheViewStateBeforeOpeningTheFile)
{
    TempFolder folder;
    ViewParameters.EyeX = 1;
    AmbientLight.Red = 1;
    LightList.resize(3);
    std::string missing = folder.PathOf("temp.txt");
    ExpectError(ErrorOf([&] { SceneLoader(missing); }), {ErrorKind::FileOpen, missing}, "missing");
    EXPECT_EQ(ViewParameters.EyeX, 12000);
    EXPECT_EQ(ViewParameters.EyeHeight, 4000);
    EXPECT_EQ(ViewParameters.EyeY, 14000);
    EXPECT_EQ(ViewParameters.FieldOfView, 80);
    EXPECT_EQ(ViewParameters.TargetX, 0);
    EXPECT_EQ(ViewParameters.TargetHeight, 2000);
    EXPECT_EQ(ViewParameters.TargetY, 0);
    EXPECT_EQ(AmbientLight.Red, 0.5f);
    EXPECT_TRUE(LightList.empty());

    std::filesystem::create_directory(folder.PathOf("dir"));
    ExpectError(ErrorOf([&] { SceneLoader(folder.PathOf("dir")); }),
                {ErrorKind::FileOpen, folder.PathOf("dir")}, "directory");
    // A pipe nobody writes to fails at once instead of blocking the start.
    ASSERT_EQ(mkfifo(folder.PathOf("pipe").c_str(), 0600), 0);
    ExpectError(ErrorOf([&] { SceneLoader(folder.PathOf("pipe")); }),
                {ErrorKind::FileOpen, folder.PathOf("pipe")}, "pipe");
}

TEST(SceneLoader, ReadsTheFileAndKeepsWhatLinesBeforeAFailureSet)
{
    TempFolder folder;
    SceneLoader(folder.Write("temp.txt", "lg1\r\n 0 0 1 0\r\nch 5 6 \"v,1.5\r\n"));
    EXPECT_EQ(ViewParameters.EyeX, 5);
    EXPECT_EQ(ViewParameters.EyeY, -6);
    EXPECT_EQ(ViewParameters.EyeHeight, 1500);

    std::string broken = folder.Write("broken.txt", "ch 7 8 \"sl\nch 1 2 \"f\n 0 0 1\nch 9 9 \"v\n");
    ExpectError(ErrorOf([&] { SceneLoader(broken); }), {ErrorKind::ListIndex, "4"}, "broken");
    EXPECT_EQ(LightList.size(), 1u);
    EXPECT_EQ(ViewParameters.TargetX, 1);
    EXPECT_EQ(ViewParameters.EyeX, 12000);
}

TEST(SceneLoader, BuildsTheFacesWithTheMaterialTable)
{
    TempFolder folder;
    for (int i = 0; i < MaterialEntryCount; ++i)
        MaterialTable[i] = {i / 100.0f, 0.25f, 0.75f, 0.5f, 0.5f, 0, 0};
    ResetModelTables();
    // Line type 2 and colour 4 give entry 13; the marks make a wall with a
    // level top at one end and a bottom of 300 at the other.
    SceneLoader(folder.Write("temp.txt", "ly3\nlt2\nlc4\n 0 0 1000 0\n"
                                         "ch 0 0 \"2.4\nch 1000 0 \"2.4,0.3\n"));
    ASSERT_EQ(PolygonList.size(), 1u);
    EXPECT_EQ(PolygonList[0].VertexCount, 3);
    EXPECT_EQ(PolygonList[0].Color[0], 0.12f);

    // A failure part way builds nothing.
    ResetModelTables();
    std::string broken = folder.Write("broken.txt", " 0 0 1000 0\nch 0 0 \"2.4\nch 1000 0 \"2.4\n 1 2\n");
    ExpectError(ErrorOf([&] { SceneLoader(broken); }), {ErrorKind::ListIndex, "3"}, "broken");
    EXPECT_TRUE(PolygonList.empty());
    ResetInputTables();
}

TEST(SceneLoader, KeepsTheOriginOfEveryFaceWhenAsked)
{
    TempFolder folder;
    // A triangle on slot 18 with material 3: three walls, a top and a bottom slab.
    std::string path =
        folder.Write("temp.txt", "lgn Outside\nlg1\nlgn  Garden \nly2\nlyn Old\nlyn#lv1\n"
                                 "lyn Walls \nlc3\n 0 0 1000 0\n 1000 0 0 1000\n"
                                 "ch 0 0 \"3,0\n 0 1000 0 0\nch 1000 0 \"3,0\nch 0 1000 \"3,0\n");
    ReleaseFaces();
    SceneLoader(path);
    const std::vector<TPGon> plain = PolygonList;

    ReleaseFaces();
    TBuildRecord record;
    SceneLoader(path, &record);
    ASSERT_EQ(PolygonList.size(), plain.size());
    for (size_t i = 0; i < plain.size(); ++i)
        for (int32_t k = 0; k < plain[i].VertexCount; ++k)
        {
            const TPtVertex& a = PolygonList[i].Vertices[k];
            const TPtVertex& b = plain[i].Vertices[k];
            EXPECT_TRUE(a.X == b.X && a.Y == b.Y && a.Z == b.Z) << i;
        }
    const std::vector<int32_t> ring = {9, 10, 12};
    const TFaceOrigin expected[] = {
        {18, TFaceKind::Wall, 3, {9}},  {18, TFaceKind::Wall, 3, {10}}, {18, TFaceKind::Wall, 3, {12}},
        {18, TFaceKind::Slab, 3, ring}, {18, TFaceKind::Slab, 3, ring},
    };
    const std::vector<TFaceOrigin>& origins = record.FaceOrigins;
    ASSERT_EQ(origins.size(), std::size(expected));
    for (size_t i = 0; i < origins.size(); ++i)
    {
        EXPECT_EQ(origins[i].Slot, expected[i].Slot) << i;
        EXPECT_EQ(origins[i].Kind, expected[i].Kind) << i;
        EXPECT_EQ(origins[i].Material, expected[i].Material) << i;
        EXPECT_EQ(origins[i].Lines, expected[i].Lines) << i;
    }
    EXPECT_EQ(record.GroupNames[0], "Outside");
    EXPECT_EQ(record.GroupNames[1], "Garden");
    EXPECT_EQ(record.LayerNames[18], "Walls");
    EXPECT_EQ(record.Slots[18].MarkLines, (std::vector<int32_t>{11, 13, 14}));
    EXPECT_EQ(record.Slots[18].Segments[0].Top1, 4000);
    EXPECT_EQ(record.ClosedOutlines[18], 6);
    ReleaseFaces();
}

// The window reads a drawing again while it shows the one it has: the model
// it shows is swapped out, the new one built in the module tables, and the
// shown one swapped back in when the new drawing fails.
TEST(SceneTables, ASecondBuildLeavesTheFirstIntact)
{
    TempFolder folder;
    ResetInputTables();
    ResetModelTables();
    MaterialTable[2] = {0.3f, 0.4f, 0.5f, 0, 0, 0, 0};
    BackgroundColor = {1, 2, 3};
    SceneLoader(folder.Write("room.txt",
                             "lc3\n 0 0 1000 0\n 1000 0 0 1000\n 0 1000 0 0\n"
                             "ch 0 0 \"3,0\nch 1000 0 \"3,0\nch 0 1000 \"3,0\nch 0 0 \"v,1.6,45\n"));
    ASSERT_EQ(PolygonList.size(), 5u);

    TSceneTables shown;
    SwapSceneTables(shown);
    EXPECT_TRUE(PolygonList.empty());
    EXPECT_EQ(MaterialTable[2][0], 0.0f);
    EXPECT_EQ(ViewParameters.FieldOfView, 80.0f);

    // A second drawing builds on its own; the first stays as it was.
    SceneLoader(folder.Write("wall.txt", " 0 0 500 0\nch 0 0 \"2,0\nch 500 0 \"2,0\n"));
    ASSERT_EQ(PolygonList.size(), 1u);
    ASSERT_EQ(shown.PolygonList.size(), 5u);
    EXPECT_EQ(shown.PolygonList[0].Color[0], 0.3f);
    EXPECT_EQ(shown.ViewParameters.FieldOfView, 45.0f);
    EXPECT_EQ(shown.BackgroundColor, (std::array<int32_t, 3>{1, 2, 3}));

    // A drawing that fails while the wall is shown: the wall comes back whole.
    TSceneTables kept;
    SwapSceneTables(kept);
    EXPECT_THROW(SceneLoader(folder.PathOf("missing.txt")), ProgramError);
    SwapSceneTables(kept);
    ASSERT_EQ(PolygonList.size(), 1u);
    EXPECT_EQ(PolygonList[0].Vertices[2].X, 500.0f);
    EXPECT_TRUE(kept.PolygonList.empty());
    ResetModelTables();
    ResetInputTables();
}
