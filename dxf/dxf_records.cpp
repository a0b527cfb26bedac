#include "dxf/dxf_records.h"

#include <algorithm>

void CountSkip(std::vector<TSkipCount>& skipped, const std::string& what)
{
    auto found = std::find_if(skipped.begin(), skipped.end(),
                              [&](const TSkipCount& skip) { return skip.What == what; });
    if (found == skipped.end())
        skipped.push_back({what, 1});
    else
        found->Count++;
}

std::string UpperCaseName(std::string name)
{
    for (char& c : name)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return name;
}
