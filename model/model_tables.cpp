#include "model/model_tables.h"

std::vector<TPGon> PolygonList;
std::vector<TMyPolyPoints> OutlineList;
std::vector<TFaceOrigin> FaceOriginList;
TLayerNames LayerNames;
TGroupNames GroupNames;

void ResetModelTables()
{
    ReleaseFaces();
    OutlineList.clear();
    OutlineList.shrink_to_fit();
    LayerNames = {};
    GroupNames = {};
}
