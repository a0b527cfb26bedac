// Placeholder implementations until the readers land.
#include "input/material_files.h"
#include "input/scene_loader.h"
#include "input/scene_state.h"
#include "input/text_lines.h"

TViewParameters ViewParameters;
TAmbientLight AmbientLight;
std::vector<LightSource> LightList;
TMaterialTable MaterialTable{};
std::array<int32_t, 3> BackgroundColor{};

std::vector<std::string> ReadTextLines(const std::string&) { return {}; }
std::vector<std::string> SplitTextLines(const std::string&) { return {}; }
void LoadMaterial(const std::string&) {}
void LoadMaterial2(const std::string&) {}
void ClearMaterials() {}
void SceneLoader(const std::string&) {}
int SplitOnBlanks(const std::string&, std::vector<std::string>&) { return 0; }
int SplitOnChar(const std::string&, char, std::vector<std::string>&) { return 0; }
