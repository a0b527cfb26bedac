// kestrelview-render: the window's start sequence without a window, for
// batch use, scripts and tests. Reads the drawing from DIR, then writes the
// picture the window would show, the model as JSON, or a short summary; on
// request exports the model in 3D, and checks the plan for what keeps walls
// and slabs from being made.
#include "check/check_report.h"
#include "check/finding_text.h"
#include "check/plan_check.h"
#include "common/output_file.h"
#include "input/input_tables.h"
#include "model/model_tables.h"
#include "render/context_preparation.h"
#include "render/float_control.h"
#include "render/render_view.h"
#include "start/error_text.h"
#include "start/model_export.h"
#include "start/picture_file.h"
#include "start/plan_picture.h"
#include "start/start_sequence.h"
#include "tools/command_line.h"
#include "tools/export_command.h"
#include "tools/model_summary.h"
#include "tools/render_options.h"
#include "tools/state_json.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <array>
#include <iostream>
#include <memory>

namespace
{

void ReportError(const ProgramError& error)
{
    std::cerr << ErrorDisplayText(error) << "\n";
}

// The picture as the window shows it after the start, or after a click on
// the flat-shading button.
bool SavePicture(TStartState& state, const TRenderOptions& options)
{
    bool drawn = state.PictureDrawn;
    if (options.Flat)
    {
        state.Render.FlatShading = true;
        drawn = RenderView(state.Context, state.Picture, state.Render);
    }
    // After a failed start the window shows its framed white picture; a
    // picture that could not be drawn at all is no picture.
    if (!drawn && !state.StartError)
    {
        std::cerr << "kestrelview-render: cannot draw a picture of " << state.Picture.Width << "x"
                  << state.Picture.Height << " pixels\n";
        return false;
    }
    try
    {
        WritePicture(state.Picture, options.Picture->Path);
    }
    catch (const ProgramError&)
    {
        ReportError(FileCreateError(options.Picture->Name));
        return false;
    }
    return true;
}

bool SaveBytes(const TOutputFile& target, const std::string& bytes)
{
    try
    {
        WriteOutputFile(target.Path, bytes);
    }
    catch (const ProgramError&)
    {
        ReportError(FileCreateError(target.Name));
        return false;
    }
    return true;
}

bool WritesToStandardOutput(const std::optional<TOutputFile>& file)
{
    return file && file->Name == "-";
}

// Text for standard output or a file; a file is written like the picture, so
// that a failed write leaves an existing file as it was.
bool SaveText(const TOutputFile& target, const std::string& text)
{
    if (target.Name != "-")
        return SaveBytes(target, text);
    std::cout << text;
    return true;
}

// The check's list and JSON, as asked. False when a file could not be
// written.
bool ReportFindings(const TRenderOptions& options, const std::vector<TFinding>& findings)
{
    bool written = true;
    if (options.Check)
    {
        bool stdoutTaken = WritesToStandardOutput(options.Json) || WritesToStandardOutput(options.CheckJson);
        PrintFindings(stdoutTaken ? std::cerr : std::cout, findings);
    }
    if (options.CheckJson)
        written = SaveText(*options.CheckJson, FindingsToJson(findings).dump(2) + "\n") && written;
    return written;
}

} // namespace

int main(int argc, char** argv)
{
    MaskFloatingPointExceptions();
    TRenderOptions options;
    if (std::optional<int> status = ParseCommandLine(argc, argv, options))
        return *status;
    if (std::optional<int> status = EnterDirectory(options))
        return *status;
    auto application = std::make_unique<QCoreApplication>(argc, argv);

    TStartState state;
    if (options.Size)
    {
        state.Picture.Width = (*options.Size)[0];
        state.Picture.Height = (*options.Size)[1];
        state.Render.AspectRatio = double(state.Picture.Width) / state.Picture.Height;
    }
    state.Context.Samples = options.Samples;
    // A picture needs OSMesa and llvmpipe: they load, and compile the render's
    // shaders, on a second thread while the drawing is read and built.
    if (options.Picture)
        state.Context.Prepared = PrepareContext(state.Context.ScreenColorDepth, state.Context.Samples);
    // A flat picture is drawn after the start, with the flat shading.
    state.FirstRender = options.Picture && !options.Flat;
    state.PrepareDrawing = options.Picture.has_value();
    state.Render.CutHeight = options.Cut;
    for (int slot : options.HiddenLayers)
        state.HiddenLayers.set(size_t(slot));
    // The plan check reads the build's record; the export files every face
    // under its layer and kind, and hidden layers are known by it, which the
    // build keeps only when asked.
    TBuildRecord record;
    const bool keepRecord = WantsCheck(options) || !options.Exports.empty() || state.HiddenLayers.any();
    RunStartSequence(state, keepRecord ? &record : nullptr, options.View);
    int status = ExitSucceeded;
    if (state.StartError)
    {
        std::cerr << *state.StartError << "\n";
        status = ExitFailed;
    }
    if (options.Picture && !SavePicture(state, options))
        status = ExitFailed;
    const TDumpedTables tables{PolygonList,    MaterialTable, BackgroundColor,
                               ViewParameters, AmbientLight,  LightList};
    if (options.Json && !SaveText(*options.Json, StateToJson(state, tables).dump(2) + "\n"))
        status = ExitFailed;
    // The export's counts go to standard error when standard output carries JSON.
    const bool outputTaken =
        WritesToStandardOutput(options.Json) || WritesToStandardOutput(options.CheckJson);
    if (!options.Exports.empty() &&
        !SaveExports(options.Exports, record, state.HiddenLayers,
                     WebPageFor(state.Render, ViewParameters, ShownFaceCount(record, state.HiddenLayers),
                                options.MetresPerUnit),
                     outputTaken ? std::cerr : std::cout))
        status = ExitFailed;
    if (!options.Json && !WritesToStandardOutput(options.CheckJson))
        PrintSummary(std::cout, state, PolygonList, ViewParameters);
    bool warned = false;
    if (WantsCheck(options) && !state.StartError)
    {
        std::vector<TFinding> findings = CheckPlan(record, {options.Snap});
        if (!ReportFindings(options, findings))
            status = ExitFailed;
        warned = HasWarning(findings);
        if (options.Plan)
        {
            // The plan's numbers are drawn as text, which needs Qt's GUI
            // module, on the offscreen platform so that no display is needed.
            // It starts only now: a GUI application would change the
            // resolution written into the BMP picture above.
            application.reset();
            qputenv("QT_QPA_PLATFORM", "offscreen");
            QGuiApplication gui(argc, argv);
            std::array<int, 2> size = options.Size.value_or(std::array<int, 2>{PlanWidth, PlanHeight});
            if (!SaveBytes(*options.Plan, DrawPlan(PolygonList, record, MaterialTable, findings, size[0],
                                                   size[1], options.PlanSvg, state.HiddenLayers)))
                status = ExitFailed;
        }
    }
    // A full disk or a closed pipe must not pass for success.
    if (!std::cout.flush())
    {
        std::cerr << "kestrelview-render: cannot write to standard output\n";
        status = ExitFailed;
    }
    // A failure takes precedence over a warning.
    if (status == ExitSucceeded && warned)
        status = ExitWarned;
    return status;
}
