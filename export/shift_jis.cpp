#include "export/shift_jis.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

namespace
{

constexpr std::string_view Replacement = "\xEF\xBF\xBD"; // U+FFFD

// Without a converter on the system, ASCII is kept and every other byte
// replaced, so the text is still UTF-8.
std::string AsciiOnly(std::string_view bytes)
{
    std::string text;
    for (char c : bytes)
    {
        if (static_cast<unsigned char>(c) < 0x80)
            text += c;
        else
            text += Replacement;
    }
    return text;
}

} // namespace

std::string ShiftJisToUtf8(std::string_view bytes)
{
    iconv_t converter = iconv_open("UTF-8", "CP932");
    if (reinterpret_cast<intptr_t>(converter) == -1) // (iconv_t)-1: no such converter
        return AsciiOnly(bytes);
    // Every character of code page 932 takes at most 3 bytes in UTF-8.
    std::string buffer(bytes.size() * 3, '\0');
    std::string text;
    char* in = const_cast<char*>(bytes.data()); // iconv's signature; it only reads
    size_t inLeft = bytes.size();
    while (inLeft > 0)
    {
        char* out = buffer.data();
        size_t outLeft = buffer.size();
        const size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
        const int error = errno;
        text.append(buffer.data(), buffer.size() - outLeft);
        if (result != static_cast<size_t>(-1) || (error != EILSEQ && error != EINVAL))
            break;
        // A byte that starts no character, or a lead byte with no valid
        // second byte (or none at all): that one byte is replaced.
        text += Replacement;
        ++in;
        --inLeft;
    }
    iconv_close(converter);
    return text;
}
