#pragma once

#include "export/export_model.h"
#include "model/build_record.h"
#include "tools/render_options.h"

#include <ostream>
#include <vector>

// Writes the model to each export file, in the format its name asks for (an
// OBJ file gets its .mtl beside it), and tells report how many triangles went
// in and how many were left out. faces are the model the record describes;
// materials and background the tables it was built with; the faces of hidden
// layers stay out. Returns false when a file could not be written; that is
// reported on standard error.
bool SaveExports(const std::vector<TOutputFile>& exports, const std::vector<TPGon>& faces,
                 const TBuildRecord& record, const TMaterialTable& materials,
                 const std::array<int32_t, 3>& background, double metresPerUnit, const THiddenLayers& hidden,
                 std::ostream& report);
