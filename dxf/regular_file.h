#pragma once

#include <cstdint>
#include <string>

// The bytes of a regular file (links followed), at most limit of them, the
// path's bytes used as given. Opened without blocking, so that a pipe or a
// device of that name cannot hang the bridge. Raises DxfError naming the
// path when it cannot be opened or read, or is no regular file.
std::string ReadRegularFile(const std::string& path, size_t limit = SIZE_MAX);
