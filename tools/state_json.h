#pragma once

#include "input/input_tables.h"
#include "model/polygon.h"
#include "start/start_sequence.h"

#include <nlohmann/json.hpp>

#include <array>
#include <vector>

// The tables a start fills that the dump shows besides the window's state.
struct TDumpedTables
{
    const std::vector<TPGon>& Faces;
    const TMaterialTable& Materials;
    const std::array<int32_t, 3>& Background;
    const TViewParameters& View;
    const TAmbientLight& Ambient;
    const std::vector<LightSource>& Lights;
};

// The state the window holds after its start, as one JSON object: error,
// colours, material table, view, lights, camera, the picture when it is not
// the window's, and every face. Reals are written in the shortest form that
// reads back to the value in the precision it is held in; non-finite ones as
// "NaN", "Infinity" or "-Infinity".
nlohmann::ordered_json StateToJson(const TStartState& state, const TDumpedTables& tables);
