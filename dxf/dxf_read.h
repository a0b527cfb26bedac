#pragma once

#include "dxf/dxf_error.h"
#include "dxf/dxf_records.h"

#include <string>

// Reads an ASCII DXF file with dxflib, path bytes used as given. Raises
// DxfError for a file that cannot be read, a binary DXF, or a file that is
// no DXF at all.
TDxfDrawing ReadDxfFile(const std::string& path);

// The same from the file's bytes; name is used in messages.
TDxfDrawing ReadDxfBytes(const std::string& bytes, const std::string& name);
