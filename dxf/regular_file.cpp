#include "dxf/regular_file.h"

#include "dxf/dxf_error.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace
{

struct TDescriptor
{
    int Value;
    ~TDescriptor() { close(Value); }
};

const size_t ReadChunk = 1 << 16;

} // namespace

std::string ReadRegularFile(const std::string& path, size_t limit)
{
    int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (descriptor < 0)
        throw DxfError("cannot open " + path + ": " + std::strerror(errno));
    TDescriptor file{descriptor};
    struct stat info;
    if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode))
        throw DxfError(path + " is not a regular file");
    std::string bytes;
    bytes.reserve(std::min(static_cast<size_t>(info.st_size), limit));
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
