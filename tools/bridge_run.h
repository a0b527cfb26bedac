#pragma once

#include "tools/command_line.h"

#include <iosfwd>

// Converts the DXF the options name: reads it, writes temp.txt (and the
// material tables where they are missing) into the output folder, and prints
// the summary to out. A problem is reported on err. Returns the exit status,
// 0 or 1.
int RunBridge(const TBridgeOptions& options, std::ostream& out, std::ostream& err);
