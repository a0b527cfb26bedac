#include "export/export_options.h"

#include <algorithm>
#include <cctype>
#include <string>

std::optional<TExportFormat> ExportFormatFor(std::string_view name)
{
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || name.find('/', dot) != std::string_view::npos)
        return std::nullopt;
    std::string extension(name.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "glb")
        return TExportFormat::Glb;
    if (extension == "gltf")
        return TExportFormat::Gltf;
    if (extension == "obj")
        return TExportFormat::Obj;
    if (extension == "html")
        return TExportFormat::Html;
    return std::nullopt;
}

std::optional<double> MetresPerUnit(std::string_view unit)
{
    if (unit == "mm")
        return 0.001;
    if (unit == "cm")
        return 0.01;
    if (unit == "m")
        return 1.0;
    return std::nullopt;
}
