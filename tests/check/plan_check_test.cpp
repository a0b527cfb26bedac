#include "check/finding_rows.h"
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
#include <set>
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
    // The English line of the list (place, severity, kind and sentence) and
    // the Japanese sentence.
    std::string Line;
    std::string Ja;
};

std::vector<TFinding> CheckText(const std::string& text, const TCheckOptions& options = {})
{
    ReleaseFaces();
    TBuildRecord record;
    std::vector<LayerSlot> slots = ReadSceneText(text, &record);
    BuildModel(slots, MaterialTable, &record);
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
    // The sentences, Japanese and English, as the list and the window show them.
    const std::string unmarked = "この線端に同じレイヤの高さ文字がなく、高さ 0 のままです";
    const std::string lone = "この高さ文字は同じレイヤのどの線端にも乗っていません";
    const std::string open = "この線端は同じレイヤの他の線端につながっていません";
    const std::string singleNumbers =
        "壁になりません: 両端の高さ文字が \"ch\"/\"c2\" の数値1つで、上端と下端が同じです";
    auto near = [](const char* d)
    { return "高さ文字が線端から " + std::string(d) + " 離れています。線端に合わせてください"; };
    auto onSegment = [](const char* line)
    { return "この線端は " + std::string(line) + " 行目の線の途中にあり、つながりません"; };
    const std::string unmarkedEn =
        "warning: unmarked-end: no height mark of its layer on this end: it stays at height 0";
    const std::string loneEn = "note: lone-mark: this height mark lies on no segment end of its layer";
    const std::string openEn = "note: open-end: this end meets no other segment end of its layer";
    const std::string singleNumbersEn = "note: no-wall: its marks are single numbers on \"ch\"/\"c2\" texts, "
                                        "so top equals bottom at both ends";
    auto nearEn = [](const char* d)
    {
        return "warning: near-mark: a height mark lies " + std::string(d) +
               " away from this end: snap it to the end";
    };
    auto onSegmentEn = [](const char* line)
    {
        return "warning: end-on-segment: this end lies on the middle of the segment of line " +
               std::string(line) + ", which is not joined there";
    };
    const Case cases[] = {
        {"unmarked end",
         " 0 0 1000 0\nch 0 0 \"3,0\n",
         {{K::UnmarkedEnd,
           0,
           1000,
           0,
           {1},
           -1,
           "temp.txt:1: layer 0/0 at (1000, 0): " + unmarkedEn,
           unmarked}}},
        {"near mark, 1% of the length",
         " 0 0 1000 0\nch 0 0 \"3,0\nch 1003 4 \"3,0\n",
         {{K::NearMark,
           0,
           1000,
           0,
           {1, 3},
           5,
           "temp.txt:1: layer 0/0 at (1000, 0): " + nearEn("5"),
           near("5")}}},
        {"near mark beyond --snap",
         " 0 0 1000 0\nch 0 0 \"3,0\nch 1003 4 \"3,0\n",
         {{K::UnmarkedEnd,
           0,
           1000,
           0,
           {1},
           -1,
           "temp.txt:1: layer 0/0 at (1000, 0): " + unmarkedEn,
           unmarked},
          {K::LoneMark, 0, 1003, 4, {3}, -1, "temp.txt:3: layer 0/0 at (1003, 4): " + loneEn, lone}},
         {2.0f}},
        {"equally near marks: the first in the file",
         " 0 0 1000 0\nch 0 0 \"3,0\nch 1003 4 \"3,0\nch 1003 -4 \"3,0\n",
         {{K::NearMark,
           0,
           1000,
           0,
           {1, 3},
           5,
           "temp.txt:1: layer 0/0 at (1000, 0): " + nearEn("5"),
           near("5")},
          {K::LoneMark, 0, 1003, -4, {4}, -1, "temp.txt:4: layer 0/0 at (1003, -4): " + loneEn, lone}}},
        {"equally near marks the other way round",
         " 0 0 1000 0\nch 0 0 \"3,0\nch 1003 -4 \"3,0\nch 1003 4 \"3,0\n",
         {{K::NearMark,
           0,
           1000,
           0,
           {1, 3},
           5,
           "temp.txt:1: layer 0/0 at (1000, 0): " + nearEn("5"),
           near("5")},
          {K::LoneMark, 0, 1003, 4, {4}, -1, "temp.txt:4: layer 0/0 at (1003, 4): " + loneEn, lone}}},
        {"1% of a long segment is capped at 50",
         " 0 0 10000 0\nch 0 0 \"3,0\nch 10049 0 \"3,0\n",
         {{K::NearMark,
           0,
           10000,
           0,
           {1, 3},
           49,
           "temp.txt:1: layer 0/0 at (10000, 0): " + nearEn("49"),
           near("49")}}},
        {"beyond the cap",
         " 0 0 10000 0\nch 0 0 \"3,0\nch 10051 0 \"3,0\n",
         {{K::UnmarkedEnd,
           0,
           10000,
           0,
           {1},
           -1,
           "temp.txt:1: layer 0/0 at (10000, 0): " + unmarkedEn,
           unmarked},
          {K::LoneMark, 0, 10051, 0, {3}, -1, "temp.txt:3: layer 0/0 at (10051, 0): " + loneEn, lone}}},
        {"near mark far out",
         " 1000000000000 0 1001000000000 0\nch 1000000000000 0 \"3,0\nch 1001000000000 40 \"3,0\n",
         {{K::NearMark,
           0,
           1.001e12f,
           0,
           {1, 3},
           40,
           "temp.txt:1: layer 0/0 at (1.001e+12, 0): " + nearEn("40"),
           near("40")}}},
        {"mark on another layer",
         "ly1\n 0 0 1000 0\nch 0 0 \"3,0\nlg2\nly3\nch 1000 0 \"3,0\n",
         {{K::MarkOtherLayer,
           1,
           1000,
           0,
           {2, 6},
           -1,
           "temp.txt:2: layer 0/1 at (1000, 0): warning: mark-other-layer: the height mark on this end is on "
           "layer 2/3, not on the segment's layer 0/1",
           "この線端の高さ文字はレイヤ 2/3 にあり、線のレイヤ 0/1 にありません"}}},
        {"lone mark",
         " 0 0 1000 0\nch 0 0 \"3,0\nch 1000 0 \"3,0\nch 500 500 \"3,0\n",
         {{K::LoneMark, 0, 500, 500, {4}, -1, "temp.txt:4: layer 0/0 at (500, 500): " + loneEn, lone}}},
        {"no wall: single numbers, equal heights",
         " 0 0 1000 0\nch 0 0 \"3\nc2 1000 0 \"3\n 0 2000 1000 2000\nch 0 2000 \"3,3\ncz 1000 2000 \"0\n",
         {{K::NoWall, 0, 0, 0, {1}, -1, "temp.txt:1: layer 0/0 at (0, 0): " + singleNumbersEn, singleNumbers},
          {K::NoWall,
           0,
           0,
           2000,
           {4},
           -1,
           "temp.txt:4: layer 0/0 at (0, 2000): note: no-wall: top and bottom are equal at both ends",
           "壁になりません: 両端とも上端と下端が同じ高さです"}}},
        {"no wall: both unmarked",
         " 0 0 1000 0\nch 0 0 \"3,0\nch 1000 0 \"3,0\n 0 5000 1000 5000\n",
         {{K::UnmarkedEnd,
           0,
           0,
           5000,
           {4},
           -1,
           "temp.txt:4: layer 0/0 at (0, 5000): " + unmarkedEn,
           unmarked},
          {K::UnmarkedEnd,
           0,
           1000,
           5000,
           {4},
           -1,
           "temp.txt:4: layer 0/0 at (1000, 5000): " + unmarkedEn,
           unmarked},
          {K::NoWall,
           0,
           0,
           5000,
           {4},
           -1,
           "temp.txt:4: layer 0/0 at (0, 5000): note: no-wall: neither end has a height mark, so both stay "
           "flat "
           "at 0",
           "壁になりません: 両端とも高さ文字がありません"}}},
        {"open ends",
         " 0 0 1000 0\n 1000 0 1000 1000\n 1000 1000 0 1000\n",
         {{K::OpenEnd, 0, 0, 0, {1}, -1, "temp.txt:1: layer 0/0 at (0, 0): " + openEn, open},
          {K::OpenEnd, 0, 0, 1000, {3}, -1, "temp.txt:3: layer 0/0 at (0, 1000): " + openEn, open}}},
        {"ends on segments",
         Square + " 500 0 500 1000\n",
         {{K::EndOnSegment,
           0,
           500,
           0,
           {5, 1},
           -1,
           "temp.txt:5: layer 0/0 at (500, 0): " + onSegmentEn("1"),
           onSegment("1")},
          {K::EndOnSegment,
           0,
           500,
           1000,
           {5, 3},
           -1,
           "temp.txt:5: layer 0/0 at (500, 1000): " + onSegmentEn("3"),
           onSegment("3")}}},
        {"long ring",
         Ring(101),
         {{K::LongRing, 0, 10000, 0, LinesFrom(1, 101), -1,
           "temp.txt:1: layer 0/0 at (10000, 0): warning: long-ring: a closed ring of 101 segments: rings of "
           "more "
           "than 100 give no slab",
           "101 本の線の輪郭です。100 本を超える輪郭は床になりません"}}},
        {"ring of 100", Ring(100), {}},
        {"top not flat",
         Square + "ch 0 0 \"3,0\nch 1000 0 \"3,0\nch 1000 1000 \"4,0\nch 0 1000 \"3,0\n",
         {{K::NotFlat,
           0,
           0,
           0,
           {1, 2, 3, 4},
           -1,
           "temp.txt:1: layer 0/0 at (0, 0): warning: not-flat: this ring's top level is not flat: no slab",
           "この輪郭の上端が平面になっていないため、床になりません"}}},
        {"bottom not flat",
         "lg1\n" + Square + "ch 0 0 \"3,0\nch 1000 0 \"3,0\nch 1000 1000 \"3,1\nch 0 1000 \"3,0\n",
         {{K::NotFlat,
           16,
           0,
           0,
           {2, 3, 4, 5},
           -1,
           "temp.txt:2: layer 1/0 at (0, 0): warning: not-flat: this ring's bottom level is not flat: only "
           "the top "
           "slab was made",
           "この輪郭の下端が平面になっていないため、上の床だけを作りました"}}},
        {"duplicate segment",
         " 0 0 1000 0\n 1000 0 0 0\n",
         {{K::DuplicateSegment,
           0,
           1000,
           0,
           {2, 1},
           -1,
           "temp.txt:2: layer 0/0 at (1000, 0): warning: duplicate-segment: the same segment as line 1",
           "1 行目と同じ線です"}}},
        {"duplicate within the tolerance",
         " 0 0 1000 0\n 1000.00005 0.00005 0 0\n",
         {{K::DuplicateSegment,
           0,
           1000.00005f,
           0.00005f,
           {2, 1},
           -1,
           "temp.txt:2: layer 0/0 at (1000.00006, 5e-05): warning: duplicate-segment: the same segment as "
           "line 1",
           "1 行目と同じ線です"}}},
        {"no duplicate beyond the tolerance, but an end on the other",
         " 0 0 1000 0\n 1000.0002 0 0 0\n",
         {{K::EndOnSegment,
           0,
           1000,
           0,
           {1, 2},
           -1,
           "temp.txt:1: layer 0/0 at (1000, 0): " + onSegmentEn("2"),
           onSegment("2")}}},
        {"the example house: the fence's open ends, the terrace and the roof's level edges",
         ExampleHouse(),
         {{K::NoWall,
           3,
           0,
           0,
           {87},
           -1,
           "temp.txt:87: layer 0/3 at (0, 0): " + singleNumbersEn,
           singleNumbers},
          {K::NoWall,
           3,
           10000,
           8000,
           {90},
           -1,
           "temp.txt:90: layer 0/3 at (10000, 8000): " + singleNumbersEn,
           singleNumbers},
          {K::OpenEnd,
           16,
           -3000,
           2000,
           {106},
           -1,
           "temp.txt:106: layer 1/0 at (-3000, 2000): " + openEn,
           open},
          {K::OpenEnd,
           16,
           4000,
           -3000,
           {107},
           -1,
           "temp.txt:107: layer 1/0 at (4000, -3000): " + openEn,
           open},
          {K::OpenEnd,
           16,
           7000,
           -3000,
           {108},
           -1,
           "temp.txt:108: layer 1/0 at (7000, -3000): " + openEn,
           open},
          {K::OpenEnd,
           16,
           13000,
           2000,
           {109},
           -1,
           "temp.txt:109: layer 1/0 at (13000, 2000): " + openEn,
           open},
          {K::NoWall,
           17,
           0,
           0,
           {119},
           -1,
           "temp.txt:119: layer 1/1 at (0, 0): " + singleNumbersEn,
           singleNumbers},
          {K::NoWall,
           17,
           6000,
           0,
           {120},
           -1,
           "temp.txt:120: layer 1/1 at (6000, 0): " + singleNumbersEn,
           singleNumbers},
          {K::NoWall,
           17,
           6000,
           -2000,
           {121},
           -1,
           "temp.txt:121: layer 1/1 at (6000, -2000): " + singleNumbersEn,
           singleNumbers},
          {K::NoWall,
           17,
           0,
           -2000,
           {122},
           -1,
           "temp.txt:122: layer 1/1 at (0, -2000): " + singleNumbersEn,
           singleNumbers}}},
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
            EXPECT_EQ(FindingLine(f), e.Line);
            EXPECT_EQ(f.MessageJa, e.Ja);
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

// The window's rows: one per finding in the check's order, or the warnings or
// the notes alone in the same order; layers named by their group and layer
// names (Shift-JIS decoded) or by number; every kind named in Japanese.
TEST(FindingRows, FollowTheCheckAndFilterBySeverity)
{
    ReleaseFaces();
    TBuildRecord record;
    std::vector<LayerSlot> slots =
        ReadSceneText("lg1\nlgnA\nly2\nlyn\x95\xC7\n 0 0 1000 0\n 1000 0 1000 1000\n"
                      "ch 0 0 250 0 \"3,0\nlg0\nly0\n 5000 0 6000 0\nch 5000 0 250 0 \"3,0\n",
                      &record);
    BuildModel(slots, MaterialTable, &record);
    const std::vector<TFinding> found = CheckPlan(record);
    ASSERT_GE(found.size(), 4u);
    const std::vector<TFindingRow> all = FindingRows(found, record);
    ASSERT_EQ(all.size(), found.size());
    size_t warnings = 0;
    for (size_t i = 0; i < all.size(); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(all[i].Finding, i);
        EXPECT_EQ(all[i].Warning, IsWarning(found[i].Kind));
        EXPECT_EQ(all[i].Severity, all[i].Warning ? "警告" : "注記");
        EXPECT_EQ(all[i].Kind, FindingKindNameJa(found[i].Kind));
        EXPECT_EQ(all[i].Sentence, found[i].MessageJa);
        EXPECT_EQ(all[i].Line, found[i].Lines.front());
        EXPECT_EQ(all[i].Layer, found[i].Slot == 0 ? "0/0" : "A / 壁");
        warnings += all[i].Warning;
    }
    EXPECT_EQ(all.front().Layer, "0/0"); // slots in order
    for (TSeverityFilter filter : {TSeverityFilter::Warnings, TSeverityFilter::Notes})
    {
        const std::vector<TFindingRow> some = FindingRows(found, record, filter);
        const bool wanted = filter == TSeverityFilter::Warnings;
        EXPECT_EQ(some.size(), wanted ? warnings : all.size() - warnings);
        for (size_t i = 0; i < some.size(); ++i)
        {
            EXPECT_EQ(some[i].Warning, wanted);
            EXPECT_TRUE(i == 0 || some[i].Finding > some[i - 1].Finding);
        }
    }
    std::set<std::string> names;
    for (int k = 0; k < FindingKindCount; ++k)
        names.insert(FindingKindNameJa(TFindingKind(k)));
    EXPECT_EQ(names.size(), size_t(FindingKindCount));
    EXPECT_EQ(names.count(""), 0u);
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
