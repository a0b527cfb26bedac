#pragma once

#include "start/start_sequence.h"

#include <nlohmann/json.hpp>

// The state the window holds after its start, as one JSON object: error,
// colours, material table, view, lights, camera, the picture when it is not
// the window's, and every face. Reals are written in the shortest form that
// reads back to the value in the precision it is held in; non-finite ones as
// "NaN", "Infinity" or "-Infinity".
nlohmann::ordered_json StateToJson(const TStartState& state);
