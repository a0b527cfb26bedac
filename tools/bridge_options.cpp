#include "tools/bridge_options.h"

#include "common/file_ending.h"
#include "common/numbers.h"
#include "dxf/drawing_units.h"
#include "tools/command_line.h"

#include <cmath>

namespace
{

std::optional<double> WallHeight(std::string_view value)
{
    std::optional<double> height = ParseDecimal(value);
    if (!height || !std::isfinite(*height) || *height <= 0)
        return std::nullopt;
    return height;
}

// Names between commas; empty ones are dropped, and at least one must be left.
std::optional<std::vector<std::string>> LayerList(std::string_view list)
{
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= list.size())
    {
        size_t comma = list.find(',', start);
        if (comma == std::string::npos)
            comma = list.size();
        if (comma > start)
            names.emplace_back(list.substr(start, comma - start));
        start = comma + 1;
    }
    if (names.empty())
        return std::nullopt;
    return names;
}

std::optional<std::string> UnitOption(std::string_view value)
{
    if (!IsUnitOption(std::string(value)))
        return std::nullopt;
    return std::string(value);
}

TCommandLine BridgeCommandLine(TBridgeOptions& options)
{
    return {"kestrelview-dxf",
            "Converts a DXF drawing into the files Kestrelview reads (temp.txt,\n"
            "material.txt, material2.txt) and prints a summary.",
            {
                {"out", "DIR", "Write into DIR (default: PLAN.kestrelview beside the DXF).",
                 SetTo(options.Folder, Text, "a folder name")},
                {"wall-height", "H",
                 "Raise the segments of layers without height texts on their ends into walls H metres "
                 "high.",
                 SetTo(options.WallHeight, WallHeight, "a height in metres above 0")},
                {"layers", "A,B,...", "Keep only these layers (blocks pass theirs on).",
                 SetTo(options.Layers, LayerList, "a list of layer names")},
                {"unit", "mm|cm|m|in|auto", "The drawing unit (default auto: from $INSUNITS).",
                 SetTo(options.Unit, UnitOption, "mm, cm, m, in or auto")},
                {"view", "corner|top|none",
                 "The view written for the first picture (default corner: from the south-west above; top: "
                 "from above, north up).",
                 SetTo(options.View, ViewChoiceNamed, "corner, top or none")},
                {"force", nullptr, "Overwrite a temp.txt that kestrelview-dxf did not write.",
                 SetTrue(options.Force)},
                {"open", nullptr, "Then open the Kestrelview window on DIR.", SetTrue(options.Open)},
                {"output", "PICTURE", "Then write the picture with kestrelview-render instead.",
                 SetTo(options.Picture, Text, "a file name")},
            },
            {"PLAN.dxf", nullptr, "The DXF drawing to convert.", SetTo(options.Plan, Text, "a file name")},
            true};
}

} // namespace

std::optional<int> ParseBridgeCommandLine(int argc, char** argv, TBridgeOptions& options)
{
    const TCommandLine line = BridgeCommandLine(options);
    if (std::optional<int> status = ReadCommandLine(line, argc, argv))
        return status;
    if (options.Open && options.Picture)
        return UsageError(line, "--open and --output cannot be used together");
    return std::nullopt;
}

std::string OutputFolder(const TBridgeOptions& options)
{
    if (!options.Folder.empty())
        return options.Folder;
    std::string base = options.Plan;
    const std::string_view ending = ".dxf";
    size_t slash = base.rfind('/');
    size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    // A name that is only the ending keeps it: "plan/.dxf" gives "plan/.dxf.kestrelview".
    if (base.size() > nameStart + ending.size() && HasEnding(base, ending))
        base.resize(base.size() - ending.size());
    return base + ".kestrelview";
}
