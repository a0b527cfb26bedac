#pragma once

#include "export/export_model.h"
#include "export/web_page.h"

#include <string>

// Writes model to the file at path in the format its name asks for (.glb,
// .gltf, .obj or .html); an OBJ file gets its material library beside it, a
// web page shows what page says beside the model. name is the file's name as
// it was given, for messages. Each file is written all or nothing; raises the
// file-create error naming the file, as given, that could not be written.
// Returns the size of the file at path, in bytes.
size_t WriteExportFile(const TExportModel& model, const TWebPage& page, const std::string& name,
                       const std::string& path);
