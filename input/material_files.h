#pragma once

#include <string>
#include <vector>

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
