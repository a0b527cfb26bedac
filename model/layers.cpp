#include "model/layers.h"

#include "common/shift_jis.h"

std::string LayerNumberText(int slot)
{
    return std::to_string(slot / 16) + "/" + std::to_string(slot % 16);
}

std::string LayerName(const TLayerNames& names, int slot)
{
    if (names[slot].empty())
        return LayerNumberText(slot);
    return ShiftJisToUtf8(names[slot], TBadBytes::Replace);
}

std::string LayerLabel(const TBuildRecord& record, int slot)
{
    const std::string& group = record.GroupNames[slot / 16];
    const std::string name = LayerName(record.LayerNames, slot);
    return group.empty() ? name : ShiftJisToUtf8(group, TBadBytes::Replace) + " / " + name;
}

int64_t ShownFaceCount(const TBuildRecord& record, const THiddenLayers& hidden)
{
    int64_t count = 0;
    for (const TFaceOrigin& origin : record.FaceOrigins)
        count += !hidden[origin.Slot];
    return count;
}

std::vector<int> DrawingLayers(const TBuildRecord& record)
{
    std::vector<int> layers;
    for (size_t slot = 0; slot < record.Slots.size(); ++slot)
        if (!record.Slots[slot].Segments.empty())
            layers.push_back(int(slot));
    return layers;
}
