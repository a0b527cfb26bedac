#include "dxf/dxf_text.h"

#include <cerrno>
#include <cstdint>

namespace
{

// iconv_open's failure value, also standing for "no conversion needed".
const iconv_t NoConversion = reinterpret_cast<iconv_t>(-1); // NOLINT(performance-no-int-to-ptr)

// The iconv name of a $DWGCODEPAGE value such as ANSI_1252 or DOS850.
std::string IconvName(const std::string& codePage)
{
    std::string upper;
    for (char c : codePage)
        upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    if (upper == "UTF-8" || upper == "UTF8")
        return "UTF-8";
    for (const char* prefix : {"ANSI_", "DOS"})
    {
        std::string start = prefix;
        if (upper.compare(0, start.size(), start) == 0 && upper.size() > start.size())
            return "CP" + upper.substr(start.size());
    }
    if (upper == "MAC_ROMAN")
        return "MACINTOSH";
    return "CP1252";
}

void AppendUtf8(std::string& out, uint32_t code)
{
    if (code < 0x80)
        out += static_cast<char>(code);
    else if (code < 0x800)
    {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    else if (code < 0x10000)
    {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool IsHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Runs text through an iconv conversion; a sequence it cannot take becomes
// "?" (one input byte skipped, or one UTF-8 character when fromUtf8).
std::string Convert(iconv_t conversion, const std::string& text, bool fromUtf8, long long& unconvertible)
{
    std::string out;
    iconv(conversion, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char buffer[1024];
    while (inLeft > 0)
    {
        char* outPointer = buffer;
        size_t outLeft = sizeof buffer;
        size_t result = iconv(conversion, &in, &inLeft, &outPointer, &outLeft);
        out.append(buffer, outPointer);
        if (result != static_cast<size_t>(-1) || errno == E2BIG)
            continue;
        // EILSEQ or EINVAL: skip the character that cannot be converted.
        size_t skip = 1;
        if (fromUtf8)
            while (skip < inLeft && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80)
                skip++;
        in += skip;
        inLeft -= skip;
        out += '?';
        unconvertible++;
        iconv(conversion, nullptr, nullptr, nullptr, nullptr);
    }
    char* outPointer = buffer;
    size_t outLeft = sizeof buffer;
    iconv(conversion, nullptr, nullptr, &outPointer, &outLeft);
    out.append(buffer, outPointer);
    return out;
}

// "%%d" and its kin of TEXT entities, and the characters the interchange
// line cannot hold.
std::string PlainCharacters(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); i++)
    {
        char c = text[i];
        if (c == '%' && i + 2 < text.size() && text[i + 1] == '%')
        {
            char code = text[i + 2];
            const char* replacement = nullptr;
            switch (code)
            {
            case 'd':
            case 'D':
                replacement = "\u00B0";
                break;
            case 'p':
            case 'P':
                replacement = "\u00B1";
                break;
            case 'c':
            case 'C':
                replacement = "\u03C6";
                break; // the diameter sign Japanese drawings use
            case '%':
                replacement = "%";
                break;
            case 'u':
            case 'U':
            case 'o':
            case 'O':
            case 'k':
            case 'K':
                replacement = "";
                break;
            default:
                break;
            }
            if (replacement)
            {
                out += replacement;
                i += 2;
                continue;
            }
        }
        if (c == '"')
            out += "\u201D"; // a quote would end the text in the interchange line
        else if (static_cast<unsigned char>(c) < 32 || c == 127)
            out += ' '; // a line break would start a new record
        else
            out += c;
    }
    return out;
}

} // namespace

TTextEncoder::TTextEncoder(const std::string& version, const std::string& codePage)
{
    // A file that names neither (written by hand or by a small program) is
    // taken as UTF-8, as text files are today.
    bool utf8 =
        version >= "AC1021" || IconvName(codePage) == "UTF-8" || (version.empty() && codePage.empty());
    ToUtf8 = utf8 ? NoConversion : iconv_open("UTF-8", IconvName(codePage).c_str());
    if (!utf8 && ToUtf8 == NoConversion)
        ToUtf8 = iconv_open("UTF-8", "CP1252");
    ToShiftJis = iconv_open("CP932", "UTF-8");
    if (ToShiftJis == NoConversion)
        ToShiftJis = iconv_open("SHIFT_JIS", "UTF-8");
}

TTextEncoder::~TTextEncoder()
{
    if (ToUtf8 != NoConversion)
        iconv_close(ToUtf8);
    if (ToShiftJis != NoConversion)
        iconv_close(ToShiftJis);
}

std::string DecodeUnicodeEscapes(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); i++)
    {
        if (text.compare(i, 3, "\\U+") == 0 && i + 7 <= text.size() && IsHex(text[i + 3]) &&
            IsHex(text[i + 4]) && IsHex(text[i + 5]) && IsHex(text[i + 6]))
        {
            AppendUtf8(out, static_cast<uint32_t>(std::stoul(text.substr(i + 3, 4), nullptr, 16)));
            i += 6;
            continue;
        }
        out += text[i];
    }
    return out;
}

std::string StripMTextCodes(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); i++)
    {
        char c = text[i];
        if (c == '{' || c == '}')
            continue;
        if (c != '\\' || i + 1 == text.size())
        {
            out += c;
            continue;
        }
        char code = text[++i];
        switch (code)
        {
        case 'P':
        case 'N':
        case 'X':
        case '~':
            out += ' '; // paragraph, column or line break, hard space
            break;
        case '\\':
        case '{':
        case '}':
            out += code;
            break;
        case 'S': // stacked fraction a^b, a/b or a#b, shown as a/b
            for (i++; i < text.size() && text[i] != ';'; i++)
                out += (text[i] == '^' || text[i] == '#') ? '/' : text[i];
            break;
        case 'A':
        case 'C':
        case 'c':
        case 'F':
        case 'f':
        case 'H':
        case 'h':
        case 'Q':
        case 'q':
        case 'T':
        case 't':
        case 'W':
        case 'w':
        case 'p':
            while (i < text.size() && text[i] != ';') // a code with a value up to ";"
                i++;
            break;
        case 'L':
        case 'l':
        case 'O':
        case 'o':
        case 'K':
        case 'k':
            break; // under-, over- and strike-through lines
        default:
            out += code;
            break;
        }
    }
    return out;
}

std::string ConvertText(TTextEncoder& encoder, const std::string& text, bool mtext)
{
    std::string utf8 =
        encoder.ToUtf8 == NoConversion ? text : Convert(encoder.ToUtf8, text, false, encoder.Unconvertible);
    utf8 = DecodeUnicodeEscapes(utf8);
    if (mtext)
        utf8 = StripMTextCodes(utf8);
    utf8 = PlainCharacters(utf8);
    if (encoder.ToShiftJis == NoConversion)
        return utf8;
    return Convert(encoder.ToShiftJis, utf8, true, encoder.Unconvertible);
}
