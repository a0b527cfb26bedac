#include "tools/export_command.h"

#include "common/errors.h"
#include "export/export_file.h"
#include "start/error_text.h"

#include <iostream>

bool SaveExports(const std::vector<TOutputFile>& exports, const std::vector<TPGon>& faces,
                 const TBuildRecord& record, const TMaterialTable& materials,
                 const std::array<int32_t, 3>& background, double metresPerUnit, const THiddenLayers& hidden,
                 std::ostream& report)
{
    const TExportModel model = BuildExportModel(faces, record.FaceOrigins, record.LayerNames, materials,
                                                background, metresPerUnit, hidden);
    report << "exported " << model.Triangles << " triangles (left out: " << model.WithoutArea
           << " without area, " << model.NonFinite << " with a corner that is no finite point)\n";
    bool saved = true;
    for (const TOutputFile& target : exports)
        try
        {
            WriteExportFile(model, target.Name, target.Path);
        }
        catch (const ProgramError& error)
        {
            std::cerr << ErrorDisplayText(error) << "\n";
            saved = false;
        }
    return saved;
}
