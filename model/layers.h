#pragma once

#include "model/build_record.h"

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

// The drawing's layers as the programs name, list and hide them.

// Layer slots whose faces are left out of the picture, the plan and the
// export; indexed by group * 16 + layer.
using THiddenLayers = std::bitset<LayerSlotCount>;

// "G/L": the slot's group and layer, 0 to 15 each, as the check and the
// command line write them.
std::string LayerNumberText(int slot);

// The layer's name as its "lyn" record gives it, as UTF-8 (Shift-JIS
// decoded, bad bytes replaced); "G/L" when it has none.
std::string LayerName(const TLayerNames& names, int slot);

// A layer in a list of the drawing's layers: LayerName, after the group's
// "lgn" name and " / " when the group has one.
std::string LayerLabel(const TBuildRecord& record, int slot);

// How many of the record's faces lie on layers that are not hidden.
int64_t ShownFaceCount(const TBuildRecord& record, const THiddenLayers& hidden);

// The slots that hold segments, in slot order: the layers a drawing has.
std::vector<int> DrawingLayers(const TBuildRecord& record);
