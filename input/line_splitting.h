#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// The working lists of the interchange reader hold views into the line being
// read, so a line is split without copying its text. Both functions stop once
// the list holds limit entries: no record looks further than its first few,
// and a line of countless blanks or quotes then costs no memory beyond itself.

// Appends the blank-separated tokens of text; a leading blank is kept as the
// one-blank token " " that marks a line record. Returns the list's size, or 0
// for an empty text.
int SplitOnBlanks(std::string_view text, std::vector<std::string_view>& list, size_t limit = SIZE_MAX);

// Appends the non-empty pieces of text between separators. Returns the list's
// size, or 0 for an empty text or a NUL separator.
int SplitOnChar(std::string_view text, char separator, std::vector<std::string_view>& list,
                size_t limit = SIZE_MAX);
