#include "input/material_files.h"

#include "common/errors.h"
#include "common/fields.h"
#include "common/numbers.h"
#include "input/input_tables.h"
#include "input/line_splitting.h"
#include "input/text_lines.h"

#include <filesystem>
#include <vector>

namespace
{

using TextLines = std::vector<std::string>;

// The lines each file is read for; later ones are never looked at.
constexpr size_t MaterialLineCount = 11;
constexpr size_t Material2LineCount = 80;

// Up to seven values; a missing field or one that is not a number takes the
// value an empty line gives.
void ReadEntryLine(const TextLines& lines, size_t index, int entryNumber)
{
    TMaterialEntry& entry = MaterialTable[entryNumber - 1];
    std::vector<std::string> fields = SplitCommaFields(ListItem(lines, index), entry.size());
    for (size_t k = 0; k < entry.size(); ++k)
    {
        float fallback = DefaultMaterialEntry[k];
        entry[k] = k < fields.size() ? ToSingle(ReadRealOr(TrimControl(fields[k]), fallback)) : fallback;
    }
}

// Red, green and blue as whole numbers; white where a channel is missing or
// not a whole number.
void ReadBackgroundLine(const TextLines& lines, size_t index)
{
    std::vector<std::string> fields = SplitCommaFields(ListItem(lines, index), BackgroundColor.size());
    for (size_t channel = 0; channel < BackgroundColor.size(); ++channel)
    {
        BackgroundColor[channel] = 255;
        if (channel < fields.size())
            BackgroundColor[channel] = ParseWholeNumber(TrimControl(fields[channel])).value_or(255);
    }
}

} // namespace

void ReadMaterialLines(const TextLines& lines)
{
    // Line 0 is a free heading.
    for (int color = 1; color <= 9; ++color)
        ReadEntryLine(lines, color, MaterialIndex(1, color));
    ReadBackgroundLine(lines, 10);
}

void LoadMaterial(const std::string& path)
{
    ReadMaterialLines(ReadTextLines(path, MaterialLineCount));
}

void LoadMaterial2(const std::string& path)
{
    std::error_code error;
    if (std::filesystem::status(path, error).type() == std::filesystem::file_type::not_found)
    {
        // Without the file every line type takes the colours of line type 1.
        for (int type = 2; type <= 9; ++type)
            for (int color = 1; color <= 9; ++color)
                MaterialTable[MaterialIndex(type, color) - 1] = MaterialTable[MaterialIndex(1, color) - 1];
        return;
    }
    ReadMaterial2Lines(ReadTextLines(path, Material2LineCount));
}

void ReadMaterial2Lines(const TextLines& lines)
{
    // Block b of ten lines holds line type b + 2 after a free heading line.
    for (int block = 0; block < 8; ++block)
        for (int color = 1; color <= 9; ++color)
            ReadEntryLine(lines, 10 * block + color, MaterialIndex(block + 2, color));
}
