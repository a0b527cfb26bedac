#include "numbers.h"

#include "errors.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace
{

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string_view TrimSpaces(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// True when text is exactly: sign? (digits ["." digits?] | "." digits) [e sign? digits]
bool MatchesDecimalGrammar(std::string_view text)
{
    size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        ++pos;
    size_t digits = 0;
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos, ++digits;
    if (pos < text.size() && text[pos] == '.')
    {
        ++pos;
        while (pos < text.size() && IsDigit(text[pos]))
            ++pos, ++digits;
    }
    if (digits == 0)
        return false;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E'))
    {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
            ++pos;
        size_t exponentDigits = 0;
        while (pos < text.size() && IsDigit(text[pos]))
            ++pos, ++exponentDigits;
        if (exponentDigits == 0)
            return false;
    }
    return pos == text.size();
}

// strtod in the "C" locale, so the point is "." whatever the user's locale.
double ConvertValidated(const std::string& text)
{
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return strtod_l(text.c_str(), nullptr, cLocale);
}

} // namespace

std::optional<double> ParseDecimal(std::string_view text)
{
    text = TrimSpaces(text);
    if (!MatchesDecimalGrammar(text))
        return std::nullopt;
    return ConvertValidated(std::string(text));
}

double ReadRealStrict(std::string_view text)
{
    std::optional<double> value = ParseDecimal(text);
    if (!value)
        throw ConversionError(text);
    return *value;
}

double ReadRealOr(std::string_view text, double fallback)
{
    return ParseDecimal(text).value_or(fallback);
}

std::optional<int32_t> ParseWholeNumber(std::string_view text)
{
    text = TrimSpaces(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
    {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$')
    {
        base = 16;
        text.remove_prefix(1);
    }
    else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;

    const uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 2147483648ull : 2147483647ull);
    uint64_t magnitude = 0;
    for (char c : text)
    {
        int digit = base == 16 ? HexValue(c) : (IsDigit(c) ? c - '0' : -1);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    uint32_t bits = static_cast<uint32_t>(magnitude);
    if (negative)
        bits = 0u - bits;
    return static_cast<int32_t>(bits);
}
