#include "model/build_model.h"

#include "model/heights_walls.h"
#include "model/slabs.h"

void BuildModel(std::vector<LayerSlot>& slots, const TMaterialTable& materials)
{
    AssignHeights(slots);
    AppendWallFaces(slots, materials);
    for (const LayerSlot& slot : slots)
        BuildSlabs(slot.Segments, materials);
}
