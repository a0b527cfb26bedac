#pragma once

#include "model/build_record.h"
#include "model/material.h"
#include "model/records.h"

#include <vector>

// The whole model build over the 256 slots: heights, walls, then slabs of
// slots 0 to 255. With a record, the slots (holding their line numbers) move
// into its Slots and are built there, and the record keeps the origin of
// every face and the ring facts; the faces are the same either way.
void BuildModel(std::vector<LayerSlot>& slots, const TMaterialTable& materials,
                TBuildRecord* record = nullptr);
