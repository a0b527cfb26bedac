#include "input/scene_tables.h"

#include "model/model_tables.h"

#include <utility>

void SwapSceneTables(TSceneTables& tables)
{
    std::swap(PolygonList, tables.PolygonList);
    std::swap(OutlineList, tables.OutlineList);
    std::swap(MaterialTable, tables.MaterialTable);
    std::swap(BackgroundColor, tables.BackgroundColor);
    std::swap(ViewParameters, tables.ViewParameters);
    std::swap(AmbientLight, tables.AmbientLight);
    std::swap(LightList, tables.LightList);
}
