#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// The working lists of the interchange reader hold views into the line being
// read, so a line is split without copying its text. Both functions behave as
// their std::string forms in scene_loader.h, except that they stop once the
// list holds limit entries: no record looks further than its first few, and a
// line of countless blanks or quotes then costs no memory beyond itself.
int SplitOnBlanks(std::string_view text, std::vector<std::string_view>& list, size_t limit = SIZE_MAX);
int SplitOnChar(std::string_view text, char separator, std::vector<std::string_view>& list,
                size_t limit = SIZE_MAX);

// Entry index of a working list, or the list-index error naming the index
// when the list has no such entry.
std::string_view ListItem(const std::vector<std::string_view>& list, size_t index);
