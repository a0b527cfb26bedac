#include "common/shift_jis.h"

#include <iconv.h>

#include <cstdint>
#include <cstdio>

namespace
{

constexpr std::string_view Replacement = "\xEF\xBF\xBD"; // U+FFFD

bool IsLead(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// How many bytes at the front of bytes, which start no character, are bad.
size_t BadLength(std::string_view bytes)
{
    const auto first = static_cast<unsigned char>(bytes[0]);
    const auto second = bytes.size() > 1 ? static_cast<unsigned char>(bytes[1]) : 0;
    return IsLead(first) && second >= 0x80 && second <= 0xFC ? 2 : 1;
}

void AppendBad(std::string& text, std::string_view unit, TBadBytes bad)
{
    if (bad == TBadBytes::Replace)
    {
        text += Replacement;
        return;
    }
    for (unsigned char c : unit)
    {
        char escape[5];
        std::snprintf(escape, sizeof escape, "\\x%02x", c);
        text += escape;
    }
}

} // namespace

std::string ShiftJisToUtf8(std::string_view bytes, TBadBytes bad)
{
    iconv_t converter = iconv_open("UTF-8", "CP932");
    // (iconv_t)-1: no such converter on the system. ASCII is kept then, and
    // every other byte is bad, so the text is still UTF-8.
    const bool converts = reinterpret_cast<intptr_t>(converter) != -1;
    // Every character of code page 932 takes at most 3 bytes in UTF-8.
    std::string buffer(converts ? bytes.size() * 3 : 0, '\0');
    std::string text;
    size_t at = 0;
    while (at < bytes.size())
    {
        if (converts)
        {
            char* in = const_cast<char*>(bytes.data() + at); // iconv's signature; it only reads
            size_t inLeft = bytes.size() - at;
            char* out = buffer.data();
            size_t outLeft = buffer.size();
            // Stops at the first byte that starts no character, or at a lead
            // byte that ends the text.
            iconv(converter, &in, &inLeft, &out, &outLeft);
            text.append(buffer.data(), buffer.size() - outLeft);
            at = bytes.size() - inLeft;
            if (at == bytes.size())
                break;
        }
        else if (static_cast<unsigned char>(bytes[at]) < 0x80)
        {
            text += bytes[at++];
            continue;
        }
        const size_t length = BadLength(bytes.substr(at));
        AppendBad(text, bytes.substr(at, length), bad);
        at += length;
    }
    if (converts)
        iconv_close(converter);
    return text;
}
