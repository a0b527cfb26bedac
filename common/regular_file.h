#pragma once

#include <cstddef>
#include <string>

// An open file's descriptor, closed when the handle goes.
struct TFileHandle
{
    int Descriptor = -1;

    TFileHandle() = default;
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;
    ~TFileHandle();
};

// Opens path (its bytes as given) for reading and tells its size. Opened
// without blocking, so that a pipe or device of that name cannot hang the
// program. False, with nothing open, unless path names a regular file (links
// followed); errno then says why, EINVAL for a file of another kind.
bool OpenRegularFile(const std::string& path, TFileHandle& file, size_t& size);
