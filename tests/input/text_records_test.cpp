#include "input/input_tables.h"
#include "input/scene_loader.h"
#include "tests/input/input_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

struct MarkCase
{
    std::string Lines;
    std::vector<HeightMark> Expected; // the marks of slot 0
};

std::string Describe(const HeightMark& mark)
{
    return std::to_string(mark.X) + " " + std::to_string(mark.Y) + " " + std::to_string(mark.Height1) + " " +
           std::to_string(mark.Height2);
}

bool SameMark(const HeightMark& a, const HeightMark& b)
{
    return a.X == b.X && a.Y == b.Y && a.Height1 == b.Height1 && a.Height2 == b.Height2;
}

void ExpectMarks(const std::vector<HeightMark>& actual, const std::vector<HeightMark>& expected,
                 const std::string& lines)
{
    ASSERT_EQ(actual.size(), expected.size()) << lines;
    for (size_t i = 0; i < actual.size(); ++i)
        EXPECT_TRUE(SameMark(actual[i], expected[i])) << lines << ": " << Describe(actual[i]);
}

} // namespace

TEST(TextRecords, NumberTextsBecomeHeightMarks)
{
    const MarkCase cases[] = {
        {"ch 10 20 \"2.4", {{10, -20, 2400, 2400}}},
        {"c2 10 20 \"2.4", {{10, -20, 2400, 2400}}},
        {"cz 10 20 \"2.4", {{10, -20, 2400, 0}}}, // one number on "cz" raises from the base
        {"ch 1 2 \"2.4,0.3", {{1, -2, 2400, 300}}},
        {"ch 1 2 \"0.3,2.4", {{1, -2, 300, 2400}}},
        {"ch 1 2 \"2.4 0.3", {{1, -2, 2400, 300}}},
        {"ch 1 2 \" 2.4 , 0.3 ", {{1, -2, 2400, 300}}},
        {"ch 1 2 \"2.4,0.3,9", {{1, -2, 2400, 300}}},
        {"ch 1 2 \"2.4,", {{1, -2, 2400, 0}}},
        {"c2 1 2 \"2.4,", {{1, -2, 2400, 0}}},
        {"cz 1 2 \"2.4,", {{1, -2, 2400, 0}}},
        {"ch 1 2 \"2.4,abc", {{1, -2, 2400, 0}}},
        {"ch 1 2 \"-1.5", {{1, -2, -1500, -1500}}},
        {"ch 1 2 \"0", {{1, -2, 0, 0}}},
        {"ch 1e3 -2 \"1", {{1000, 2, 1000, 1000}}},
        {"ch 1 2 \"24.7718", {{1, -2, 24771.80078125f, 24771.80078125f}}},
        {"ch 1 2 \"2.4\"5,6", {{1, -2, 2400, 2400}}}, // the text ends at the next quote
        {"ch 1 2 \"\"2.4", {{1, -2, 2400, 2400}}},    // two quotes in a row are one cut
        {"ch 1 2 5 \"2", {{1, -2, 2000, 2000}}},      // further tokens are not read
        {"ch 1 2 \"2.4\nch 1 2 \"3", {{1, -2, 2400, 2400}, {1, -2, 3000, 3000}}},
        {"ly3\nch 1 2 \"2.4", {}}, // marks go to the current slot
        {"ch 1 2 \"123456789", {}},
        {"ch 1 2 \"123456789.0", {}},
        {"ch 1 2 \"2.4m", {}},
        {"ch 1 2 \"V", {}},
        {"ch 1 2 \"lv2", {}},
        {"c2 1 2 \"lv,3", {}},
        {"cz 1 2 \"v", {}},
        {"ch 1 2 \"   ", {}},
        {"ch 1 2 \"\x89\x9e\x90\xda\x8a\xd4", {}}, // a room name in Shift-JIS
        {"ch 1 2 \"\x82\x51\x81\x44\x82\x53", {}}, // full-width digits are no number
        {"ch\"abc", {}},                           // not a number: no position needed
    };
    for (const MarkCase& c : cases)
    {
        ResetInputTables();
        std::vector<LayerSlot> slots = ReadSceneText(c.Lines);
        ExpectMarks(slots[0].Marks, c.Expected, c.Lines);
    }
    std::vector<LayerSlot> slots = ReadSceneText("lg2\nly3\ncz 4 5 \"1\n");
    ExpectMarks(slots[35].Marks, {{4, -5, 1000, 0}}, "slot 35");
}

TEST(TextRecords, ViewKeywordsSetEyeTargetAndFieldOfView)
{
    struct Case
    {
        std::string Lines;
        TViewParameters Expected;
    };
    const Case cases[] = {
        {"ch 100 200 \"v", {100, 0, -200, 90, 0, 2000, 0}},
        {"ch 1 2 \"v,1.6,45", {1, 1600, -2, 45, 0, 2000, 0}},
        {"ch 1 2 \"v,1.6,", {1, 1600, -2, 90, 0, 2000, 0}},
        {"ch 1 2 \"v,x,y", {1, 0, -2, 90, 0, 2000, 0}},
        {"ch 1 2 \"v,1,500", {1, 1000, -2, 500, 0, 2000, 0}}, // stored as written
        {"ch a b \"v", {0, 0, 0, 90, 0, 2000, 0}},            // a position that is no number is 0
        {"ch 5 6 \"f,1.2", {12000, 4000, 14000, 80, 5, 1200, -6}},
        {"ch 5 6 \"f", {12000, 4000, 14000, 80, 5, 0, -6}},
        {"ly4\nch 5 6 \"f\nch 7 8 \"f,2", {12000, 4000, 14000, 80, 7, 2000, -8}}, // the last one wins
        {"c2 1 2 \"v\ncz 1 2 \"f", {12000, 4000, 14000, 80, 0, 2000, 0}},         // keywords need "ch"
    };
    for (const Case& c : cases)
    {
        ResetInputTables();
        ReadSceneText(c.Lines);
        const TViewParameters& v = ViewParameters;
        const TViewParameters& e = c.Expected;
        EXPECT_EQ(v.EyeX, e.EyeX) << c.Lines;
        EXPECT_EQ(v.EyeHeight, e.EyeHeight) << c.Lines;
        EXPECT_EQ(v.EyeY, e.EyeY) << c.Lines;
        EXPECT_EQ(v.FieldOfView, e.FieldOfView) << c.Lines;
        EXPECT_EQ(v.TargetX, e.TargetX) << c.Lines;
        EXPECT_EQ(v.TargetHeight, e.TargetHeight) << c.Lines;
        EXPECT_EQ(v.TargetY, e.TargetY) << c.Lines;
    }
}

TEST(TextRecords, LevelKeywordSetsTheCurrentSlotsBaseHeight)
{
    ResetInputTables();
    std::vector<LayerSlot> slots = ReadSceneText("ch\"lv,2.5\n"
                                                 "ly1\nch 0 0 \"lv,1\nch 0 0 \"lv\n" // one field: nothing
                                                 "ly2\nlyn#lv1\nch 0 0 \"lv,2\n"     // the last one wins
                                                 "ly3\nch 0 0 \"lv,x\n"              // no number: 0
                                                 "ly4\nch 0 0 \"lv,7\nlyn#lv3\n");
    EXPECT_EQ(slots[0].BaseHeight, 2500);
    EXPECT_EQ(slots[1].BaseHeight, 1000);
    EXPECT_EQ(slots[2].BaseHeight, 2000);
    EXPECT_EQ(slots[3].BaseHeight, 0);
    EXPECT_EQ(slots[4].BaseHeight, 3000);
    for (const LayerSlot& slot : slots)
        EXPECT_TRUE(slot.Marks.empty());
}

TEST(TextRecords, AmbientLightKeepsComponentsWithoutField)
{
    ResetInputTables();
    ReadSceneText("ch\"al,0.1,0.2,0.3\nch\"al,0.7");
    EXPECT_EQ(AmbientLight.Red, 0.7f);
    EXPECT_EQ(AmbientLight.Green, 0.2f);
    EXPECT_EQ(AmbientLight.Blue, 0.3f);
    ReadSceneText("ch\"al,x,,2");
    EXPECT_EQ(AmbientLight.Red, 0.5f);
    EXPECT_EQ(AmbientLight.Green, 0.5f);
    EXPECT_EQ(AmbientLight.Blue, 2.0f); // no range check, no scaling
}

TEST(TextRecords, LightKeywordsAppendLightSources)
{
    ResetInputTables();
    ReadSceneText("ch 1 2 \"sl\n"
                  "ch 3 4 \"sls,1,0.1,0.2,0.3,abc\n"
                  "ch 5 6 \"sl,2,0.1,0.2,0.3,7\n"
                  "ch x 6 \"sls,y,,a\n");
    struct Expected
    {
        float X, Height, Y, Red, Green, Blue, Distance;
        uint8_t Flag;
    };
    const Expected expected[] = {
        {1, 0, -2, 0.5f, 0.5f, 0.5f, 0, 1},
        {3, 1000, -4, 0.1f, 0.2f, 0.3f, 5000, 0},
        {5, 2000, -6, 0.1f, 0.2f, 0.3f, 7000, 1},
        {0, 0, -6, 0.5f, 0.5f, 0.5f, 0, 0},
    };
    ASSERT_EQ(LightList.size(), std::size(expected));
    for (size_t i = 0; i < LightList.size(); ++i)
    {
        const LightSource& light = LightList[i];
        const Expected& e = expected[i];
        EXPECT_EQ(light.X, e.X) << i;
        EXPECT_EQ(light.Height, e.Height) << i;
        EXPECT_EQ(light.Y, e.Y) << i;
        EXPECT_EQ(light.Unused, 0) << i;
        EXPECT_EQ(light.Red, e.Red) << i;
        EXPECT_EQ(light.Green, e.Green) << i;
        EXPECT_EQ(light.Blue, e.Blue) << i;
        EXPECT_EQ(light.Distance, e.Distance) << i;
        EXPECT_EQ(light.Flag, e.Flag) << i;
    }
}

TEST(TextRecords, MalformedRecordsStopTheReadingWithTheirError)
{
    struct Case
    {
        std::string Text;
        ExpectedError Error;
    };
    const Case cases[] = {
        {"ch 1 2 \"", {ErrorKind::ListIndex, "1"}}, // no text, on any prefix
        {"c2 1 2", {ErrorKind::ListIndex, "1"}},
        {"cz 1 2 \"\"\"", {ErrorKind::ListIndex, "1"}},
        {"ly9\nch\"", {ErrorKind::ListIndex, "1"}},
        {"ch\"2.4", {ErrorKind::ListIndex, "1"}}, // a mark reads its position
        {"ch 3\"2.4", {ErrorKind::Conversion, "3\"2.4"}},
        {"ch 3 \"2.4", {ErrorKind::Conversion, "\"2.4"}},
        {"cz x 4 \"2.4", {ErrorKind::Conversion, "x"}},
        {"c2 3 \x82\x50 \"2.4", {ErrorKind::Conversion, "\x82\x50"}},
        {"ch\"v", {ErrorKind::ListIndex, "1"}}, // so do "v", "f", "sl" and "sls"
        {"ch 3\"f", {ErrorKind::ListIndex, "2"}},
        {"ch x\"sl", {ErrorKind::ListIndex, "2"}},
        {"ch\"sls", {ErrorKind::ListIndex, "1"}},
    };
    for (const Case& c : cases)
        ExpectError(ErrorOf([&] { ReadSceneText(c.Text); }), c.Error, c.Text);

    // Keywords that need no position read none.
    EXPECT_FALSE(ErrorOf([] { ReadSceneText("ch\"lv,1\nch\"al,0.2\nch\"abc\nch\"\x95\x5c"); }).has_value());
}
