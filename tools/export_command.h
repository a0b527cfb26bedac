#pragma once

#include "export/web_page.h"
#include "model/build_record.h"
#include "render/render_view.h"
#include "tools/render_options.h"

#include <ostream>
#include <vector>

// What a web page of the model shows beside it: the title from the current
// folder's name, the face count, and the view and light of the picture render
// draws from view.
TWebPage WebPageFor(const TRenderState& render, const TViewParameters& view, int64_t faces,
                    double metresPerUnit);

// Writes the model to each export file, in the format its name asks for (an
// OBJ file gets its .mtl beside it, a web page shows what page says), in
// page.MetresPerUnit, and tells report how many triangles went in and how
// many were left out, and each page's size. faces are the model the record
// describes; materials and background the tables it was built with. Returns
// false when a file could not be written; that is reported on standard error.
bool SaveExports(const std::vector<TOutputFile>& exports, const std::vector<TPGon>& faces,
                 const TBuildRecord& record, const TMaterialTable& materials,
                 const std::array<int32_t, 3>& background, const TWebPage& page, std::ostream& report);
