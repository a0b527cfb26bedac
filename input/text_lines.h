#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Reads a whole text file as lines. A line ends at CR, LF or CR LF; empty
// lines stay; a break at the very end adds no line; a NUL byte ends the text.
// Bytes pass through unchanged. Raises the file-open error naming path when
// the file cannot be read. Lines from maxLines on are left out.
std::vector<std::string> ReadTextLines(const std::string& path, size_t maxLines = SIZE_MAX);

// The same line breaking applied to text already in memory.
std::vector<std::string> SplitTextLines(const std::string& text, size_t maxLines = SIZE_MAX);

// The bytes of the file at path up to its first NUL byte, read in one go.
// Raises the file-open error naming path when the file cannot be opened or
// read: a folder, a pipe or a device of that name included.
std::string ReadWholeFile(const std::string& path);

// The text up to its first NUL byte, where the input files end.
std::string_view TextBeforeNul(std::string_view text);

// Takes the first line off the front of text and returns true, or returns
// false when no line is left. Line breaks as ReadTextLines; text is expected
// to hold no NUL byte.
bool TakeLine(std::string_view& text, std::string_view& line);
