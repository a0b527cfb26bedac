#pragma once

#include "export/export_model.h"

#include <string>
#include <string_view>

// The model as Wavefront OBJ text (UTF-8): one object per layer slot, a group
// each for its walls and its slabs, a normal with every vertex.
// materialLibrary is the name of the .mtl file beside it.
std::string ObjText(const TExportModel& model, std::string_view materialLibrary);

// The material library the OBJ text uses: one material per used entry.
std::string MtlText(const TExportModel& model);

// The name of the material library that goes with the OBJ file name: the
// same name with ".mtl" in place of its extension.
std::string MaterialLibraryName(std::string_view objName);
