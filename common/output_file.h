#pragma once

#include <string>
#include <string_view>

// Writes bytes to the file named by path, the path's bytes used as given.
// A regular file or a new name is written all or nothing: the bytes go to a
// temporary file beside it that is then renamed into place, so a failed write
// never damages an existing file; a symbolic link keeps pointing at the file
// it names, which is replaced. Anything else that already exists (a device,
// a pipe with a reader) is written directly, opened without blocking so that
// a pipe nobody reads fails at once. Raises the file-create error naming path.
void WriteOutputFile(const std::string& path, std::string_view bytes);
