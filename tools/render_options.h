#pragma once

#include "start/view_overrides.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

enum ExitStatus
{
    ExitSucceeded = 0,
    ExitFailed = 1,
    ExitUsage = 2,
    ExitWarned = 3, // the plan check found a warning
};

// An output file: the name as typed, for messages, and the path it resolves
// to from the folder the command was started in. Both are the bytes given.
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
    bool Version = false;             // print the version and stop
    std::vector<TOutputFile> Exports; // .glb, .gltf, .obj or .html
    double MetresPerUnit = 0.001;     // a drawing unit is a millimetre unless --unit says otherwise
    std::string Directory = ".";
    std::optional<std::array<int, 2>> Size; // the window's 400 by 300, stretched, when not given
    int Samples = 1;
    TViewOverrides View;
    // The plan check runs when any of its outputs is asked for.
    bool Check = false;
    std::optional<TOutputFile> CheckJson; // Name "-": standard output
    std::optional<TOutputFile> Plan;      // .svg or .png
    bool PlanSvg = false;
    std::optional<float> Snap;
};

// Whether the plan check is to run.
bool WantsCheck(const TRenderOptions& options);

// Fills options from the command line, taking every path as the bytes in
// argv, output names resolved against the start folder; then enters DIR.
// Returns an exit status when the command ends here: after the help or the
// version, or after a usage error, which it reports on standard error.
std::optional<int> ParseCommandLine(int argc, char** argv, TRenderOptions& options);
