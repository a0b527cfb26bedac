// kestrelview-render: the window's start sequence without a window, for
// batch use, scripts and tests. Reads the drawing from DIR, then writes the
// picture the window would show, the model as JSON, or a short summary.
#include "render/float_control.h"
#include "render/render_view.h"
#include "start/error_text.h"
#include "start/picture_file.h"
#include "start/start_sequence.h"
#include "tools/model_summary.h"
#include "tools/state_json.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <iostream>
#include <optional>

namespace
{

enum ExitStatus
{
    ExitSucceeded = 0,
    ExitFailed = 1,
    ExitUsage = 2,
};

// An output file: the name as typed, for messages, and the path it resolves
// to from the folder the command was started in.
struct TOutputFile
{
    std::string Name;
    std::string Path;
};

struct TRenderOptions
{
    std::optional<TOutputFile> Json; // Name "-": standard output
    std::optional<TOutputFile> Picture;
    bool Flat = false;
    QString Directory = ".";
};

TOutputFile ResolveOutput(const QString& name)
{
    QString path = QDir::current().absoluteFilePath(name);
    return {QFile::encodeName(name).toStdString(), QFile::encodeName(path).toStdString()};
}

int UsageError(const QCommandLineParser& parser, const QString& message)
{
    std::cerr << "kestrelview-render: " << message.toStdString() << "\n\n" << parser.helpText().toStdString();
    return ExitUsage;
}

// Fills options from the command line, output names resolved against the
// start folder, then enters DIR. Returns an exit status when the command
// ends here (help, or a usage error).
std::optional<int> ParseCommandLine(const QStringList& arguments, TRenderOptions& options)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Reads material.txt, material2.txt and temp.txt from DIR as the Kestrelview "
        "window does, and prints a summary of the model.");
    QCommandLineOption help = parser.addHelpOption();
    QCommandLineOption json("json", "Write the model as JSON to FILE (- for standard output).", "FILE");
    QCommandLineOption output(
        "output", "Write the picture to PICTURE (BMP; a name ending in .png gives a PNG).", "PICTURE");
    QCommandLineOption flat("flat", "Write the flat-shaded picture.");
    parser.addOptions({json, output, flat});
    parser.addPositionalArgument("DIR", "The drawing's folder (default: the current directory).", "[DIR]");

    if (!parser.parse(arguments))
        return UsageError(parser, parser.errorText());
    if (parser.isSet(help))
    {
        std::cout << parser.helpText().toStdString();
        return ExitSucceeded;
    }
    QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        return UsageError(parser, "only one DIR may be given");
    for (const QCommandLineOption& option : {json, output})
        if (parser.isSet(option) && parser.value(option).isEmpty())
            return UsageError(parser, "--" + option.names().first() + " needs a file name");

    if (parser.isSet(json))
        options.Json = ResolveOutput(parser.value(json));
    if (parser.isSet(output))
        options.Picture = ResolveOutput(parser.value(output));
    options.Flat = parser.isSet(flat);
    if (!positional.isEmpty())
        options.Directory = positional.first();
    if (!QDir::setCurrent(options.Directory))
        return UsageError(parser, "cannot enter the folder " + options.Directory);
    return std::nullopt;
}

void ReportError(const ProgramError& error)
{
    std::cerr << ErrorDisplayText(error) << "\n";
}

// The picture as the window shows it after the start, or after a click on
// the flat-shading button.
bool SavePicture(TStartState& state, const TRenderOptions& options)
{
    if (options.Flat)
    {
        state.Render.FlatShading = true;
        RenderView(state.Context, state.Picture, state.Render);
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

// Written through a temporary file, like the picture, so that a failed write
// leaves an existing file as it was.
bool SaveJson(const TStartState& state, const TOutputFile& target)
{
    std::string text = StateToJson(state).dump(2) + "\n";
    if (target.Name == "-")
    {
        std::cout << text;
        return true;
    }
    QSaveFile file(QFile::decodeName(target.Path.c_str()));
    bool written =
        file.open(QIODevice::WriteOnly) &&
        file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) &&
        file.commit();
    if (!written)
        ReportError(FileCreateError(target.Name));
    return written;
}

} // namespace

int main(int argc, char** argv)
{
    MaskFloatingPointExceptions();
    QCoreApplication application(argc, argv);
    TRenderOptions options;
    if (std::optional<int> status = ParseCommandLine(QCoreApplication::arguments(), options))
        return *status;

    TStartState state;
    RunStartSequence(state);
    int status = ExitSucceeded;
    if (state.StartError)
    {
        std::cerr << *state.StartError << "\n";
        status = ExitFailed;
    }
    if (options.Picture && !SavePicture(state, options))
        status = ExitFailed;
    if (options.Json && !SaveJson(state, *options.Json))
        status = ExitFailed;
    if (!options.Json)
        PrintSummary(std::cout, state);
    // A full disk or a closed pipe must not pass for success.
    if (!std::cout.flush())
    {
        std::cerr << "kestrelview-render: cannot write to standard output\n";
        status = ExitFailed;
    }
    return status;
}
