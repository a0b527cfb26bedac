#include "input/text_lines.h"
#include "tests/input/input_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Lines = std::vector<std::string>;

namespace
{

struct LineCase
{
    std::string Text;
    Lines Expected;
};

const LineCase LineCases[] = {
    {"", {}},
    {"a", {"a"}},
    {"a\n", {"a"}},
    {"a\r\n", {"a"}},
    {"a\r", {"a"}},
    {"\n", {""}},
    {"a\n\n", {"a", ""}},
    {"\r\n\r\n", {"", ""}},
    {"a\r\rb", {"a", "", "b"}},
    {"a\n\rb", {"a", "", "b"}},
    {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
    {"\n\na", {"", "", "a"}},
    {std::string("a\0b\nc", 5), {"a"}},
    {std::string("\0abc", 4), {}},
    {std::string("a\nb\0", 4), {"a", "b"}},
    {std::string("a\n\0\n", 4), {"a"}},
    {std::string("a\r\0\n", 4), {"a"}},
    {"a\tb \x7f ", {"a\tb \x7f "}},
    // Shift-JIS: the second byte of the first character is a backslash.
    {"\x95\x5c\x8e\xa6\n\x82\xa0\x82\xa2", {"\x95\x5c\x8e\xa6", "\x82\xa0\x82\xa2"}},
};

} // namespace

TEST(TextLines, BreaksAtCrLfAndCrLfAndEndsAtNul)
{
    for (const LineCase& c : LineCases)
        EXPECT_EQ(SplitTextLines(c.Text), c.Expected) << "text: [" << c.Text << "]";
}

TEST(TextLines, LinesAfterTheLastNeededAreLeftOut)
{
    EXPECT_EQ(SplitTextLines("a\nb\nc\n", 2), (Lines{"a", "b"}));
    EXPECT_EQ(SplitTextLines("a\n", 2), (Lines{"a"}));
    TempFolder folder;
    EXPECT_EQ(ReadTextLines(folder.Write("many.txt", std::string(1000000, '\n')), 3), (Lines{"", "", ""}));
}

TEST(TextLines, LargeFileIsReadWholeUpToItsNul)
{
    TempFolder folder;
    std::string text;
    for (int i = 0; i < 50000; ++i)
        text += std::to_string(i) + "\r\n";
    std::string withTail = text + std::string(1, '\0') + "after\n";
    Lines lines = ReadTextLines(folder.Write("big.txt", withTail));
    ASSERT_EQ(lines.size(), 50000u);
    EXPECT_EQ(lines.front(), "0");
    EXPECT_EQ(lines.back(), "49999");
    EXPECT_EQ(ReadWholeFile(folder.PathOf("big.txt")), text);
}

TEST(TextLines, FileThatCannotBeOpenedNamesThePath)
{
    TempFolder folder;
    std::string missing = folder.PathOf("missing.txt");
    ExpectError(ErrorOf([&] { ReadTextLines(missing); }), {ErrorKind::FileOpen, missing}, "missing");

    std::filesystem::create_directory(folder.PathOf("dir.txt"));
    ExpectError(ErrorOf([&] { ReadTextLines(folder.PathOf("dir.txt")); }),
                {ErrorKind::FileOpen, folder.PathOf("dir.txt")}, "directory");

    // Permissions do not hold for the superuser.
    if (geteuid() != 0)
    {
        std::string locked = folder.Write("locked.txt", "x");
        std::filesystem::permissions(locked, std::filesystem::perms::none);
        ExpectError(ErrorOf([&] { ReadTextLines(locked); }), {ErrorKind::FileOpen, locked}, "unreadable");
    }
}
