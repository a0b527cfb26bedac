#pragma once

#include "input/input_tables.h"
#include "model/outline_trace.h"
#include "model/polygon.h"

#include <array>
#include <cstdint>
#include <vector>

// Every module table a start fills, held as one value. The window reads a
// drawing again into fresh tables while it keeps showing the model it has,
// and swaps that model back when the new drawing fails. Default-constructed,
// the tables are as at program start.
struct TSceneTables
{
    std::vector<TPGon> PolygonList;
    std::vector<TMyPolyPoints> OutlineList;
    TMaterialTable MaterialTable{};
    std::array<int32_t, 3> BackgroundColor{};
    TViewParameters ViewParameters;
    TAmbientLight AmbientLight;
    std::vector<LightSource> LightList;
};

// Exchanges the contents of the module tables with those of tables.
void SwapSceneTables(TSceneTables& tables);
