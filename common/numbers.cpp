#include "common/numbers.h"

#include "common/errors.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace
{

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

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

// The digits of a decimal text as a whole number and the power of ten that
// scales it; exact while Digits, which counts them all, is at most 19.
struct DecimalParts
{
    uint64_t Mantissa = 0;
    int Digits = 0;
    long long Exponent = 0;
};

// Adds the digits from pos on to parts and returns where they end.
const char* TakeDigits(const char* pos, const char* end, DecimalParts& parts)
{
    uint64_t mantissa = parts.Mantissa;
    int digits = parts.Digits;
    for (; pos < end && IsDigit(*pos); ++pos, ++digits)
        if (digits < 19)
            mantissa = mantissa * 10 + static_cast<uint64_t>(*pos - '0');
    parts.Mantissa = mantissa;
    parts.Digits = digits;
    return pos;
}

// True when text is exactly: sign? (digits ["." digits?] | "." digits) [e sign? digits]
bool MatchesDecimalGrammar(std::string_view text, DecimalParts& parts)
{
    const char* pos = text.data();
    const char* end = pos + text.size();
    if (pos < end && (*pos == '+' || *pos == '-'))
        ++pos;
    const char* whole = pos;
    pos = TakeDigits(pos, end, parts);
    long long digits = pos - whole;
    if (pos < end && *pos == '.')
    {
        const char* fraction = ++pos;
        pos = TakeDigits(pos, end, parts);
        parts.Exponent -= pos - fraction;
        digits += pos - fraction;
    }
    if (digits == 0)
        return false;
    if (pos < end && (*pos == 'e' || *pos == 'E'))
    {
        ++pos;
        bool negative = pos < end && *pos == '-';
        if (pos < end && (*pos == '+' || *pos == '-'))
            ++pos;
        const char* exponentStart = pos;
        long long exponent = 0;
        for (; pos < end && IsDigit(*pos); ++pos)
            exponent = std::min(exponent * 10 + (*pos - '0'), 1000000LL);
        if (pos == exponentStart)
            return false;
        parts.Exponent += negative ? -exponent : exponent;
    }
    return pos == end;
}

// Up to 15 significant digits scaled by at most 22 powers of ten: both are
// exact doubles, so one multiplication or division rounds as correctly as the
// full conversion does, at a fraction of its cost.
bool ConvertShort(const DecimalParts& parts, double& value)
{
    static constexpr double ExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                  1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (parts.Digits > 15 || parts.Exponent < -22 || parts.Exponent > 22)
        return false;
    double mantissa = static_cast<double>(parts.Mantissa);
    value = parts.Exponent < 0 ? mantissa / ExactPowersOfTen[-parts.Exponent]
                               : mantissa * ExactPowersOfTen[parts.Exponent];
    return true;
}

// Converts a text that matches the grammar. from_chars is fast and knows no
// locale; the rare values beyond the double range go through strtod in the
// "C" locale, which gives the infinity or zero those take.
double ConvertValidated(std::string_view text)
{
    std::string_view digits = text.front() == '+' ? text.substr(1) : text;
    double value = 0;
    std::from_chars_result result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ec == std::errc())
        return value;
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return strtod_l(std::string(text).c_str(), nullptr, cLocale);
}

// ParseDecimal with the value handed back through a reference: the readers
// call it for every coordinate, and a returned optional<double> is written as
// a byte and read back as a word, which stalls the processor on each call.
bool ReadDecimal(std::string_view text, double& value)
{
    text = TrimSpaces(text);
    DecimalParts parts;
    if (!MatchesDecimalGrammar(text, parts))
        return false;
    if (ConvertShort(parts, value))
    {
        if (text.front() == '-')
            value = -value;
        return true;
    }
    value = ConvertValidated(text);
    return true;
}

} // namespace

std::optional<double> ParseDecimal(std::string_view text)
{
    double value = 0;
    if (!ReadDecimal(text, value))
        return std::nullopt;
    return value;
}

double ReadRealStrict(std::string_view text)
{
    double value = 0;
    if (!ReadDecimal(text, value))
        throw ConversionError(text);
    return value;
}

double ReadRealOr(std::string_view text, double fallback)
{
    double value = 0;
    return ReadDecimal(text, value) ? value : fallback;
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
    else if (text.starts_with("0x"))
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
