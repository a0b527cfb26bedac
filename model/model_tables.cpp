#include "model/model_tables.h"

std::vector<TPGon> PolygonList;
std::vector<TMyPolyPoints> OutlineList;

void ResetModelTables()
{
    ReleaseFaces();
    OutlineList.clear();
    OutlineList.shrink_to_fit();
}
