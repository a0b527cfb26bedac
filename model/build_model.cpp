#include "model/build_model.h"

#include "model/heights_walls.h"
#include "model/slabs.h"

#include <cstddef>

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
    // Slots read without their line numbers get line 0 throughout.
    for (LayerSlot& slot : slots)
    {
        slot.SegmentLines.resize(slot.Segments.size(), 0);
        slot.MarkLines.resize(slot.Marks.size(), 0);
        slot.MarkSingleNumber.resize(slot.Marks.size(), 0);
    }
    AssignHeightsKeepingMarks(slots);
    AppendWallFaces(slots, materials, true);
    record->ClosedOutlines.fill(0);
    record->UnflatOutlines.clear();
    record->EndIndexes.assign(slots.size(), TraceIndex{});
    for (size_t s = 0; s < slots.size(); ++s)
        BuildSlabsKeepingOrigins(int32_t(s), slots[s], materials, *record);
}
