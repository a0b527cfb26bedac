#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// How a read of a file's bytes ended.
enum class TFileRead
{
    Done,
    NotOpened,  // errno says why
    NotRegular, // a folder, a pipe, a device ...
    NotRead,    // opened, but a read failed; errno says why
};

// Reads the bytes of the regular file at path (links followed, the path's
// bytes used as given) into bytes: at most limit of them, and with stopAtNul
// nothing after the first NUL byte, which is left out too. Opened without
// blocking, so that a pipe or a device of that name cannot hang the program.
TFileRead ReadFileBytes(const std::string& path, std::string& bytes, size_t limit = SIZE_MAX,
                        bool stopAtNul = false);
