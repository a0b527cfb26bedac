#include "dxf/command_line.h"

#include "common/numbers.h"
#include "dxf/drawing_units.h"

#include <cmath>
#include <strings.h>

const char BridgeHelpText[] =
    "Usage: kestrelview-dxf [options] PLAN.dxf\n"
    "Converts a DXF drawing into the files Kestrelview reads (temp.txt,\n"
    "material.txt, material2.txt) and prints a summary.\n"
    "\n"
    "Options:\n"
    "  --out DIR            Write into DIR (default: PLAN.kestrelview beside the DXF).\n"
    "  --wall-height H      Raise the segments of layers without height texts on\n"
    "                       their ends into walls H metres high.\n"
    "  --layers A,B,...     Keep only these layers (blocks pass theirs on).\n"
    "  --unit mm|cm|m|in|auto\n"
    "                       The drawing unit (default auto: from $INSUNITS).\n"
    "  --view corner|top|none\n"
    "                       The view written for the first picture (default corner:\n"
    "                       from the south-west above; top: from above, north up).\n"
    "  --force              Overwrite a temp.txt that kestrelview-dxf did not write.\n"
    "  --open               Then open the Kestrelview window on DIR.\n"
    "  --output PICTURE     Then write the picture with kestrelview-render instead.\n"
    "  -h, --help           Show this help.\n"
    "  -v, --version        Show the version.\n";

namespace
{

std::vector<std::string> SplitLayerList(const std::string& list)
{
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= list.size())
    {
        size_t comma = list.find(',', start);
        if (comma == std::string::npos)
            comma = list.size();
        if (comma > start)
            names.push_back(list.substr(start, comma - start));
        start = comma + 1;
    }
    return names;
}

} // namespace

std::string ParseBridgeArguments(int argc, char** argv, TBridgeOptions& options)
{
    bool planGiven = false;
    for (int i = 1; i < argc; i++)
    {
        std::string argument = argv[i];
        std::string name = argument;
        std::optional<std::string> value;
        size_t equals = argument.find('=');
        if (argument.compare(0, 2, "--") == 0 && equals != std::string::npos)
        {
            name = argument.substr(0, equals);
            value = argument.substr(equals + 1);
        }
        bool takesValue = name == "--out" || name == "--wall-height" || name == "--layers" ||
                          name == "--unit" || name == "--view" || name == "--output";
        if (takesValue && !value)
        {
            if (i + 1 == argc)
                return name + " needs a value";
            value = argv[++i];
        }
        if (!takesValue && value)
            return name + " takes no value";

        if (name == "--out" || name == "--output")
        {
            if (value->empty())
                return name + " needs a name";
            (name == "--out" ? options.Folder : options.Picture.emplace()) = *value;
        }
        else if (name == "--wall-height")
        {
            std::optional<double> height = ParseDecimal(*value);
            if (!height || !std::isfinite(*height) || *height <= 0)
                return "--wall-height needs a height in metres above 0, not " + *value;
            options.WallHeight = *height;
        }
        else if (name == "--layers")
        {
            options.Layers = SplitLayerList(*value);
            if (options.Layers.empty())
                return "--layers needs at least one layer name";
        }
        else if (name == "--unit")
        {
            if (!IsUnitOption(*value))
                return "--unit takes mm, cm, m, in or auto, not " + *value;
            options.Unit = *value;
        }
        else if (name == "--view")
        {
            std::optional<TViewChoice> view = ViewChoiceNamed(*value);
            if (!view)
                return "--view takes corner, top or none, not " + *value;
            options.View = *view;
        }
        else if (name == "--force")
            options.Force = true;
        else if (name == "--open")
            options.Open = true;
        else if (name == "-h" || name == "--help")
            options.Help = true;
        else if (name == "-v" || name == "--version")
            options.Version = true;
        else if (argument.size() > 1 && argument[0] == '-')
            return "unknown option " + argument;
        else if (planGiven)
            return "only one DXF file may be given";
        else
        {
            options.Plan = argument;
            planGiven = true;
        }
    }
    if (options.Help || options.Version)
        return "";
    if (!planGiven)
        return "no DXF file given";
    if (options.Open && options.Picture)
        return "--open and --output cannot be used together";
    return "";
}

std::string OutputFolder(const TBridgeOptions& options)
{
    if (!options.Folder.empty())
        return options.Folder;
    std::string base = options.Plan;
    size_t slash = base.rfind('/');
    size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (base.size() >= nameStart + 5 && strcasecmp(base.c_str() + base.size() - 4, ".dxf") == 0)
        base.resize(base.size() - 4);
    return base + ".kestrelview";
}
