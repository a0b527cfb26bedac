#include "export/export_options.h"

#include "common/file_ending.h"

std::optional<TExportFormat> ExportFormatFor(std::string_view name)
{
    if (HasEnding(name, ".glb"))
        return TExportFormat::Glb;
    if (HasEnding(name, ".gltf"))
        return TExportFormat::Gltf;
    if (HasEnding(name, ".obj"))
        return TExportFormat::Obj;
    if (HasEnding(name, ".html"))
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
