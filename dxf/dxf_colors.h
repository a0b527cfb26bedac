#pragma once

#include <array>

// The red, green and blue (0 to 255) of a DXF colour index 1 to 255.
std::array<int, 3> AciColor(int index);

// The line colour 1 to 9 for a DXF colour index: 1 to 9 as they are, any
// other to the nearest of those nine by RGB.
int LineColorFor(int index);
