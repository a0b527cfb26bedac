#include "input/scene_state.h"

TViewParameters ViewParameters;
TAmbientLight AmbientLight;
std::vector<LightSource> LightList;

void ResetSceneState()
{
    LightList.clear();
    AmbientLight = TAmbientLight{};
    ViewParameters = TViewParameters{};
}
