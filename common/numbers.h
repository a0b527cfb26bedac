#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Decimal reals as the input files write them: blanks, optional sign, digits
// with an optional "." and fraction, an optional exponent, blanks. "." is the
// point whatever the locale; "nan", "inf" and hexadecimal forms are not
// numbers. Values beyond the double range become infinities or zero.
std::optional<double> ParseDecimal(std::string_view text);

// Strict reading: a text that is not a number raises the conversion error
// naming the text.
double ReadRealStrict(std::string_view text);

// Lenient reading: a text that is not a number gives the fallback.
double ReadRealOr(std::string_view text, double fallback);

// Narrowing to the single precision every stored real is held in. A value
// beyond the single range becomes an infinity, as IEEE narrowing does.
inline float ToSingle(double value)
{
    return static_cast<float>(value);
}

// Whole numbers: optional sign, then decimal digits, or hexadecimal digits
// after "$" or "0x" (not "0X"). The value must fit 32 bits (hexadecimal up to
// FFFFFFFF, taken as its two's-complement value).
std::optional<int32_t> ParseWholeNumber(std::string_view text);
