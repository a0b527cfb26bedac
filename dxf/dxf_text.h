#pragma once

#include <iconv.h>

#include <string>

// Converts the texts and layer names of one DXF file into the Shift-JIS
// the interchange file holds. Opened once per file, for its encoding.
struct TTextEncoder
{
    // version and codePage are $ACADVER and $DWGCODEPAGE: files from
    // AutoCAD 2007 (AC1021) on are UTF-8, older ones use their code page.
    TTextEncoder(const std::string& version, const std::string& codePage);
    ~TTextEncoder();
    TTextEncoder(const TTextEncoder&) = delete;
    TTextEncoder& operator=(const TTextEncoder&) = delete;

    iconv_t ToUtf8;              // (iconv_t)-1 when the file is UTF-8 already
    iconv_t ToShiftJis;          // to Windows Shift-JIS (CP932), as the host writes
    long long Unconvertible = 0; // characters given as "?" so far
};

// The text as one interchange text: formatting codes of MTEXT stripped,
// "\U+XXXX" escapes and "%%" codes decoded, line breaks and other control
// characters made blanks, double quotes made full-width, then in Shift-JIS.
std::string ConvertText(TTextEncoder& encoder, const std::string& text, bool mtext);

// The formatting codes of an MTEXT text stripped to its plain UTF-8 text; a
// paragraph break becomes a blank.
std::string StripMTextCodes(const std::string& text);

// "\U+XXXX" escapes replaced by the characters they stand for, in UTF-8.
std::string DecodeUnicodeEscapes(const std::string& text);
