#pragma once

#include "tools/render_options.h"

#include <ostream>
#include <vector>

// Writes the model the start built to each export file, in the format its
// name asks for (an OBJ file gets its .mtl beside it), and tells report how
// many triangles went in and how many were left out. Needs the faces'
// origins, which the start keeps when given a build record. Returns false
// when a file could not be written; that is reported on standard error.
bool SaveExports(const std::vector<TOutputFile>& exports, double metresPerUnit, std::ostream& report);
