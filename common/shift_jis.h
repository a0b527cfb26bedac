#pragma once

#include <string>
#include <string_view>

// What a byte or pair that is no character becomes.
enum class TBadBytes
{
    Replace, // U+FFFD, for files that must hold UTF-8
    Escape,  // \xHH for each byte, so that a message names the bytes it came from
};

// Shift-JIS as Windows writes it (code page 932) as UTF-8. A lead byte and
// a second byte of 0x80 or more that together are no character are one bad
// unit; a lead byte before an ASCII byte is bad alone, and the ASCII byte
// stands for itself. 0x80, 0xA0 and 0xFD to 0xFF are no character.
std::string ShiftJisToUtf8(std::string_view bytes, TBadBytes bad);
