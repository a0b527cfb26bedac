#pragma once

#include "start/start_sequence.h"

#include <ostream>

// A few lines for a person at the terminal: how many faces the start built
// (walls and slabs), their height range and colours, the view, and the
// error the window would show.
void PrintSummary(std::ostream& out, const TStartState& state);
