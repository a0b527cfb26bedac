#include "input/text_lines.h"

#include "common/errors.h"
#include "common/regular_file.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace
{

constexpr size_t ReadChunk = 1 << 16;

} // namespace

std::string ReadWholeFile(const std::string& path)
{
    TFileHandle file;
    size_t size = 0;
    if (!OpenRegularFile(path, file, size))
        throw FileOpenError(path);
    const int descriptor = file.Descriptor;

    // Room for the whole file plus one chunk, so the read that meets the end
    // does not grow the buffer.
    std::string text;
    text.reserve(size + ReadChunk);
    for (;;)
    {
        size_t used = text.size();
        text.resize(used + ReadChunk);
        ssize_t count = read(descriptor, text.data() + used, ReadChunk);
        if (count < 0 && errno != EINTR)
            throw FileOpenError(path);
        text.resize(used + static_cast<size_t>(count > 0 ? count : 0));
        if (count == 0)
            break;
        // Nothing after a NUL is read. The bytes are searched for a NUL; they
        // are no C string, so the checker's terminator rule does not apply.
        // NOLINTNEXTLINE(bugprone-not-null-terminated-result)
        const char* nul = static_cast<const char*>(std::memchr(text.data() + used, '\0', text.size() - used));
        if (nul)
        {
            text.resize(static_cast<size_t>(nul - text.data()));
            break;
        }
    }
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
