#pragma once

#include "check/finding.h"

#include <nlohmann/json.hpp>

#include <ostream>
#include <vector>

// The findings one per line, "temp.txt:LINE: layer G/L at (x, y): severity:
// kind: sentence", then the count of each kind found.
void PrintFindings(std::ostream& out, const std::vector<TFinding>& findings);

// {"findings": [{"kind", "severity", "layer", "at", "lines", "distance"?,
// "message": {"ja", "en"}}, ...], "counts": {kind: n}}, every kind counted.
nlohmann::ordered_json FindingsToJson(const std::vector<TFinding>& findings);
