#include "input/text_lines.h"

#include "common/errors.h"
#include "common/file_bytes.h"

#include <cstring>

std::string ReadWholeFile(const std::string& path)
{
    std::string text;
    if (ReadFileBytes(path, text, SIZE_MAX, true) != TFileRead::Done)
        throw FileOpenError(path);
    return text;
}

std::string_view TextBeforeNul(std::string_view text)
{
    size_t nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

bool TakeLine(std::string_view& text, std::string_view& line)
{
    if (text.empty())
        return false;
    // The line runs to the first LF or to a CR before it.
    const char* start = text.data();
    const char* feed = static_cast<const char*>(std::memchr(start, '\n', text.size()));
    size_t end = feed ? static_cast<size_t>(feed - start) : text.size();
    const char* carriageReturn = static_cast<const char*>(std::memchr(start, '\r', end));
    if (carriageReturn)
        end = static_cast<size_t>(carriageReturn - start);
    line = text.substr(0, end);
    if (end < text.size())
    {
        bool crLf = carriageReturn && end + 1 < text.size() && text[end + 1] == '\n';
        end += crLf ? 2 : 1;
    }
    text.remove_prefix(end);
    return true;
}

std::vector<std::string> SplitTextLines(const std::string& text, size_t maxLines)
{
    std::vector<std::string> lines;
    std::string_view rest = TextBeforeNul(text);
    std::string_view line;
    while (lines.size() < maxLines && TakeLine(rest, line))
        lines.emplace_back(line);
    return lines;
}

std::vector<std::string> ReadTextLines(const std::string& path, size_t maxLines)
{
    return SplitTextLines(ReadWholeFile(path), maxLines);
}
