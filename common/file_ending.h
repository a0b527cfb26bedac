#pragma once

#include <string_view>

// Whether name ends in ending (".png"), its letters in any case: every file
// ending the programs look at (.bmp .png .svg .glb .gltf .obj .dxf) is
// matched so.
bool HasEnding(std::string_view name, std::string_view ending);
