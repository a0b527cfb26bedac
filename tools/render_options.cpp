#include "tools/render_options.h"

#include "common/file_ending.h"
#include "common/numbers.h"
#include "export/export_options.h"
#include "start/error_text.h"
#include "tools/command_line.h"
#include "tools/picture_options.h"

#include <unistd.h>

#include <cerrno>
#include <cmath>

namespace
{

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

std::optional<TOutputFile> OutputFile(std::string_view name)
{
    if (name.empty())
        return std::nullopt;
    if (name == "-" || name.front() == '/')
        return TOutputFile{std::string(name), std::string(name)};
    return TOutputFile{std::string(name), StartFolder() + "/" + std::string(name)};
}

std::optional<TOutputFile> PlanFile(std::string_view name)
{
    if (!HasEnding(name, ".svg") && !HasEnding(name, ".png"))
        return std::nullopt;
    return OutputFile(name);
}

std::optional<TOutputFile> ExportFile(std::string_view name)
{
    if (!ExportFormatFor(name))
        return std::nullopt;
    return OutputFile(name);
}

std::optional<float> SnapDistance(std::string_view text)
{
    std::optional<double> distance = ParseDecimal(text);
    if (!distance || !(*distance >= 0) || !std::isfinite(ToSingle(*distance)))
        return std::nullopt;
    return ToSingle(*distance);
}

const char* const ViewPoint = "X,Y,H (three finite numbers)";
const char* const Degrees = "a finite number of degrees";

TCommandLine RenderCommandLine(TRenderOptions& options)
{
    return {
        "kestrelview-render",
        "Reads material.txt, material2.txt and temp.txt from DIR as the Kestrelview window\n"
        "does, and prints a summary of the model.",
        {
            {"json", "FILE", "Write the model as JSON to FILE (- for standard output).",
             SetTo(options.Json, OutputFile, "a file name")},
            {"output", "PICTURE", "Write the picture to PICTURE (BMP; a name ending in .png gives a PNG).",
             SetTo(options.Picture, OutputFile, "a file name")},
            {"flat", nullptr, "Write the flat-shaded picture.", SetTrue(options.Flat)},
            {"size", "WxH",
             "Draw a picture of W by H pixels (16 to 8192 each) with its true proportions. Without it the "
             "picture is the window's: 400x300 drawn with the proportions of a square, so --size 400x300 is "
             "the same view undistorted, not the window's picture.",
             SetTo(options.Size, ParsePictureSize, "WxH with W and H from 16 to 8192")},
            {"samples", "N", "Samples a pixel: 1 (the window's) or 4 (smooth edges).",
             SetTo(options.Samples, ParseSampleCount, "1 or 4")},
            {"eye", "X,Y,H", "Put the eye at plan X,Y (as the drawing writes them) and height H in metres.",
             SetTo(options.View.Eye, ParseViewPoint, ViewPoint)},
            {"target", "X,Y,H", "Look at plan X,Y and height H in metres.",
             SetTo(options.View.Target, ParseViewPoint, ViewPoint)},
            {"fov", "DEG", "Vertical field of view in degrees (kept within 10 to 160).",
             SetTo(options.View.FieldOfView, ParseDegrees, Degrees)},
            {"turn", "DEG",
             "Turn the eye about the vertical through the target, counter-clockwise in the plan.",
             SetTo(options.View.Turn, ParseDegrees, Degrees)},
            {"ortho", nullptr,
             "Draw the orthographic projection of the same view, as high as the perspective shows the "
             "target's distance.",
             SetTrue(options.View.Orthographic)},
            {"hide-layer", "G/L",
             "Leave layer L of group G (0 to 15 each, as --check names them) out of the picture, the plan "
             "and the export. May be given more than once.",
             AddTo(options.HiddenLayers, ParseLayerNumber, "G/L with G and L from 0 to 15")},
            {"cut", "H",
             "Cut the picture at height H in metres: everything above it is left out, faces through it are "
             "cut. The export keeps the whole model.",
             SetTo(options.Cut, ParseCutHeight, "a finite height in metres")},
            {"check", nullptr,
             "Check the plan: list why walls or slabs may be missing (exit status 3 on a warning).",
             SetTrue(options.Check)},
            {"check-json", "FILE", "Write the plan check's findings as JSON to FILE (- for standard output).",
             SetTo(options.CheckJson, OutputFile, "a file name")},
            {"plan", "PICTURE", "Draw the plan from above with the findings marked (.svg or .png).",
             SetTo(options.Plan, PlanFile, "a file name ending in .svg or .png")},
            {"snap", "D",
             "How far a height text may lie from a line's end to be taken as meant for it (default: 1% of "
             "the "
             "line's length, at most 50).",
             SetTo(options.Snap, SnapDistance, "a distance of 0 or more")},
            {"export", "FILE",
             "Write the model in 3D to FILE: glTF binary (.glb), glTF (.gltf), OBJ (.obj, with its .mtl "
             "beside it) or a web page that shows it in any browser (.html). May be given more than once.",
             AddTo(options.Exports, ExportFile, "a file name ending in .glb, .gltf, .obj or .html")},
            {"unit", "UNIT", "What a drawing unit is, for --export: mm (the default), cm or m.",
             SetTo(options.MetresPerUnit, MetresPerUnit, "mm, cm or m")},
        },
        {"DIR", nullptr, "The drawing's folder (default: the current directory).",
         SetTo(options.Directory, Text, "a folder name")},
        false};
}

} // namespace

std::optional<int> ParseCommandLine(int argc, char** argv, TRenderOptions& options)
{
    const TCommandLine line = RenderCommandLine(options);
    if (std::optional<int> status = ReadCommandLine(line, argc, argv))
        return status;
    options.PlanSvg = options.Plan && HasEnding(options.Plan->Name, ".svg");
    if (options.Json && options.CheckJson && options.Json->Name == "-" && options.CheckJson->Name == "-")
        return UsageError(line, "only one of --json and --check-json may write to standard output");
    return std::nullopt;
}

std::optional<int> EnterDirectory(const TRenderOptions& options)
{
    if (chdir(options.Directory.c_str()) == 0)
        return std::nullopt;
    TRenderOptions unused;
    return UsageError(RenderCommandLine(unused),
                      "cannot enter the folder " + DisplayBytes(options.Directory));
}

bool WantsCheck(const TRenderOptions& options)
{
    return options.Check || options.CheckJson || options.Plan;
}
