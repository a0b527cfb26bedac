#pragma once

#include "common/errors.h"

#include <string>
#include <string_view>

// Input bytes as UTF-8 for display: kept when they are valid UTF-8,
// otherwise decoded as Shift-JIS, the host's character set, with every byte
// that is no character of either written as \xHH.
std::string DisplayBytes(std::string_view bytes);

// The text the error box shows for error: its message with the file name or
// token decoded for display, and the full stop rule applied.
std::string ErrorDisplayText(const ProgramError& error);
