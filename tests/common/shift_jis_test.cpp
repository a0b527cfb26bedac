#include "common/shift_jis.h"

#include <gtest/gtest.h>

namespace
{

// Code page 932 as Windows writes it, and what each policy makes of the
// bytes that are no character of it.
TEST(ShiftJis, DecodesCodePage932AndTreatsBadBytesByPolicy)
{
    struct Case
    {
        const char* Name;
        std::string Bytes;
        std::string Escaped;
        std::string Replaced;
    };
    const std::string r = "\xEF\xBF\xBD"; // U+FFFD
    const Case cases[] = {
        {"empty", "", "", ""},
        {"ASCII, backslash and tilde as they are", "C:\\a~b", "C:\\a~b", "C:\\a~b"},
        {"kanji and hiragana", "\x95\xC7\x82\xCC", "壁の", "壁の"},
        {"half-width katakana", "\xB1\xDF", "ｱﾟ", "ｱﾟ"},
        {"Windows' own mappings", "\x81\x60\x81\x5F\x81\x7C", "～＼－", "～＼－"},
        {"NEC special row", "\x87\x40\x87\x90", "①≒", "①≒"},
        {"NEC-selected IBM extension", "\xED\x40", "纊", "纊"},
        {"IBM extension", "\xFA\x40\xFC\x4B", "ⅰ黑", "ⅰ黑"},
        {"user-defined area", "\xF0\x40", "\xEE\x80\x80", "\xEE\x80\x80"},
        {"lone lead byte at the end", "1\x82", "1\\x82", "1" + r},
        {"lead byte before a blank", "\x82 a", "\\x82 a", r + " a"},
        {"lead byte before DEL", "\x81\x7F", "\\x81\x7F", r + "\x7F"},
        {"lead byte before a byte of no pair", "\x82\xFD", "\\x82\\xfd", r + r},
        {"unassigned pair, ASCII second byte kept", "\x85\x40", "\\x85@", r + "@"},
        {"unassigned pair, second byte not read as kana", "\x85\xB1", "\\x85\\xb1", r},
        {"bytes that are no character", "\x80\xA0\xFD\xFE\xFF", "\\x80\\xa0\\xfd\\xfe\\xff",
         r + r + r + r + r},
        {"good text around a bad byte", "\x95\xC7\xFF\x95\xC7", "壁\\xff壁", "壁" + r + "壁"},
        {"bad bytes after good ones keep their place", "\xB1\xA0", "ｱ\\xa0", "ｱ" + r},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(ShiftJisToUtf8(c.Bytes, TBadBytes::Escape), c.Escaped) << c.Name;
        EXPECT_EQ(ShiftJisToUtf8(c.Bytes, TBadBytes::Replace), c.Replaced) << c.Name;
    }
}

} // namespace
