#pragma once

#include <array>
#include <cstdint>

// Seven values per entry: red, green, blue (0 to 1) and four further values
// that travel with the face but do not change the picture.
using TMaterialEntry = std::array<float, 7>;

// Entries 1 to 81, one per line type (1 to 9) and line colour (1 to 9), held
// at positions 0 to 80.
inline constexpr int MaterialEntryCount = 81;
using TMaterialTable = std::array<TMaterialEntry, MaterialEntryCount>;

// The material index of a line type and a line colour: 1 to 81 for types
// and colours of 1 to 9, each type taking nine indexes in a row.
constexpr int32_t MaterialIndex(int lineType, int lineColor)
{
    return (lineType - 1) * 9 + lineColor;
}

// The line type and the line colour of a material index from 1 to 81.
struct TLineStyle
{
    int LineType = 1;
    int LineColor = 1;
};
constexpr TLineStyle LineStyleOf(int32_t index)
{
    return {(index - 1) / 9 + 1, (index - 1) % 9 + 1};
}

// The values an empty entry line gives: a mid grey.
inline constexpr TMaterialEntry DefaultMaterialEntry = {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f};

// The entry a face of material index `index` takes. Line types or colours
// outside 1 to 9 can give an index with no entry; such faces are mid grey.
inline const TMaterialEntry& MaterialEntryFor(const TMaterialTable& table, int32_t index)
{
    if (index < 1 || index > MaterialEntryCount)
        return DefaultMaterialEntry;
    return table[index - 1];
}
