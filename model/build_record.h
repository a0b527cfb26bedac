#pragma once

#include "model/point_grid.h"
#include "model/records.h"
#include "model/trace_index.h"

#include <array>
#include <cstdint>
#include <vector>

// An outline that passed the duplicate and chord filters but not the
// flatness test: it gave no slab, or only the top one.
struct TUnflatOutline
{
    int32_t Slot = 0;
    TPlanPoint First;              // its first point
    std::vector<int32_t> Segments; // numbers in the slot, in walking order
    bool TopFlat = false;          // only the bottom level failed: the top slab was made
};

// What a build asked to keep the origins leaves besides FaceOriginList, for
// explaining the picture: the slots as built and what became of their rings.
struct TBuildRecord
{
    // Heights assigned, line numbers kept (SceneLoader moves them here).
    std::vector<LayerSlot> Slots;
    // Per slot, how many traces closed into an outline, before any filter.
    std::array<int32_t, LayerSlotCount> ClosedOutlines{};
    // Per slot, the index of segment ends its slabs were traced with.
    std::vector<TraceIndex> EndIndexes;
    std::vector<TUnflatOutline> UnflatOutlines;
};
