#include "tools/picture_options.h"

#include "common/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace
{

constexpr int SmallestSide = 16;
constexpr int LargestSide = 8192;

std::optional<int> ParseDigits(std::string_view text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return std::nullopt;
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

// A decimal real with no blanks around it, finite also in single precision.
std::optional<double> ParseFiniteReal(std::string_view text, double storedScale)
{
    if (text.empty() || text.front() <= ' ' || text.back() <= ' ')
        return std::nullopt;
    std::optional<double> value = ParseDecimal(text);
    if (!value || !std::isfinite(ToSingle(*value * storedScale)))
        return std::nullopt;
    return value;
}

} // namespace

std::optional<std::array<int, 2>> ParsePictureSize(std::string_view text)
{
    const size_t x = text.find('x');
    if (x == std::string_view::npos)
        return std::nullopt;
    std::optional<int> width = ParseDigits(text.substr(0, x));
    std::optional<int> height = ParseDigits(text.substr(x + 1));
    for (const std::optional<int>& side : {width, height})
        if (!side || *side < SmallestSide || *side > LargestSide)
            return std::nullopt;
    return std::array<int, 2>{*width, *height};
}

std::optional<std::array<double, 3>> ParseViewPoint(std::string_view text)
{
    std::array<double, 3> point = {};
    for (size_t i = 0; i < point.size(); ++i)
    {
        const size_t comma = i + 1 < point.size() ? text.find(',') : text.size();
        if (comma == std::string_view::npos)
            return std::nullopt;
        // Heights are stored in thousandths of a metre.
        std::optional<double> value = ParseFiniteReal(text.substr(0, comma), i == 2 ? 1000 : 1);
        if (!value)
            return std::nullopt;
        point[i] = *value;
        text.remove_prefix(std::min(comma + 1, text.size()));
    }
    return point;
}

std::optional<double> ParseDegrees(std::string_view text)
{
    return ParseFiniteReal(text, 1);
}

std::optional<int> ParseSampleCount(std::string_view text)
{
    std::optional<int> samples = ParseDigits(text);
    if (samples != 1 && samples != 4)
        return std::nullopt;
    return samples;
}

std::optional<int> ParseLayerNumber(std::string_view text)
{
    const size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    std::optional<int> group = ParseDigits(text.substr(0, slash));
    std::optional<int> layer = ParseDigits(text.substr(slash + 1));
    if (!group || !layer || *group > 15 || *layer > 15)
        return std::nullopt;
    return *group * 16 + *layer;
}

std::optional<float> ParseCutHeight(std::string_view text)
{
    std::optional<double> metres = ParseFiniteReal(text, 1000);
    if (!metres)
        return std::nullopt;
    return ToSingle(*metres * 1000);
}
