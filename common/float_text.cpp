#include "common/float_text.h"

#include <charconv>

std::string ShortestText(float value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string ShortestFixedText(float value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return std::string(text, result.ptr);
}

double ShortestDouble(float value)
{
    const std::string text = ShortestText(value);
    double result = value;
    std::from_chars(text.data(), text.data() + text.size(), result);
    return result;
}
