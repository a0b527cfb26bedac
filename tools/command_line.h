#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The exit statuses of both companions.
enum ExitStatus
{
    ExitSucceeded = 0,
    ExitFailed = 1,
    ExitUsage = 2,
    ExitWarned = 3, // kestrelview-render: the plan check found a warning
};

// What an option sets from its value (empty for a switch); false when the
// value is malformed. Expected says what a good value is, for the usage error.
struct TOptionTarget
{
    std::function<bool(const std::string& value)> Set;
    const char* Expected;
};

// One row of a program's option table.
struct TOption
{
    const char* Name;  // the long name, after "--"
    const char* Value; // the value's name in the help; nullptr for a switch
    const char* Help;
    TOptionTarget Target;
};

// A program's command line: its options, then at most one argument, which
// is a row of its own (Name "DIR", no Value). Both programs also take
// -h, --help and -v, --version.
struct TCommandLine
{
    const char* Program; // begins the program's messages
    const char* About;   // what the program does, under the usage line
    std::vector<TOption> Options;
    TOption Argument;
    bool ArgumentNeeded;
};

// A switch: sets field to true.
TOptionTarget SetTrue(bool& field);

// Sets field to what parse makes of the value; parse gives nothing for a
// malformed one.
template <class TField, class TParse> TOptionTarget SetTo(TField& field, TParse parse, const char* expected)
{
    auto set = [&field, parse](const std::string& value)
    {
        auto parsed = parse(value);
        if (parsed)
            field = *parsed;
        return parsed.has_value();
    };
    return {set, expected};
}

// The same for an option that may be given more than once: each value is
// added to list.
template <class TItem, class TParse>
TOptionTarget AddTo(std::vector<TItem>& list, TParse parse, const char* expected)
{
    auto add = [&list, parse](const std::string& value)
    {
        auto parsed = parse(value);
        if (parsed)
            list.push_back(*parsed);
        return parsed.has_value();
    };
    return {add, expected};
}

// Any text: the value as given (an empty one is a usage error already).
std::optional<std::string> Text(std::string_view value);

// Reads the command line into the targets of the options and the argument,
// each path and text kept as the bytes in argv. An option is "--NAME" or "-NAME"; its value is the
// next argument whatever it begins with, or follows "=" in the same one. An
// argument that begins with "-" follows "--". Returns the exit status when
// the command ends here: after the help or the version (standard output), or
// after a usage error (standard error).
std::optional<int> ReadCommandLine(const TCommandLine& line, int argc, char** argv);

// Reports a usage error on standard error, with the help. Returns ExitUsage.
int UsageError(const TCommandLine& line, const std::string& message);
