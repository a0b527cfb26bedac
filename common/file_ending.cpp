#include "common/file_ending.h"

#include <algorithm>
#include <cctype>

bool HasEnding(std::string_view name, std::string_view ending)
{
    return name.size() >= ending.size() &&
           std::equal(ending.begin(), ending.end(), name.end() - ending.size(),
                      [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); });
}
