#pragma once

#include "dxf/plan_view.h"

#include <optional>
#include <string>
#include <vector>

struct TBridgeOptions
{
    std::string Plan;                 // the DXF, as given
    std::string Folder;               // --out; empty: PLAN.kestrelview beside the DXF
    std::optional<double> WallHeight; // metres
    std::vector<std::string> Layers;
    std::string Unit = "auto";
    TViewChoice View = TViewChoice::Corner;
    bool Force = false;
    bool Open = false;
    std::optional<std::string> Picture; // --output
    bool Help = false;
    bool Version = false;
};

// The text --help prints.
extern const char BridgeHelpText[];

// Reads the command line into options, arguments kept as the bytes given.
// Returns the usage error, or an empty text when the line is sound.
std::string ParseBridgeArguments(int argc, char** argv, TBridgeOptions& options);

// The folder the files go to: --out, or the DXF's path without its ".dxf"
// and with ".kestrelview" added.
std::string OutputFolder(const TBridgeOptions& options);
