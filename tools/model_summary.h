#pragma once

#include "model/polygon.h"
#include "model/records.h"
#include "start/start_sequence.h"

#include <ostream>
#include <vector>

// A few lines for a person at the terminal: how many faces the start built
// (walls and slabs), their height range and colours, the view, and the
// error the window would show.
void PrintSummary(std::ostream& out, const TStartState& state, const std::vector<TPGon>& faces,
                  const TViewParameters& view);
