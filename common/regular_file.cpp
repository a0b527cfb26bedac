#include "common/regular_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TFileHandle::~TFileHandle()
{
    if (Descriptor >= 0)
        close(Descriptor);
}

bool OpenRegularFile(const std::string& path, TFileHandle& file, size_t& size)
{
    int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (descriptor < 0)
        return false;
    struct stat info;
    if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode))
    {
        close(descriptor);
        errno = EINVAL;
        return false;
    }
    file.Descriptor = descriptor;
    size = static_cast<size_t>(info.st_size);
    return true;
}
