#include "dxf/default_materials.h"

#include "dxf/dxf_colors.h"

#include <array>
#include <cstdio>

namespace
{

std::string ColourLines()
{
    std::string lines;
    for (int index = 1; index <= 9; index++)
    {
        std::array<int, 3> rgb = AciColor(index);
        char line[64];
        std::snprintf(line, sizeof line, "%.3f,%.3f,%.3f,0.5,0.5,0,0\r\n", rgb[0] / 255.0, rgb[1] / 255.0,
                      rgb[2] / 255.0);
        lines += line;
    }
    return lines;
}

} // namespace

std::string DefaultMaterialText()
{
    return "line type 1: line colours 1 to 9 as DXF colours 1 to 9 (kestrelview-dxf)\r\n" + ColourLines() +
           "200,215,230\r\n";
}

std::string DefaultMaterial2Text()
{
    std::string text;
    for (int type = 2; type <= 9; type++)
        text += "line type " + std::to_string(type) + "\r\n" + ColourLines();
    return text;
}
