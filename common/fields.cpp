#include "common/fields.h"

namespace
{

bool IsBlank(char c)
{
    unsigned char code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

bool EndsField(char c)
{
    return static_cast<unsigned char>(c) <= 32 || c == ',';
}

// Reads a quoted field starting at text[pos] == '"'; pos moves past the
// closing quote, or to the end when the quote is never closed.
std::string ReadQuoted(std::string_view text, size_t& pos)
{
    std::string field;
    ++pos;
    while (pos < text.size())
    {
        if (text[pos] == '"')
        {
            if (pos + 1 < text.size() && text[pos + 1] == '"')
            {
                field += '"';
                pos += 2;
                continue;
            }
            ++pos;
            return field;
        }
        field += text[pos++];
    }
    return field;
}

} // namespace

void SplitCommaFields(std::string_view text, std::vector<std::string>& fields, size_t maxFields)
{
    // A NUL ends the text, as it ends a line of the input files.
    size_t nul = text.find('\0');
    if (nul != std::string_view::npos)
        text = text.substr(0, nul);

    fields.clear();
    size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    while (pos < text.size() && fields.size() < maxFields)
    {
        if (text[pos] == '"')
        {
            fields.push_back(ReadQuoted(text, pos));
        }
        else
        {
            size_t start = pos;
            while (pos < text.size() && !EndsField(text[pos]))
                ++pos;
            fields.emplace_back(text.substr(start, pos - start));
        }
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
        if (pos < text.size() && text[pos] == ',')
        {
            if (pos + 1 == text.size())
                fields.emplace_back();
            ++pos;
            while (pos < text.size() && IsBlank(text[pos]))
                ++pos;
        }
    }
    if (fields.size() > maxFields)
        fields.resize(maxFields);
}

std::vector<std::string> SplitCommaFields(std::string_view text, size_t maxFields)
{
    std::vector<std::string> fields;
    SplitCommaFields(text, fields, maxFields);
    return fields;
}

std::string_view TrimControl(std::string_view text)
{
    size_t first = 0;
    while (first < text.size() && static_cast<unsigned char>(text[first]) <= 32)
        ++first;
    size_t last = text.size();
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32)
        --last;
    return text.substr(first, last - first);
}
