#pragma once

#include "start/view_overrides.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

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
    // Layers left out of the picture, the plan and the export, by slot.
    std::vector<int> HiddenLayers;
    std::optional<float> Cut; // the height as stored, above which the picture shows nothing
};

// Whether the plan check is to run.
bool WantsCheck(const TRenderOptions& options);

// Fills options from the command line, taking every path as the bytes in
// argv, output names resolved against the start folder. Returns an exit
// status when the command ends here: after the help or the version, or after
// a usage error, which it reports on standard error.
std::optional<int> ParseCommandLine(int argc, char** argv, TRenderOptions& options);

// Makes DIR the current directory, where the drawing's files are read by
// their bare names. Returns the usage error's exit status when it cannot.
std::optional<int> EnterDirectory(const TRenderOptions& options);
