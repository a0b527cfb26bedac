#include "tools/export_command.h"

#include "common/errors.h"
#include "export/export_file.h"
#include "export/export_options.h"
#include "start/error_text.h"
#include "start/model_export.h"

#include <iostream>

bool SaveExports(const std::vector<TOutputFile>& exports, const TBuildRecord& record,
                 const THiddenLayers& hidden, const TWebPage& page, std::ostream& report)
{
    const TExportModel model = ShownExportModel(record, hidden, page.MetresPerUnit);
    report << "exported " << model.Triangles << " triangles (left out: " << model.WithoutArea
           << " without area, " << model.NonFinite << " with a corner that is no finite point)\n";
    bool saved = true;
    for (const TOutputFile& target : exports)
        try
        {
            const size_t size = WriteExportFile(model, page, target.Name, target.Path);
            if (ExportFormatFor(target.Name) == TExportFormat::Html)
                report << "web page " << target.Name << ": " << size << " bytes"
                       << (model.Triangles >= LargePageTriangles ? " (a large model: it may be slow to open)"
                                                                 : "")
                       << "\n";
        }
        catch (const ProgramError& error)
        {
            std::cerr << ErrorDisplayText(error) << "\n";
            saved = false;
        }
    return saved;
}
