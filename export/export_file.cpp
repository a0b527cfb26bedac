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
size_t WriteNamed(const std::string& name, const std::string& path, std::string_view bytes)
{
    try
    {
        WriteOutputFile(path, bytes);
        return bytes.size();
    }
    catch (const ProgramError&)
    {
        throw FileCreateError(name);
    }
}

} // namespace

size_t WriteExportFile(const TExportModel& model, const TWebPage& page, const std::string& name,
                       const std::string& path)
{
    const std::optional<TExportFormat> format = ExportFormatFor(name);
    if (format == TExportFormat::Html)
        return WriteNamed(name, path, WebPageBytes(model, page));
    if (format != TExportFormat::Obj)
        return WriteNamed(name, path, GltfBytes(model, format == TExportFormat::Glb));
    const std::string library = MaterialLibraryName(name);
    WriteNamed(library, MaterialLibraryName(path), MtlText(model));
    return WriteNamed(name, path, ObjText(model, library.substr(library.rfind('/') + 1)));
}
