#pragma once

#include "export/export_model.h"
#include "export/web_page.h"
#include "model/build_record.h"
#include "model/layers.h"
#include "model/records.h"
#include "render/render_view.h"

#include <cstdint>
#include <string>
#include <string_view>

// The 3D export of the model the start built, shared by the window's Export
// and the companion's --export, so that both write the same files.

// What a web page of the model shows beside it: the title from the current
// folder's name, the face count, and the view and light of the picture render
// draws from view.
TWebPage WebPageFor(const TRenderState& render, const TViewParameters& view, int64_t faces,
                    double metresPerUnit);

// The model in the module tables, which record describes, as the export
// files hold it: in metresPerUnit, the faces of hidden layers left out.
TExportModel ShownExportModel(const TBuildRecord& record, const THiddenLayers& hidden, double metresPerUnit);

// Writes the model shown in the format name asks for to path, as the
// companion's --export does with the same options: unit "mm", "cm" or "m"
// (as --unit takes it; anything else is "mm"), hidden layers left out, a web
// page showing render's picture of view. Raises the file-create error naming
// name when the file cannot be written, and then writes nothing.
void ExportShownModel(const TRenderState& render, const TViewParameters& view, const TBuildRecord& record,
                      const THiddenLayers& hidden, std::string_view unit, const std::string& name,
                      const std::string& path);
