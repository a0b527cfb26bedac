#include "tools/render_options.h"

#include "common/numbers.h"
#include "export/export_options.h"
#include "start/error_text.h"
#include "tools/picture_options.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <iostream>
#include <string_view>
#include <vector>

namespace
{

// What an option does with its value (empty for a switch). Returns an error
// message, or an empty text when the value was taken.
using TakeOption = std::string (*)(TRenderOptions& options, const std::string& value);

struct TOptionRow
{
    const char* Name;
    const char* Value; // nullptr for a switch
    const char* Help;
    TakeOption Take;
};

std::string StartFolder()
{
    std::vector<char> buffer(4096);
    while (getcwd(buffer.data(), buffer.size()) == nullptr)
    {
        if (errno != ERANGE)
            return {};
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

std::optional<TOutputFile> OutputFile(const std::string& name)
{
    if (name.empty())
        return std::nullopt;
    if (name == "-" || name.front() == '/')
        return TOutputFile{name, name};
    return TOutputFile{name, StartFolder() + "/" + name};
}

std::string TakeJson(TRenderOptions& options, const std::string& value)
{
    options.Json = OutputFile(value);
    return options.Json ? "" : "--json needs a file name";
}

std::string TakePicture(TRenderOptions& options, const std::string& value)
{
    options.Picture = OutputFile(value);
    return options.Picture ? "" : "--output needs a file name";
}

std::string TakeFlat(TRenderOptions& options, const std::string&)
{
    options.Flat = true;
    return "";
}

// The message for a malformed value of option.
std::string NotA(const char* option, const std::string& value, const char* expected)
{
    return std::string("--") + option + ": " + DisplayBytes(value) + " is not " + expected;
}

const char* const ViewPoint = "X,Y,H (three finite numbers)";
const char* const Degrees = "a finite number of degrees";

std::string TakeSize(TRenderOptions& options, const std::string& value)
{
    options.Size = ParsePictureSize(value);
    return options.Size ? "" : NotA("size", value, "WxH with W and H from 16 to 8192");
}

std::string TakeSamples(TRenderOptions& options, const std::string& value)
{
    std::optional<int> samples = ParseSampleCount(value);
    options.Samples = samples.value_or(1);
    return samples ? "" : NotA("samples", value, "1 or 4");
}

std::string TakeEye(TRenderOptions& options, const std::string& value)
{
    options.View.Eye = ParseViewPoint(value);
    return options.View.Eye ? "" : NotA("eye", value, ViewPoint);
}

std::string TakeTarget(TRenderOptions& options, const std::string& value)
{
    options.View.Target = ParseViewPoint(value);
    return options.View.Target ? "" : NotA("target", value, ViewPoint);
}

std::string TakeFieldOfView(TRenderOptions& options, const std::string& value)
{
    options.View.FieldOfView = ParseDegrees(value);
    return options.View.FieldOfView ? "" : NotA("fov", value, Degrees);
}

std::string TakeTurn(TRenderOptions& options, const std::string& value)
{
    options.View.Turn = ParseDegrees(value);
    return options.View.Turn ? "" : NotA("turn", value, Degrees);
}

std::string TakeCheck(TRenderOptions& options, const std::string&)
{
    options.Check = true;
    return "";
}

std::string TakeCheckJson(TRenderOptions& options, const std::string& value)
{
    options.CheckJson = OutputFile(value);
    return options.CheckJson ? "" : "--check-json needs a file name";
}

bool EndsWith(const std::string& text, std::string_view end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string TakePlan(TRenderOptions& options, const std::string& value)
{
    if (!EndsWith(value, ".svg") && !EndsWith(value, ".png"))
        return "--plan needs a file name ending in .svg or .png";
    options.Plan = OutputFile(value);
    options.PlanSvg = EndsWith(value, ".svg");
    return "";
}

std::string TakeSnap(TRenderOptions& options, const std::string& value)
{
    std::optional<double> distance = ParseDecimal(value);
    if (!distance || !(*distance >= 0) || !std::isfinite(ToSingle(*distance)))
        return "--snap needs a distance of 0 or more";
    options.Snap = ToSingle(*distance);
    return "";
}

std::string TakeVersion(TRenderOptions& options, const std::string&)
{
    options.Version = true;
    return "";
}

std::string TakeExport(TRenderOptions& options, const std::string& value)
{
    std::optional<TOutputFile> file = OutputFile(value);
    if (!file)
        return "--export needs a file name";
    if (!ExportFormatFor(value))
        return "--export: " + DisplayBytes(value) + " does not end in .glb, .gltf, .obj or .html";
    options.Exports.push_back(*file);
    return "";
}

std::string TakeUnit(TRenderOptions& options, const std::string& value)
{
    std::optional<double> metres = MetresPerUnit(value);
    options.MetresPerUnit = metres.value_or(0.001);
    return metres ? "" : NotA("unit", value, "mm, cm or m");
}

const TOptionRow OptionTable[] = {
    {"json", "FILE", "Write the model as JSON to FILE (- for standard output).", TakeJson},
    {"output", "PICTURE", "Write the picture to PICTURE (BMP; a name ending in .png gives a PNG).",
     TakePicture},
    {"flat", nullptr, "Write the flat-shaded picture.", TakeFlat},
    {"size", "WxH",
     "Draw a picture of W by H pixels (16 to 8192 each) with its true proportions. Without it the picture is "
     "the window's: 400x300 drawn with the proportions of a square, so --size 400x300 is the same view "
     "undistorted, not the window's picture.",
     TakeSize},
    {"samples", "N", "Samples a pixel: 1 (the window's) or 4 (smooth edges).", TakeSamples},
    {"eye", "X,Y,H", "Put the eye at plan X,Y (as the drawing writes them) and height H in metres.", TakeEye},
    {"target", "X,Y,H", "Look at plan X,Y and height H in metres.", TakeTarget},
    {"fov", "DEG", "Vertical field of view in degrees (kept within 10 to 160).", TakeFieldOfView},
    {"turn", "DEG", "Turn the eye about the vertical through the target, counter-clockwise in the plan.",
     TakeTurn},
    {"check", nullptr, "Check the plan: list why walls or slabs may be missing (exit status 3 on a warning).",
     TakeCheck},
    {"check-json", "FILE", "Write the plan check's findings as JSON to FILE (- for standard output).",
     TakeCheckJson},
    {"plan", "PICTURE", "Draw the plan from above with the findings marked (.svg or .png).", TakePlan},
    {"snap", "D",
     "How far a height text may lie from a line's end to be taken as meant for it "
     "(default: 1% of the line's length, at most 50).",
     TakeSnap},
    {"version", nullptr, "Displays version information.", TakeVersion},
    {"export", "FILE",
     "Write the model in 3D to FILE: glTF binary (.glb), glTF (.gltf), OBJ (.obj, with its .mtl "
     "beside it) or a web page that shows it in any browser (.html). May be given more than once.",
     TakeExport},
    {"unit", "UNIT", "What a drawing unit is, for --export: mm (the default), cm or m.", TakeUnit},
};

std::string HelpText()
{
    std::string text = "Usage: kestrelview-render [options] [DIR]\n"
                       "Reads material.txt, material2.txt and temp.txt from DIR as the Kestrelview window\n"
                       "does, and prints a summary of the model.\n\nOptions:\n";
    // Help texts are wrapped at 80 columns, under their first line.
    auto row = [&](std::string left, std::string_view help)
    {
        left.resize(std::max<size_t>(left.size() + 2, 22), ' ');
        std::string line = "  " + left;
        const size_t indent = line.size();
        while (!help.empty())
        {
            size_t end = help.size();
            if (line.size() + end > 80)
                end = help.rfind(' ', 80 - line.size());
            if (end == std::string_view::npos || end == 0)
                end = std::min(help.find(' '), help.size());
            text += line + std::string(help.substr(0, end)) + "\n";
            help.remove_prefix(std::min(end + 1, help.size()));
            line.assign(indent, ' ');
        }
    };
    row("-h, --help", "Displays help on commandline options.");
    for (const TOptionRow& option : OptionTable)
        row(std::string("--") + option.Name + (option.Value ? std::string(" <") + option.Value + ">" : ""),
            option.Help);
    text += "\nArguments:\n";
    row("DIR", "The drawing's folder (default: the current directory).");
    return text;
}

int UsageError(const std::string& message)
{
    std::cerr << "kestrelview-render: " << message << "\n\n" << HelpText();
    return ExitUsage;
}

const TOptionRow* FindOption(std::string_view name)
{
    for (const TOptionRow& option : OptionTable)
        if (name == option.Name)
            return &option;
    return nullptr;
}

} // namespace

std::optional<int> ParseCommandLine(int argc, char** argv, TRenderOptions& options)
{
    std::vector<std::string> positional;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i)
    {
        std::string argument = argv[i];
        if (optionsEnd || argument.size() < 2 || argument[0] != '-')
        {
            positional.push_back(argument);
            continue;
        }
        if (argument == "--")
        {
            optionsEnd = true;
            continue;
        }
        if (argument == "-h" || argument == "--help" || argument == "-?")
        {
            std::cout << HelpText();
            return ExitSucceeded;
        }
        size_t equals = argument.find('=');
        std::string name = argument.substr(argument.rfind('-', 1) + 1, equals - argument.rfind('-', 1) - 1);
        const TOptionRow* option = FindOption(name);
        if (!option)
            return UsageError("Unknown option '" + DisplayBytes(name) + "'.");
        std::string value;
        if (equals != std::string::npos)
        {
            if (!option->Value)
                return UsageError("Unexpected value after '--" + name + "'.");
            value = argument.substr(equals + 1);
        }
        else if (option->Value)
        {
            if (i + 1 == argc)
                return UsageError("Missing value after '--" + name + "'.");
            value = argv[++i];
        }
        std::string error = option->Take(options, value);
        if (!error.empty())
            return UsageError(error);
    }
    if (options.Version)
    {
        std::cout << "kestrelview-render " KV_VERSION "\n";
        return ExitSucceeded;
    }
    if (positional.size() > 1)
        return UsageError("only one DIR may be given");
    if (options.Json && options.CheckJson && options.Json->Name == "-" && options.CheckJson->Name == "-")
        return UsageError("only one of --json and --check-json may write to standard output");
    if (!positional.empty())
        options.Directory = positional.front();
    if (chdir(options.Directory.c_str()) != 0)
        return UsageError("cannot enter the folder " + DisplayBytes(options.Directory));
    return std::nullopt;
}

bool WantsCheck(const TRenderOptions& options)
{
    return options.Check || options.CheckJson || options.Plan;
}
