#include "dxf/regular_file.h"

#include "common/regular_file.h"
#include "dxf/dxf_error.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace
{

const size_t ReadChunk = 1 << 16;

} // namespace

std::string ReadRegularFile(const std::string& path, size_t limit)
{
    TFileHandle file;
    size_t size = 0;
    if (!OpenRegularFile(path, file, size))
    {
        if (errno == EINVAL)
            throw DxfError(path + " is not a regular file");
        throw DxfError("cannot open " + path + ": " + std::strerror(errno));
    }
    const int descriptor = file.Descriptor;
    std::string bytes;
    bytes.reserve(std::min(size, limit));
    while (bytes.size() < limit)
    {
        size_t used = bytes.size();
        bytes.resize(used + std::min(ReadChunk, limit - used));
        ssize_t count = read(descriptor, bytes.data() + used, bytes.size() - used);
        bytes.resize(used + static_cast<size_t>(std::max<ssize_t>(count, 0)));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            throw DxfError("cannot read " + path + ": " + std::strerror(errno));
        if (count == 0)
            break;
    }
    return bytes;
}
