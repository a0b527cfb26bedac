#pragma once

#include <string>
#include <vector>

// Reads a whole text file as lines. A line ends at CR, LF or CR LF; empty
// lines stay; a break at the very end adds no line; a NUL byte ends the text.
// Bytes pass through unchanged. Raises the file-open error naming path when
// the file cannot be read.
std::vector<std::string> ReadTextLines(const std::string& path);

// The same line breaking applied to text already in memory.
std::vector<std::string> SplitTextLines(const std::string& text);
