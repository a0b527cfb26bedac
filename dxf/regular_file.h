#pragma once

#include <cstdint>
#include <string>

// The bytes of a regular file as ReadFileBytes reads them, at most limit of
// them. Raises DxfError naming the path when it cannot be opened or read, or
// is no regular file.
std::string ReadRegularFile(const std::string& path, size_t limit = SIZE_MAX);
