#include "tools/command_line.h"

#include <algorithm>
#include <iostream>

namespace
{

// Help texts start in this column and wrap at 80.
constexpr size_t HelpColumn = 24;
constexpr size_t HelpWidth = 80;

// One row of the help: left (an option and its value) indented by two, its
// help beside it, or under it when left is too wide, wrapped under itself.
void AppendHelpRow(std::string& text, const std::string& left, std::string_view help)
{
    std::string line = "  " + left;
    if (line.size() + 2 > HelpColumn)
    {
        text += line + "\n";
        line.clear();
    }
    line.resize(HelpColumn, ' ');
    while (!help.empty())
    {
        size_t end = help.size();
        if (line.size() + end > HelpWidth)
            end = help.rfind(' ', HelpWidth - line.size());
        if (end == std::string_view::npos || end == 0)
            end = std::min(help.find(' '), help.size());
        text += line + std::string(help.substr(0, end)) + "\n";
        help.remove_prefix(std::min(end + 1, help.size()));
        line.assign(HelpColumn, ' ');
    }
}

std::string HelpText(const TCommandLine& line)
{
    const std::string argument =
        line.ArgumentNeeded ? line.Argument.Name : std::string("[") + line.Argument.Name + "]";
    std::string text = std::string("Usage: ") + line.Program + " [options] " + argument + "\n" + line.About +
                       "\n\nOptions:\n";
    for (const TOption& option : line.Options)
        AppendHelpRow(text,
                      std::string("--") + option.Name + (option.Value ? std::string(" ") + option.Value : ""),
                      option.Help);
    AppendHelpRow(text, "-h, --help", "Print this help and exit.");
    AppendHelpRow(text, "-v, --version", "Print the version and exit.");
    text += "\nArguments:\n";
    AppendHelpRow(text, line.Argument.Name, line.Argument.Help);
    return text;
}

const TOption* FindOption(const TCommandLine& line, std::string_view name)
{
    for (const TOption& option : line.Options)
        if (name == option.Name)
            return &option;
    return nullptr;
}

} // namespace

TOptionTarget SetTrue(bool& field)
{
    auto set = [&field](const std::string&)
    {
        field = true;
        return true;
    };
    return {set, nullptr};
}

std::optional<std::string> Text(std::string_view value)
{
    return std::string(value);
}

// The usage error of a value that target does not take.
int MalformedValue(const TCommandLine& line, const std::string& shown, const std::string& value,
                   const TOptionTarget& target)
{
    std::string message = shown;
    message += ": " + value + " is not " + target.Expected;
    return UsageError(line, message);
}

std::optional<int> ReadCommandLine(const TCommandLine& line, int argc, char** argv)
{
    std::vector<std::string> arguments;
    bool optionsEnd = false;
    bool version = false;
    for (int i = 1; i < argc; ++i)
    {
        const std::string word = argv[i];
        if (optionsEnd || word.size() < 2 || word[0] != '-')
        {
            arguments.push_back(word);
            continue;
        }
        if (word == "--")
        {
            optionsEnd = true;
            continue;
        }
        const size_t equals = word.find('=');
        const std::string typed = word.substr(0, equals);
        const std::string name = typed.substr(typed.starts_with("--") ? 2 : 1);
        const bool help = typed == "-h" || typed == "-?" || name == "help";
        const bool versionWord = typed == "-v" || name == "version";
        const TOption* option = FindOption(line, name);
        if (!option && !help && !versionWord)
            return UsageError(line, "unknown option " + typed);
        const std::string shown = option ? std::string("--") + option->Name : typed;
        if ((!option || !option->Value) && equals != std::string::npos)
            return UsageError(line, shown + " takes no value");
        if (help)
        {
            std::cout << HelpText(line);
            return ExitSucceeded;
        }
        if (versionWord)
        {
            version = true;
            continue;
        }
        std::string value;
        if (option->Value && equals != std::string::npos)
            value = word.substr(equals + 1);
        else if (option->Value && i + 1 < argc)
            value = argv[++i];
        if (option->Value && value.empty())
            return UsageError(line, shown + " needs a value");
        if (!option->Target.Set(value))
            return MalformedValue(line, shown, value, option->Target);
    }
    if (version)
    {
        std::cout << line.Program << " " KV_VERSION "\n";
        return ExitSucceeded;
    }
    if (arguments.size() > 1)
        return UsageError(line, std::string("only one ") + line.Argument.Name + " may be given");
    if (arguments.empty() && line.ArgumentNeeded)
        return UsageError(line, std::string("no ") + line.Argument.Name + " given");
    if (!arguments.empty() && !line.Argument.Target.Set(arguments.front()))
        return MalformedValue(line, line.Argument.Name, arguments.front(), line.Argument.Target);
    return std::nullopt;
}

int UsageError(const TCommandLine& line, const std::string& message)
{
    std::cerr << line.Program << ": " << message << "\n\n" << HelpText(line);
    return ExitUsage;
}
