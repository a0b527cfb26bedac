#include "export/export_file.h"

#include "common/errors.h"
#include "common/output_file.h"
#include "export/export_options.h"
#include "export/gltf_file.h"
#include "export/obj_file.h"

#include <string_view>

namespace
{

// A failed write names the file as it was given, not the path it resolved to.
void WriteNamed(const std::string& name, const std::string& path, std::string_view bytes)
{
    try
    {
        WriteOutputFile(path, bytes);
    }
    catch (const ProgramError&)
    {
        throw FileCreateError(name);
    }
}

} // namespace

void WriteExportFile(const TExportModel& model, const std::string& name, const std::string& path)
{
    const std::optional<TExportFormat> format = ExportFormatFor(name);
    if (format != TExportFormat::Obj)
    {
        WriteNamed(name, path, GltfBytes(model, format == TExportFormat::Glb));
        return;
    }
    const std::string library = MaterialLibraryName(name);
    WriteNamed(library, MaterialLibraryName(path), MtlText(model));
    WriteNamed(name, path, ObjText(model, library.substr(library.rfind('/') + 1)));
}
