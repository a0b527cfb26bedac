#pragma once

#include "export/web_page.h"
#include "model/build_record.h"
#include "model/layers.h"
#include "tools/render_options.h"

#include <ostream>
#include <vector>

// Writes the model to each export file, in the format its name asks for (an
// OBJ file gets its .mtl beside it, a web page shows what page says), in
// page.MetresPerUnit, and tells report how many triangles went in and how
// many were left out, and each page's size. The model is the one in the
// module tables, which record describes; the faces of hidden layers stay
// out. Returns false when a file could not be written; that is reported on
// standard error.
bool SaveExports(const std::vector<TOutputFile>& exports, const TBuildRecord& record,
                 const THiddenLayers& hidden, const TWebPage& page, std::ostream& report);
