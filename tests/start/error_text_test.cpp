#include "start/error_text.h"

#include <gtest/gtest.h>

namespace
{

// File names and tokens from the host's files reach the error box as UTF-8,
// whichever of the two character sets the host wrote them in.
TEST(ErrorTextTest, InputBytesShowAsUtf8WhetherUtf8OrShiftJis)
{
    struct Case
    {
        std::string Bytes;
        std::string Shown;
    };
    const Case cases[] = {
        {"temp.txt", "temp.txt"},
        {"壁の高さ", "壁の高さ"},
        {"\x95\xC7\x82\xCC\x8D\x82\x82\xB3", "壁の高さ"}, // Shift-JIS
        {"", ""},
        {"1\x82", "1\\x82"},         // a lead byte with no second byte
        {"\xff\xfe", "\\xff\\xfe"},  // neither set
        {"\x95\xC7\xff", "壁\\xff"}, // valid Shift-JIS kept around a stray byte
        {"\xb1\xa0", "ｱ\\xa0"},      // half-width kana; 0xA0 is no character
    };
    for (const Case& c : cases)
        EXPECT_EQ(DisplayBytes(c.Bytes), c.Shown) << c.Shown;
}

TEST(ErrorTextTest, ErrorBoxTextInsertsTheDecodedArgumentAndEndsInAFullStop)
{
    EXPECT_EQ(ErrorDisplayText(FileOpenError("temp.txt")), "ファイル temp.txt は開けません.");
    EXPECT_EQ(ErrorDisplayText(ConversionError("\x82\x50\x82\x4F")),
              "'１０' is not a valid floating point value.");
    EXPECT_EQ(ErrorDisplayText(ListIndexError(10)), "リストのインデックスが範囲を超えています (10)");
}

} // namespace
