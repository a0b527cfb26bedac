#pragma once

#include "dxf/drawing_units.h"
#include "dxf/interchange_writer.h"

#include <iosfwd>
#include <optional>

// The summary's lines about where the plan lies, which layers got heights
// and which view was written.

// "extent: 1250 x 830 cm (12.5 x 8.3 m)", or why there is none.
void PrintExtent(std::ostream& out, const TPlanExtent& extent, const TDrawingUnit& unit);

// One line per layer: its segments and whether they got heights.
void PrintLayers(std::ostream& out, const std::vector<TLayerSummary>& layers,
                 std::optional<double> wallHeight);

// The view, and a note when the plan reaches beyond what the picture draws.
void PrintView(std::ostream& out, const TPlanView& view);
