#include "dxf/drawing_units.h"

namespace
{

struct TUnitName
{
    const char* Name;
    int InsUnits;
    double Millimetres;
};

const TUnitName Units[] = {
    {"in", 1, 25.4}, {"ft", 2, 304.8},  {"mm", 4, 1},    {"cm", 5, 10},      {"m", 6, 1000},
    {"km", 7, 1e6},  {"yd", 10, 914.4}, {"dm", 14, 100}, {"mil", 9, 0.0254},
};

} // namespace

bool IsUnitOption(const std::string& option)
{
    return option == "mm" || option == "cm" || option == "m" || option == "in" || option == "auto";
}

TDrawingUnit ChooseDrawingUnit(const std::string& option, int insUnits)
{
    for (const TUnitName& unit : Units)
    {
        if (option != "auto" && option == unit.Name)
            return {unit.Millimetres, unit.Name, std::string(unit.Name) + " (--unit)"};
        if (option == "auto" && insUnits == unit.InsUnits)
            return {unit.Millimetres, unit.Name,
                    std::string(unit.Name) + " ($INSUNITS " + std::to_string(insUnits) + ")"};
    }
    if (insUnits == 0)
        return {1, "mm", "mm (assumed: the drawing names no unit; --unit sets one)"};
    return {1, "mm",
            "mm (assumed: $INSUNITS " + std::to_string(insUnits) + " is not known; --unit sets one)"};
}
