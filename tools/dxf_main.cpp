// kestrelview-dxf: converts a DXF drawing into a folder Kestrelview reads,
// then, when asked, opens the window there or writes its picture.
#include "tools/bridge_options.h"
#include "tools/bridge_run.h"
#include "tools/command_line.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <iostream>
#include <string>
#include <vector>

namespace
{

std::string ExecutableFolder()
{
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    std::string text(path, static_cast<size_t>(length));
    return text.substr(0, text.rfind('/'));
}

// The program beside this one (installed, or in the build tree where the
// window is built in app/), else the name alone, found on PATH.
std::string FindProgram(const std::string& name, const std::vector<std::string>& buildFolders)
{
    std::string folder = ExecutableFolder();
    for (const std::string& candidate : buildFolders)
    {
        std::string path = folder;
        path += '/';
        path += candidate;
        path += name;
        if (access(path.c_str(), X_OK) == 0)
            return path;
    }
    return name;
}

// Starts program with arguments, in folder when one is given, and waits for it.
int RunProgram(const std::string& program, const std::vector<std::string>& arguments,
               const std::string& folder)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!folder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t child = 0;
    int error = posix_spawnp(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
    {
        std::cerr << "kestrelview-dxf: cannot start " << program << "\n";
        return ExitFailed;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return ExitFailed;
    return WIFEXITED(status) ? WEXITSTATUS(status) : ExitFailed;
}

} // namespace

int main(int argc, char** argv)
{
    TBridgeOptions options;
    if (std::optional<int> status = ParseBridgeCommandLine(argc, argv, options))
        return *status;
    int status = RunBridge(options, std::cout, std::cerr);
    if (!std::cout.flush())
    {
        std::cerr << "kestrelview-dxf: cannot write to standard output\n";
        status = ExitFailed;
    }
    if (status != ExitSucceeded)
        return status;
    std::string folder = OutputFolder(options);
    if (options.Open)
        return RunProgram(FindProgram("kestrelview", {"", "../app/"}), {}, folder);
    if (options.Picture)
        return RunProgram(FindProgram("kestrelview-render", {""}), {"--output", *options.Picture, folder},
                          "");
    return ExitSucceeded;
}
