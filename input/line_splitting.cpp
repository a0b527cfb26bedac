#include "input/line_splitting.h"

#include <cstring>

int SplitOnBlanks(std::string_view text, std::vector<std::string_view>& list, size_t limit)
{
    if (text.empty())
        return 0;
    const char* pos = text.data();
    const char* end = pos + text.size();
    // A leading blank is kept as a token of its own: it marks a line record.
    if (*pos == ' ')
        list.emplace_back(pos++, 1);
    while (list.size() < limit)
    {
        while (pos < end && *pos == ' ')
            ++pos;
        if (pos == end)
            break;
        const char* blank = static_cast<const char*>(std::memchr(pos, ' ', static_cast<size_t>(end - pos)));
        const char* tokenEnd = blank ? blank : end;
        list.emplace_back(pos, static_cast<size_t>(tokenEnd - pos));
        pos = tokenEnd;
    }
    return static_cast<int>(list.size());
}

int SplitOnChar(std::string_view text, char separator, std::vector<std::string_view>& list, size_t limit)
{
    if (text.empty() || separator == '\0')
        return 0;
    size_t start = 0;
    while (start <= text.size() && list.size() < limit)
    {
        size_t end = text.find(separator, start);
        if (end == std::string_view::npos)
            end = text.size();
        if (end > start)
            list.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return static_cast<int>(list.size());
}
