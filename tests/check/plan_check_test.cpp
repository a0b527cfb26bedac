#include "check/finding_text.h"
#include "check/plan_check.h"
#include "check/readable_color.h"
#include "input/input_tables.h"
#include "input/scene_loader.h"
#include "model/build_model.h"
#include "model/model_tables.h"
#include "model/polygon.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace
{

using K = TFindingKind;

struct Expected
{
    K Kind;
    int Slot;
    float X, Y;
    std::vector<int32_t> Lines;
    float Distance = -1; // none
};

std::vector<TFinding> CheckText(const std::string& text, const TCheckOptions& options = {})
{
    ReleaseFaces();
    TBuildRecord record;
    record.Slots = ReadSceneText(text, true);
    BuildModel(record.Slots, MaterialTable, &record);
    return CheckPlan(record, options);
}

// A closed ring of `count` segments round a circle.
std::string Ring(int count)
{
    std::ostringstream text;
    auto at = [&](int k)
    {
        double a = 2 * M_PI * (k % count) / count;
        return std::to_string(std::lround(10000 * std::cos(a))) + " " +
               std::to_string(std::lround(10000 * std::sin(a)));
    };
    for (int k = 0; k < count; ++k)
        text << " " << at(k) << " " << at(k + 1) << "\n";
    return text.str();
}

std::string ExampleHouse()
{
    std::ifstream file(std::string(std::getenv("KV_SOURCE_DIR")) + "/examples/house/temp.txt",
                       std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::vector<int32_t> LinesFrom(int32_t first, int32_t count)
{
    std::vector<int32_t> lines;
    for (int32_t i = 0; i < count; ++i)
        lines.push_back(first + i);
    return lines;
}

const std::string Square = " 0 0 1000 0\n 1000 0 1000 1000\n 1000 1000 0 1000\n 0 1000 0 0\n";

} // namespace

TEST(PlanCheck, FindsEachKindWhereItIsAndNothingElse)
{
    struct Case
    {
        const char* Name;
        std::string Text;
        std::vector<Expected> Findings;
        TCheckOptions Options = {};
    };
    const Case cases[] = {
        {"unmarked end", " 0 0 1000 0\nch 0 0 \"3,0\n", {{K::UnmarkedEnd, 0, 1000, 0, {1}}}},
        {"near mark, 1% of the length",
         " 0 0 1000 0\nch 0 0 \"3,0\nch 1003 4 \"3,0\n",
         {{K::NearMark, 0, 1000, 0, {1, 3}, 5}}},
        {"near mark beyond --snap",
         " 0 0 1000 0\nch 0 0 \"3,0\nch 1003 4 \"3,0\n",
         {{K::UnmarkedEnd, 0, 1000, 0, {1}}, {K::LoneMark, 0, 1003, 4, {3}}},
         {2.0f}},
        {"mark on another layer",
         "ly1\n 0 0 1000 0\nch 0 0 \"3,0\nlg2\nly3\nch 1000 0 \"3,0\n",
         {{K::MarkOtherLayer, 1, 1000, 0, {2, 6}}}},
        {"lone mark",
         " 0 0 1000 0\nch 0 0 \"3,0\nch 1000 0 \"3,0\nch 500 500 \"3,0\n",
         {{K::LoneMark, 0, 500, 500, {4}}}},
        {"no wall: single numbers, equal heights",
         " 0 0 1000 0\nch 0 0 \"3\nc2 1000 0 \"3\n 0 2000 1000 2000\nch 0 2000 \"3,3\ncz 1000 2000 \"0\n",
         {{K::NoWall, 0, 0, 0, {1}}, {K::NoWall, 0, 0, 2000, {4}}}},
        {"no wall: both unmarked",
         " 0 0 1000 0\nch 0 0 \"3,0\nch 1000 0 \"3,0\n 0 5000 1000 5000\n",
         {{K::UnmarkedEnd, 0, 0, 5000, {4}},
          {K::UnmarkedEnd, 0, 1000, 5000, {4}},
          {K::NoWall, 0, 0, 5000, {4}}}},
        {"open ends",
         " 0 0 1000 0\n 1000 0 1000 1000\n 1000 1000 0 1000\n",
         {{K::OpenEnd, 0, 0, 0, {1}}, {K::OpenEnd, 0, 0, 1000, {3}}}},
        {"ends on segments",
         Square + " 500 0 500 1000\n",
         {{K::EndOnSegment, 0, 500, 0, {5, 1}}, {K::EndOnSegment, 0, 500, 1000, {5, 3}}}},
        {"long ring", Ring(101), {{K::LongRing, 0, 10000, 0, LinesFrom(1, 101)}}},
        {"ring of 100", Ring(100), {}},
        {"top not flat",
         Square + "ch 0 0 \"3,0\nch 1000 0 \"3,0\nch 1000 1000 \"4,0\nch 0 1000 \"3,0\n",
         {{K::NotFlat, 0, 0, 0, {1, 2, 3, 4}}}},
        {"bottom not flat",
         "lg1\n" + Square + "ch 0 0 \"3,0\nch 1000 0 \"3,0\nch 1000 1000 \"3,1\nch 0 1000 \"3,0\n",
         {{K::NotFlat, 16, 0, 0, {2, 3, 4, 5}}}},
        {"duplicate segment", " 0 0 1000 0\n 1000 0 0 0\n", {{K::DuplicateSegment, 0, 1000, 0, {2, 1}}}},
        {"the example house: the fence's open ends, the terrace and the roof's level edges",
         ExampleHouse(),
         {{K::NoWall, 3, 0, 0, {87}},
          {K::NoWall, 3, 10000, 8000, {90}},
          {K::OpenEnd, 16, -3000, 2000, {106}},
          {K::OpenEnd, 16, 4000, -3000, {107}},
          {K::OpenEnd, 16, 7000, -3000, {108}},
          {K::OpenEnd, 16, 13000, 2000, {109}},
          {K::NoWall, 17, 0, 0, {119}},
          {K::NoWall, 17, 6000, 0, {120}},
          {K::NoWall, 17, 6000, -2000, {121}},
          {K::NoWall, 17, 0, -2000, {122}}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.Name);
        std::vector<TFinding> found = CheckText(c.Text, c.Options);
        std::string all;
        for (const TFinding& f : found)
            all += FindingLine(f) + "\n";
        ASSERT_EQ(found.size(), c.Findings.size()) << all;
        for (size_t i = 0; i < found.size(); ++i)
        {
            const Expected& e = c.Findings[i];
            const TFinding& f = found[i];
            EXPECT_EQ(f.Kind, e.Kind) << all;
            EXPECT_EQ(f.Slot, e.Slot) << all;
            EXPECT_EQ(f.X, e.X) << all;
            EXPECT_EQ(f.Y, e.Y) << all;
            EXPECT_EQ(f.Lines, e.Lines) << all;
            EXPECT_EQ(f.Distance.value_or(-1), e.Distance) << all;
            EXPECT_FALSE(f.MessageJa.empty() || f.MessageEn.empty());
        }
    }
}

TEST(FindingText, KeyEntriesAndCounts)
{
    std::vector<TFinding> found = CheckText(
        "lg1\nly2\n 0 0 1000 0\n 1000 0 1000 1000\n 0 0 0 1000\nch 0 0 250 0 \"3,0\nch 1000 0 250 0 \"3,0\n",
        {});
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(FindingKeyText(found[0]), "warning, unmarked-end, layer 1/2, temp.txt:4");
    EXPECT_EQ(FindingKeyText(found[1]), "note, open-end, layer 1/2, temp.txt:4");
    std::array<int, FindingKindCount> counts = CountKinds(found);
    EXPECT_EQ(counts[size_t(K::UnmarkedEnd)], 2);
    EXPECT_EQ(counts[size_t(K::OpenEnd)], 2);
    EXPECT_EQ(counts[size_t(K::NoWall)], 0);
    EXPECT_EQ(FindingCounts(found), "unmarked-end: 2 (warning)\nopen-end: 2 (note)\n");
}

// Every colour comes out at least 3:1 against its ground, changed no more
// than that needs: darker on a light ground, lighter on a dark one.
TEST(ReadableColor, StandsOutFromTheGroundByThreeToOne)
{
    const TRgb white = {1, 1, 1}, black = {0, 0, 0};
    enum Change
    {
        Kept,
        Darker,
        Lighter,
    };
    struct Case
    {
        const char* Name;
        TRgb Color, Ground;
        Change Expected;
    };
    const Case cases[] = {
        {"white on white (DXF colour 7)", {1, 1, 1}, white, Darker},
        {"yellow on white", {1, 1, 0}, white, Darker},
        {"pale grey on white", {0.85, 0.84, 0.82}, white, Darker},
        {"dark red on white", {0.6, 0, 0}, white, Kept},
        {"black on white", {0, 0, 0}, white, Kept},
        {"dark blue on black", {0, 0, 0.4}, black, Lighter},
        {"white on black", {1, 1, 1}, black, Kept},
        {"grey on the window's blue", {0.7, 0.75, 0.8}, {200 / 255.0, 215 / 255.0, 230 / 255.0}, Darker},
        {"mid grey on mid grey", {0.45, 0.45, 0.45}, {0.5, 0.5, 0.5}, Darker},
        {"channels beyond 0 to 1", {2, 1.5, 1}, white, Darker},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.Name);
        TRgb readable = ReadableColor(c.Color, c.Ground);
        EXPECT_GE(ContrastRatio(readable, c.Ground), MinimumContrast);
        if (c.Expected == Kept)
        {
            EXPECT_EQ(readable, c.Color);
            continue;
        }
        EXPECT_LT(ContrastRatio(readable, c.Ground), MinimumContrast + 0.01);
        for (size_t i = 0; i < 3; ++i)
            EXPECT_TRUE(c.Expected == Darker ? readable[i] <= std::min(c.Color[i], 1.0)
                                             : readable[i] >= c.Color[i]);
    }
    // Yellow stays yellow: red and green darken alike, blue stays 0.
    TRgb yellow = ReadableColor({1, 1, 0}, white);
    EXPECT_DOUBLE_EQ(yellow[0], yellow[1]);
    EXPECT_EQ(yellow[2], 0);
    // A broken material entry: its missing channels count as black.
    TRgb broken = ReadableColor({NAN, 0.5, NAN}, white);
    EXPECT_TRUE(std::isfinite(broken[0]) && std::isfinite(broken[2]));
    EXPECT_GE(ContrastRatio(broken, white), MinimumContrast);
    EXPECT_NEAR(ContrastRatio(white, black), 21, 1e-9);
    EXPECT_DOUBLE_EQ(ContrastRatio({0.2, 0.4, 0.6}, white), ContrastRatio(white, {0.2, 0.4, 0.6}));
}
