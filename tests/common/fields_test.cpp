#include "common/fields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Fields = std::vector<std::string>;

struct FieldCase
{
    std::string Text;
    Fields Expected;
};

TEST(SplitCommaFields, CutsLikeTheHostsCommaText)
{
    const FieldCase cases[] = {
        {"", {}},
        {"   ", {}},
        {"2.4,0.3", {"2.4", "0.3"}},
        {"2.4 0.3", {"2.4", "0.3"}},
        {" 2.4 , 0.3 ", {"2.4", "0.3"}},
        {"2.4,", {"2.4", ""}},
        {"2.4, ", {"2.4"}}, // only a comma that is the very last character adds a field
        {"1,,3", {"1", "", "3"}},
        {",", {"", ""}},
        {",,", {"", "", ""}},
        {"a\tb", {"a", "b"}},
        {"\"a, b\",c", {"a, b", "c"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"\"open", {"open"}},
        {"\x95\x94\x89\xae,1", {"\x95\x94\x89\xae", "1"}}, // Shift-JIS bytes stay in the field
        {std::string("1,2\0,3", 6), {"1", "2"}},           // a NUL ends the text
    };
    // The kept list carries the previous case's fields into each cut.
    Fields kept = {"left", "over", "from", "before", "x", "y", "z"};
    for (const FieldCase& c : cases)
    {
        EXPECT_EQ(SplitCommaFields(c.Text), c.Expected) << "text: [" << c.Text << "]";
        SplitCommaFields(c.Text, kept, SIZE_MAX);
        EXPECT_EQ(kept, c.Expected) << "kept list, text: [" << c.Text << "]";
    }
}

TEST(TrimControl, RemovesControlCharactersAndBlanksAtBothEnds)
{
    EXPECT_EQ(TrimControl(" \t2.5\r "), "2.5");
    EXPECT_EQ(TrimControl("\x01\x1f"), "");
    EXPECT_EQ(TrimControl("a b"), "a b");
}

TEST(SplitCommaFields, StopsAfterTheFieldsAReaderLooksAt)
{
    EXPECT_EQ(SplitCommaFields("1,2,3,4", 2), (Fields{"1", "2"}));
    EXPECT_EQ(SplitCommaFields("1,", 1), (Fields{"1"}));
    EXPECT_EQ(SplitCommaFields("1,", 2), (Fields{"1", ""}));
    EXPECT_EQ(SplitCommaFields("\"a,b\" c", 1), (Fields{"a,b"}));
    EXPECT_EQ(SplitCommaFields(std::string(100000, ','), 7).size(), 7u);
}
