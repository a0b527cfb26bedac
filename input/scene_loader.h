#pragma once

#include "model/build_record.h"
#include "model/records.h"

#include <string>
#include <string_view>
#include <vector>

// Reads the interchange file at path into the 256 layer slots and builds the
// model from it: walls, then slabs. Resets ViewParameters, AmbientLight and
// LightList first. Failures propagate as ProgramError. With a record, also
// keeps there where every face came from, the layers' names, the slots as
// built and their ring facts.
void SceneLoader(const std::string& path, TBuildRecord* record = nullptr);

// The reading part of SceneLoader on interchange text already in memory:
// files every line into the 256 layer slots it returns and applies the text
// records to ViewParameters, AmbientLight and LightList, which it does not
// reset. Text after a NUL byte is not read. With a record, the slots also
// get the line number of each segment and mark, and the record's LayerNames
// and GroupNames are read afresh.
std::vector<LayerSlot> ReadSceneText(std::string_view text, TBuildRecord* record = nullptr);
