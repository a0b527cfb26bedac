#include "common/output_file.h"

#include "common/errors.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty())
    {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// A device or pipe: opened without creating or truncating it. Once open, the
// descriptor blocks again, so a slow reader does not cut the output short.
bool WriteDirectly(const std::string& path, std::string_view bytes)
{
    int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = ::fcntl(fd, F_GETFL);
    bool written = flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0 && WriteAll(fd, bytes);
    return ::close(fd) == 0 && written;
}

mode_t NewFileMode()
{
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// target is a regular file or does not exist yet. mode is the existing file's
// permissions, which the new file keeps.
bool WriteReplacing(const std::string& target, mode_t mode, std::string_view bytes)
{
    std::string folder = ".";
    if (size_t slash = target.rfind('/'); slash != std::string::npos)
        folder = slash == 0 ? "/" : target.substr(0, slash);
    std::string temporary = folder + "/.kestrelview-XXXXXX";
    int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    bool written = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes);
    written = ::close(fd) == 0 && written;
    if (written && ::rename(temporary.c_str(), target.c_str()) == 0)
        return true;
    ::unlink(temporary.c_str());
    return false;
}

} // namespace

void WriteOutputFile(const std::string& path, std::string_view bytes)
{
    if (path.empty() || path.find('\0') != std::string::npos)
        throw FileCreateError(path);

    struct stat status;
    bool written = false;
    if (::stat(path.c_str(), &status) != 0)
        written = errno == ENOENT && WriteReplacing(path, NewFileMode(), bytes);
    else if (!S_ISREG(status.st_mode))
        written = WriteDirectly(path, bytes);
    else
    {
        // Through a symbolic link the file it names is replaced, not the link.
        char resolved[PATH_MAX];
        written = ::realpath(path.c_str(), resolved) != nullptr &&
                  WriteReplacing(resolved, status.st_mode & 07777, bytes);
    }
    if (!written)
        throw FileCreateError(path);
}
