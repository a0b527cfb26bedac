#include "input/line_splitting.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

using Texts = std::vector<std::string_view>;

TEST(SplitOnBlanks, OnlyTheBlankSeparatesAndALeadingBlankIsAToken)
{
    struct Case
    {
        std::string Text;
        Texts Expected;
    };
    const Case cases[] = {
        {" 10 20 30 40", {" ", "10", "20", "30", "40"}},
        {"lg3", {"lg3"}},
        {"", {}},
        {"   ", {" "}},
        {"  x  y ", {" ", "x", "y"}},
        {"a\tb c", {"a\tb", "c"}},
        {"\tx", {"\tx"}},
        {"ch 1 2 \"\x95\x5c \x8e\xa6", {"ch", "1", "2", "\"\x95\x5c", "\x8e\xa6"}},
    };
    for (const Case& c : cases)
    {
        Texts list;
        EXPECT_EQ(SplitOnBlanks(c.Text, list), static_cast<int>(c.Expected.size())) << "[" << c.Text << "]";
        EXPECT_EQ(list, c.Expected) << "[" << c.Text << "]";
    }
}

TEST(SplitOnChar, KeepsTheNonEmptyPiecesBetweenSeparators)
{
    struct Case
    {
        std::string Text;
        char Separator;
        Texts Expected;
    };
    const Case cases[] = {
        {"ch 1 2 3 4 \"abc", '"', {"ch 1 2 3 4 ", "abc"}},
        {"a\"\"b", '"', {"a", "b"}},
        {"\"a\"", '"', {"a"}},
        {"\"\"", '"', {}},
        {"", '"', {}},
        {"a,b,,c,", ',', {"a", "b", "c"}},
        {"abc", '\0', {}},
    };
    for (const Case& c : cases)
    {
        Texts list;
        EXPECT_EQ(SplitOnChar(c.Text, c.Separator, list), static_cast<int>(c.Expected.size())) << c.Text;
        EXPECT_EQ(list, c.Expected) << "[" << c.Text << "]";
    }
}

TEST(SplitOnBlanks, AppendsToTheListAndCountsAllItsEntries)
{
    Texts list = {"kept"};
    EXPECT_EQ(SplitOnBlanks("a b", list), 3);
    EXPECT_EQ(SplitOnChar("x\"y", '"', list), 5);
    EXPECT_EQ(list, (Texts{"kept", "a", "b", "x", "y"}));
    // Nothing to split counts as nothing, whatever the list holds.
    EXPECT_EQ(SplitOnBlanks("", list), 0);
    EXPECT_EQ(SplitOnChar("x", '\0', list), 0);
    // Separators alone append nothing, and the count is still the list's.
    EXPECT_EQ(SplitOnChar("\"\"", '"', list), 5);
    EXPECT_EQ(list.size(), 5u);
}

TEST(SplitOnBlanks, ViewsStopAtTheLimit)
{
    Texts list;
    EXPECT_EQ(SplitOnBlanks(" 1 2 3 4 5 6", list, 3), 3);
    EXPECT_EQ(list, (Texts{" ", "1", "2"}));
    list.clear();
    EXPECT_EQ(SplitOnChar("a\"b\"c\"d", '"', list, 2), 2);
    EXPECT_EQ(list, (Texts{"a", "b"}));
}
