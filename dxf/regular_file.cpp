#include "dxf/regular_file.h"

#include "common/file_bytes.h"
#include "dxf/dxf_error.h"

#include <cerrno>
#include <cstring>

std::string ReadRegularFile(const std::string& path, size_t limit)
{
    std::string bytes;
    switch (ReadFileBytes(path, bytes, limit))
    {
    case TFileRead::Done:
        break;
    case TFileRead::NotOpened:
        throw DxfError("cannot open " + path + ": " + std::strerror(errno));
    case TFileRead::NotRegular:
        throw DxfError(path + " is not a regular file");
    case TFileRead::NotRead:
        throw DxfError("cannot read " + path + ": " + std::strerror(errno));
    }
    return bytes;
}
