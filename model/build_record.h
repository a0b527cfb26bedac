#pragma once

#include "model/face_origin.h"
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

// What a build keeps when it is given a record, for explaining, listing and
// exporting the model: where every face came from, the layers' names, the
// slots as built and what became of their rings. The faces themselves are
// the same with a record or without.
struct TBuildRecord
{
    // One entry per face of PolygonList, in the same order.
    std::vector<TFaceOrigin> FaceOrigins;
    // Names of the layers and groups as the drawing's "lyn" and "lgn" records
    // give them: bytes as written, blanks trimmed, the last record wins; empty
    // for an unnamed one.
    TLayerNames LayerNames;
    TGroupNames GroupNames;
    // Heights assigned, line numbers kept (SceneLoader moves them here).
    std::vector<LayerSlot> Slots;
    // Per slot, how many traces closed into an outline, before any filter.
    std::array<int32_t, LayerSlotCount> ClosedOutlines{};
    // Per slot, the index of segment ends its slabs were traced with.
    std::vector<TraceIndex> EndIndexes;
    std::vector<TUnflatOutline> UnflatOutlines;
};
