#pragma once

#include <optional>
#include <string_view>

enum class TExportFormat
{
    Glb,  // glTF 2.0 binary
    Gltf, // glTF 2.0 JSON, buffer embedded
    Obj,  // Wavefront OBJ with its .mtl beside it
    Html, // a web page that shows the model
};

// The format a file name asks for by its extension (in any case), if any.
std::optional<TExportFormat> ExportFormatFor(std::string_view name);

// Metres per drawing unit for "mm", "cm" or "m", if it is one of them.
std::optional<double> MetresPerUnit(std::string_view unit);
