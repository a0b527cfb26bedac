// The DXF bridge's conversion without the program around it, so that the
// sanitizer build (no Qt, no programs) can run it on real drawings.
#include "tools/bridge_options.h"
#include "tools/bridge_run.h"

#include <iostream>

int main(int argc, char** argv)
{
    TBridgeOptions options;
    if (std::optional<int> status = ParseBridgeCommandLine(argc, argv, options))
        return *status;
    return RunBridge(options, std::cout, std::cerr);
}
