#pragma once

#include <array>
#include <optional>
#include <string_view>

// Values of the companion's picture options. Each gives nothing when the text
// is malformed or out of range.

// "WxH": whole numbers of pixels, 16 to 8192 each.
std::optional<std::array<int, 2>> ParsePictureSize(std::string_view text);

// "X,Y,H": three decimal reals, plan x and y and a height in metres, whose
// stored values (y negated, height times 1000, single precision) are finite.
std::optional<std::array<double, 3>> ParseViewPoint(std::string_view text);

// One finite decimal real.
std::optional<double> ParseDegrees(std::string_view text);

// 1 or 4: the rasterizer offers no other sample counts.
std::optional<int> ParseSampleCount(std::string_view text);

// "G/L": a layer of a group, whole numbers 0 to 15 each; gives its slot,
// group * 16 + layer.
std::optional<int> ParseLayerNumber(std::string_view text);

// A height in metres, as height texts write it; gives the height as the
// model stores it (times 1000, single precision), which must be finite.
std::optional<float> ParseCutHeight(std::string_view text);
