#include "common/file_bytes.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

constexpr size_t ReadChunk = 1 << 16;

// An open file's descriptor, closed when the handle goes.
struct TFileHandle
{
    int Descriptor = -1;

    TFileHandle() = default;
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;
    ~TFileHandle()
    {
        if (Descriptor >= 0)
        {
            const int error = errno; // the caller reads why the read failed
            close(Descriptor);
            errno = error;
        }
    }
};

} // namespace

TFileRead ReadFileBytes(const std::string& path, std::string& bytes, size_t limit, bool stopAtNul)
{
    bytes.clear();
    TFileHandle file;
    file.Descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (file.Descriptor < 0)
        return TFileRead::NotOpened;
    struct stat info;
    if (fstat(file.Descriptor, &info) != 0 || !S_ISREG(info.st_mode))
        return TFileRead::NotRegular;

    // Room for the whole file plus one chunk, so the read that meets the end
    // does not grow the buffer.
    bytes.reserve(std::min(static_cast<size_t>(info.st_size) + ReadChunk, limit));
    while (bytes.size() < limit)
    {
        const size_t used = bytes.size();
        bytes.resize(used + std::min(ReadChunk, limit - used));
        const ssize_t count = read(file.Descriptor, bytes.data() + used, bytes.size() - used);
        bytes.resize(used + static_cast<size_t>(std::max<ssize_t>(count, 0)));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return TFileRead::NotRead;
        if (count == 0)
            break;
        if (!stopAtNul)
            continue;
        const size_t nul = bytes.find('\0', used);
        if (nul != std::string::npos)
        {
            bytes.resize(nul);
            break;
        }
    }
    return TFileRead::Done;
}
