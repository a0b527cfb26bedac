#pragma once

#include "tools/bridge_options.h"

#include <iosfwd>

// Converts the DXF the options name: reads it, writes temp.txt (and the
// material tables where they are missing) into the output folder, and prints
// the summary to out. A problem is reported on err. Returns the exit status,
// ExitSucceeded or ExitFailed.
int RunBridge(const TBridgeOptions& options, std::ostream& out, std::ostream& err);
