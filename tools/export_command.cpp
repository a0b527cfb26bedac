#include "tools/export_command.h"

#include "common/errors.h"
#include "common/output_file.h"
#include "export/export_model.h"
#include "export/export_options.h"
#include "export/gltf_file.h"
#include "export/obj_file.h"
#include "input/input_tables.h"
#include "model/model_tables.h"
#include "start/error_text.h"

#include <iostream>

namespace
{

// Writes one export; a failed file is reported by the name as typed.
bool SaveExport(const TExportModel& model, const TOutputFile& target)
{
    TOutputFile current = target;
    try
    {
        if (ExportFormatFor(target.Name) == TExportFormat::Obj)
        {
            current = {MaterialLibraryName(target.Name), MaterialLibraryName(target.Path)};
            WriteOutputFile(current.Path, MtlText(model));
            const std::string library = current.Name.substr(current.Name.rfind('/') + 1);
            current = target;
            WriteOutputFile(current.Path, ObjText(model, library));
        }
        else
        {
            WriteOutputFile(current.Path,
                            GltfBytes(model, ExportFormatFor(target.Name) == TExportFormat::Glb));
        }
    }
    catch (const ProgramError&)
    {
        std::cerr << ErrorDisplayText(FileCreateError(current.Name)) << "\n";
        return false;
    }
    return true;
}

} // namespace

bool SaveExports(const std::vector<TOutputFile>& exports, double metresPerUnit, std::ostream& report)
{
    const TExportModel model = BuildExportModel(PolygonList, FaceOriginList, LayerNames, MaterialTable,
                                                BackgroundColor, metresPerUnit);
    report << "exported " << model.Triangles << " triangles (left out: " << model.WithoutArea
           << " without area, " << model.NonFinite << " with a corner that is no finite point)\n";
    bool saved = true;
    for (const TOutputFile& target : exports)
        saved = SaveExport(model, target) && saved;
    return saved;
}
