#include "input/input_tables.h"
#include "input/material_files.h"
#include "tests/input/input_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

const TMaterialEntry Grey = DefaultMaterialEntry;
constexpr TMaterialEntry Zero = {};

// A "material.txt" whose entry lines all hold entryLine.
std::string MaterialText(const std::string& entryLine, const std::string& background)
{
    std::string text = "\x8d\xde\x8e\xbf heading\r\n";
    for (int i = 1; i <= 9; ++i)
        text += entryLine + "\r\n";
    return text + background + "\r\n";
}

// A "material2.txt" of lineCount lines: heading lines hold numbers that must
// not be read, line i holds the red value i / 100.
std::string Material2Text(int lineCount)
{
    std::string text;
    for (int i = 0; i < lineCount; ++i)
        text += (i % 10 == 0 ? "7,7,7" : std::to_string(i / 100.0) + ",0,0") + "\n";
    return text;
}

const TMaterialEntry& Entry(int number)
{
    return MaterialTable[number - 1];
}

} // namespace

TEST(MaterialFiles, EntryLinesFallBackFieldByField)
{
    struct Case
    {
        std::string Line;
        TMaterialEntry Expected;
    };
    const Case cases[] = {
        {"", Grey},
        {"   ", Grey},
        {"1,0,0", {1, 0, 0, 0.5f, 0.5f, 0, 0}},
        {"1 0 0", {1, 0, 0, 0.5f, 0.5f, 0, 0}},
        {" 1 , 0 ,0 ", {1, 0, 0, 0.5f, 0.5f, 0, 0}},
        {"1\t0\t0", {1, 0, 0, 0.5f, 0.5f, 0, 0}},
        {"red,0.2", {0.5f, 0.2f, 0.5f, 0.5f, 0.5f, 0, 0}},
        {"0.1,,0.3", {0.1f, 0.5f, 0.3f, 0.5f, 0.5f, 0, 0}},
        {"0.1,0.2,0.3,0.4,0.5,0.6,0.7,0.8", {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f}},
        {"2,-1,1e1", {2, -1, 10, 0.5f, 0.5f, 0, 0}}, // no range check
        {"\"0.25\",.5", {0.25f, 0.5f, 0.5f, 0.5f, 0.5f, 0, 0}},
        {"0.1,0.2,0.3,0.4,0.5,,", {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0, 0}},
        {"\x82\x4f,0.2", {0.5f, 0.2f, 0.5f, 0.5f, 0.5f, 0, 0}},
    };
    TempFolder folder;
    for (const Case& c : cases)
    {
        ResetInputTables();
        LoadMaterial(folder.Write("material.txt", MaterialText(c.Line, "0,0,0")));
        for (int number = 1; number <= 9; ++number)
            EXPECT_EQ(Entry(number), c.Expected) << "[" << c.Line << "] entry " << number;
        EXPECT_EQ(Entry(10), Zero);
    }
}

TEST(MaterialFiles, BackgroundTakesWholeNumbersOrWhite)
{
    struct Case
    {
        std::string Line;
        std::array<int32_t, 3> Expected;
    };
    const Case cases[] = {
        {"0,0,0", {0, 0, 0}},          {"12.5,0,0", {255, 0, 0}},       {"", {255, 255, 255}},
        {"1,2", {1, 2, 255}},          {"1 2 3 4", {1, 2, 3}},          {"$ff,0x10,-3", {255, 16, -3}},
        {"300,,abc", {300, 255, 255}}, {"9999999999,1,1", {255, 1, 1}},
    };
    TempFolder folder;
    for (const Case& c : cases)
    {
        LoadMaterial(folder.Write("material.txt", MaterialText("", c.Line)));
        EXPECT_EQ(BackgroundColor, c.Expected) << "[" << c.Line << "]";
    }
}

TEST(MaterialFiles, ShortMaterialFileFailsAtTheFirstMissingLine)
{
    std::string tenLines = MaterialText("0.1", "1,1,1");
    tenLines.resize(tenLines.size() - std::string("1,1,1\r\n").size());
    struct Case
    {
        std::string Text;
        std::string MissingLine;
        int FilledEntries;
    };
    const Case cases[] = {
        {"", "1", 0},
        {"heading", "1", 0},
        {"h\n0.1\n0.2\n", "3", 2},
        {tenLines, "10", 9},
    };
    TempFolder folder;
    for (const Case& c : cases)
    {
        ResetInputTables();
        std::string path = folder.Write("material.txt", c.Text);
        ExpectError(ErrorOf([&] { LoadMaterial(path); }), {ErrorKind::ListIndex, c.MissingLine}, c.Text);
        for (int number = 1; number <= 9; ++number)
            EXPECT_EQ(Entry(number) != Zero, number <= c.FilledEntries) << c.Text << " entry " << number;
        EXPECT_EQ(BackgroundColor, (std::array<int32_t, 3>{0, 0, 0}));
    }
}

TEST(MaterialFiles, FilesThatCannotBeOpenedNameThePath)
{
    TempFolder folder;
    ResetInputTables();
    std::string missing = folder.PathOf("material.txt");
    ExpectError(ErrorOf([&] { LoadMaterial(missing); }), {ErrorKind::FileOpen, missing}, "missing");
    std::filesystem::create_directory(missing);
    ExpectError(ErrorOf([&] { LoadMaterial(missing); }), {ErrorKind::FileOpen, missing}, "directory");

    // A folder of that name is no absent file: it cannot be opened.
    std::string folderNamed = folder.PathOf("material2.txt");
    std::filesystem::create_directory(folderNamed);
    ExpectError(ErrorOf([&] { LoadMaterial2(folderNamed); }), {ErrorKind::FileOpen, folderNamed},
                "directory 2");
    EXPECT_EQ(Entry(10), Zero);
}

TEST(MaterialFiles, AbsentSecondFileCopiesLineTypeOne)
{
    TempFolder folder;
    ResetInputTables();
    std::string text = "h\n";
    for (int i = 1; i <= 9; ++i)
        text += "0." + std::to_string(i) + ",0,1,2,3,4,5\n";
    LoadMaterial(folder.Write("material.txt", text + "\n"));
    LoadMaterial2(folder.PathOf("material2.txt"));
    for (int type = 2; type <= 9; ++type)
        for (int color = 1; color <= 9; ++color)
            EXPECT_EQ(Entry((type - 1) * 9 + color), Entry(color)) << type << " " << color;
    EXPECT_EQ(Entry(39)[0], 0.3f);
    EXPECT_EQ(Entry(81)[6], 5);
}

TEST(MaterialFiles, SecondFileFillsLineTypesTwoToNine)
{
    TempFolder folder;
    ResetInputTables();
    LoadMaterial2(folder.Write("material2.txt", Material2Text(80)));
    EXPECT_EQ(Entry(9), Zero);
    EXPECT_EQ(Entry(10)[0], 0.01f);
    EXPECT_EQ(Entry(18)[0], 0.09f);
    EXPECT_EQ(Entry(19)[0], 0.11f);
    EXPECT_EQ(Entry(81)[0], 0.79f);
    EXPECT_EQ(Entry(81)[3], 0.5f);
    for (int number = 10; number <= 81; ++number)
        EXPECT_NE(Entry(number)[0], 7) << "heading read into entry " << number;

    // Lines from 80 on are not read.
    LoadMaterial2(folder.Write("material2.txt", Material2Text(80) + "\x8c\xa9\x8f\x6f\n0.5\n"));
    EXPECT_EQ(Entry(81)[0], 0.79f);
}

TEST(MaterialFiles, ShortSecondFileFailsAtTheFirstMissingLine)
{
    TempFolder folder;
    ResetInputTables();
    std::string path = folder.Write("material2.txt", Material2Text(79));
    ExpectError(ErrorOf([&] { LoadMaterial2(path); }), {ErrorKind::ListIndex, "79"}, "79 lines");
    EXPECT_EQ(Entry(80)[0], 0.78f);
    EXPECT_EQ(Entry(81), Zero);

    path = folder.Write("material2.txt", "");
    ExpectError(ErrorOf([&] { LoadMaterial2(path); }), {ErrorKind::ListIndex, "1"}, "empty");
}
