#pragma once

#include <string_view>
#include <vector>

// The working lists of the interchange reader hold views into the line being
// read, so a line is split without copying its text. Both functions behave as
// their std::string forms in scene_loader.h.
int SplitOnBlanks(std::string_view text, std::vector<std::string_view>& list);
int SplitOnChar(std::string_view text, char separator, std::vector<std::string_view>& list);

// Entry index of a working list, or the list-index error naming the index
// when the list has no such entry.
std::string_view ListItem(const std::vector<std::string_view>& list, size_t index);
