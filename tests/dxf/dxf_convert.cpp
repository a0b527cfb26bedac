// The DXF bridge's conversion without the program around it, so that the
// sanitizer build (no Qt, no tools) can run it on real drawings.
#include "tools/bridge_run.h"
#include "tools/command_line.h"

#include <iostream>

int main(int argc, char** argv)
{
    TBridgeOptions options;
    std::string error = ParseBridgeArguments(argc, argv, options);
    if (!error.empty())
    {
        std::cerr << error << "\n";
        return 2;
    }
    return RunBridge(options, std::cout, std::cerr);
}
