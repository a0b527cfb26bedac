#include "model/build_model.h"

#include "model/heights_walls.h"
#include "model/slabs.h"

#include <cstddef>
#include <utility>

void BuildModel(std::vector<LayerSlot>& slots, const TMaterialTable& materials, TBuildRecord* record)
{
    if (record == nullptr)
    {
        AssignHeights(slots);
        AppendWallFaces(slots, materials);
        for (const LayerSlot& slot : slots)
            BuildSlabs(slot.Segments, materials);
        return;
    }
    record->Slots = std::move(slots);
    std::vector<LayerSlot>& kept = record->Slots;
    // Slots read without their line numbers get line 0 throughout.
    for (LayerSlot& slot : kept)
    {
        slot.SegmentLines.resize(slot.Segments.size(), 0);
        slot.MarkLines.resize(slot.Marks.size(), 0);
        slot.MarkSingleNumber.resize(slot.Marks.size(), 0);
    }
    AssignHeights(kept, record);
    record->FaceOrigins.clear();
    AppendWallFaces(kept, materials, record);
    record->ClosedOutlines.fill(0);
    record->UnflatOutlines.clear();
    record->EndIndexes.assign(kept.size(), TraceIndex{});
    for (size_t s = 0; s < kept.size(); ++s)
        BuildSlabs(kept[s].Segments, materials, record, int32_t(s));
}
