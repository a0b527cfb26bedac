#pragma once

#include "model/records.h"

#include <string>
#include <string_view>
#include <vector>

// The comma fields of a text.
using TextFields = std::vector<std::string>;

// Acts on one text record of the interchange file: prefix is "ch", "c2" or
// "cz", tokens and pieces are the line cut at blanks and at double quotes, and
// slot is the layer slot current when the line is read. A number text adds a
// height mark to slot; on "ch" records the keywords "lv", "v", "f", "al", "sl"
// and "sls" set the base height, the view, the ambient light or add a light.
// fields is the working list the text's comma fields are cut into.
// Returns the number of fields of the text when it made a height mark, else 0.
int ReadTextRecord(std::string_view prefix, const std::vector<std::string_view>& tokens,
                   const std::vector<std::string_view>& pieces, TextFields& fields, LayerSlot& slot);
