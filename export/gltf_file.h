#pragma once

#include "export/export_model.h"

#include <string>

// The model as glTF 2.0: binary (.glb), or JSON with the one buffer embedded
// as a data URI (.gltf). One node and mesh per layer slot, one primitive per
// kind and material, flat normals, double-sided materials.
std::string GltfBytes(const TExportModel& model, bool binary);
