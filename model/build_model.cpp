#include "model/build_model.h"

void AssignHeights(std::vector<LayerSlot>&) {}

void AppendWallFaces(const std::vector<LayerSlot>&, const TMaterialTable&) {}

void BuildSlabs(const TTxy&, const TMaterialTable&) {}

void BuildModel(std::vector<LayerSlot>& slots, const TMaterialTable& materials)
{
    AssignHeights(slots);
    AppendWallFaces(slots, materials);
    for (const LayerSlot& slot : slots)
        BuildSlabs(slot.Segments, materials);
}
