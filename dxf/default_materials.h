#pragma once

#include <string>

// material.txt for a converted drawing: line colours 1 to 9 in the colours
// of DXF colour indexes 1 to 9, and a light background.
std::string DefaultMaterialText();

// material2.txt: line types 2 to 9 in the same colours as line type 1.
std::string DefaultMaterial2Text();
