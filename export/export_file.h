#pragma once

#include "export/export_model.h"

#include <string>

// Writes model to the file at path in the format its name asks for (.glb,
// .gltf or .obj); an OBJ file gets its material library beside it. name is
// the file's name as it was given, for messages. Each file is written all or
// nothing; raises the file-create error naming the file, as given, that
// could not be written.
void WriteExportFile(const TExportModel& model, const std::string& name, const std::string& path);
