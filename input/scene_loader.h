#pragma once

#include "model/records.h"

#include <string>
#include <string_view>
#include <vector>

// Reads the interchange file at path into the 256 layer slots and builds the
// model from it: walls, then slabs. Resets ViewParameters, AmbientLight and
// LightList first. Failures propagate as ProgramError.
void SceneLoader(const std::string& path);

// The reading part of SceneLoader on interchange text already in memory:
// files every line into the 256 layer slots it returns and applies the text
// records to ViewParameters, AmbientLight and LightList, which it does not
// reset. Text after a NUL byte is not read.
std::vector<LayerSlot> ReadSceneText(std::string_view text);
