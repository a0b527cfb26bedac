#include "input/input_tables.h"

TMaterialTable MaterialTable{};
std::array<int32_t, 3> BackgroundColor{};
TViewParameters ViewParameters;
TAmbientLight AmbientLight;
std::vector<LightSource> LightList;

void ResetSceneState()
{
    LightList.clear();
    AmbientLight = TAmbientLight{};
    ViewParameters = TViewParameters{};
}

void ClearMaterials()
{
    MaterialTable = {};
    BackgroundColor = {};
}

void ResetInputTables()
{
    ClearMaterials();
    ResetSceneState();
}
