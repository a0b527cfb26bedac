#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Cuts a text into comma fields. Blanks (codes 1 to 32) separate fields as
// commas do; two commas in a row give an empty field; a comma that is the very
// last character gives an empty last field; a field opening with a double
// quote runs to the closing quote, "" inside standing for one quote. Bytes of
// code 128 and above belong to fields, so Shift-JIS text passes unchanged.
// Cutting stops after maxFields fields, for readers that look at no more.
std::vector<std::string> SplitCommaFields(std::string_view text, size_t maxFields = SIZE_MAX);

// The same into a list the caller keeps from text to text: fields replaces
// its entries and keeps its room, so a reader of many short texts does not
// allocate a list for each.
void SplitCommaFields(std::string_view text, std::vector<std::string>& fields, size_t maxFields);

// The text without characters of code 0 to 32 at either end.
std::string_view TrimControl(std::string_view text);
