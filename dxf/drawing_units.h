#pragma once

#include <string>

// How drawing units become the millimetres the interchange file holds.
struct TDrawingUnit
{
    double Millimetres = 1;  // per drawing unit
    std::string Name = "mm"; // "mm", "cm", ...
    std::string Description; // for the summary, e.g. "m ($INSUNITS 6)"
};

// The unit named on the command line (mm, cm, m, in), or for "auto" the one
// $INSUNITS gives; a drawing without units is taken as millimetres.
TDrawingUnit ChooseDrawingUnit(const std::string& option, int insUnits);

// Whether a --unit value is one of mm, cm, m, in, auto.
bool IsUnitOption(const std::string& option);
