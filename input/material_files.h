#pragma once

#include "model/material.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The colours of the 81 line type and colour combinations and the picture's
// background. All zero until the material files are read.
extern TMaterialTable MaterialTable;
extern std::array<int32_t, 3> BackgroundColor;

// Reads "material.txt": entries 1 to 9 from lines 1 to 9, the background
// colour from line 10.
void LoadMaterial(const std::string& path);

// Reads "material2.txt": entries 10 to 81 in eight blocks of ten lines. When
// no such file exists, every line type takes the colours of line type 1.
void LoadMaterial2(const std::string& path);

// The reading of LoadMaterial and of LoadMaterial2 (when the file exists) on
// lines already in memory.
void ReadMaterialLines(const std::vector<std::string>& lines);
void ReadMaterial2Lines(const std::vector<std::string>& lines);

// Puts the table and background back to their start-of-run zeros.
void ClearMaterials();
