#pragma once

#include "model/material.h"
#include "model/records.h"

#include <vector>

// The whole model build over the 256 slots: heights, walls, then slabs of
// slots 0 to 255.
void BuildModel(std::vector<LayerSlot>& slots, const TMaterialTable& materials);
