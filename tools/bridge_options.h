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
};

// Reads the command line into options, arguments kept as the bytes given.
// Returns the exit status when the command ends here: after the help or the
// version, or after a usage error.
std::optional<int> ParseBridgeCommandLine(int argc, char** argv, TBridgeOptions& options);

// The folder the files go to: --out, or the DXF's path without its ".dxf"
// and with ".kestrelview" added.
std::string OutputFolder(const TBridgeOptions& options);
