// Feeds arbitrary bytes to both material readers, as the contents of
// "material.txt" and of "material2.txt".
#include "common/errors.h"
#include "input/input_tables.h"
#include "input/material_files.h"
#include "input/text_lines.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> lines = SplitTextLines(std::string(reinterpret_cast<const char*>(data), size));
    ResetInputTables();
    try
    {
        ReadMaterialLines(lines);
    }
    catch (const ProgramError&)
    {
        // A short file is an expected answer to bad input.
    }
    try
    {
        ReadMaterial2Lines(lines);
    }
    catch (const ProgramError&)
    {
        // Likewise for the eight blocks of the second file.
    }
    return 0;
}
