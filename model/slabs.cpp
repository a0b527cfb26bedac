#include "model/slabs.h"

#include "common/tolerance.h"
#include "model/model_tables.h"
#include "model/outline_filters.h"
#include "model/outline_trace.h"
#include "model/polygon.h"
#include "model/trace_index.h"

#include <algorithm>
#include <utility>

namespace
{

// A face through points 0 to Count - 1 of the outline, in walking order, at
// their top or their bottom heights.
void AppendLevelFace(const TMaterialEntry& entry, const TMyPolyPoints& outline, bool top)
{
    TPGon& face = AppendFace(entry);
    face.Vertices.reserve(outline.Count);
    for (int32_t k = 0; k < outline.Count; ++k)
    {
        const TMyPolyPoint& p = outline.Points[k];
        face.AddVertex(p.X, top ? p.Top : p.Bottom, p.Y);
    }
}

bool HasHeight(const TMyPolyPoints& outline)
{
    for (int32_t k = 0; k < outline.Count; ++k)
        if (!NearlyEqual(outline.Points[k].Top, outline.Points[k].Bottom))
            return true;
    return false;
}

} // namespace

int SlabFaceCount(const TMyPolyPoints& outline)
{
    if (outline.Count == 0 || !outline.TopPlanar)
        return 0;
    return HasHeight(outline) && outline.BottomPlanar ? 2 : 1;
}

void AppendSlabFaces(const TTxy& segments, const TMaterialTable& materials)
{
    size_t remaining = 0;
    for (const TMyPolyPoints& outline : OutlineList)
        remaining += outline.Count != 0 && outline.TopPlanar;
    size_t needed = PolygonList.size() + 2 * remaining;
    if (needed > PolygonList.capacity())
        PolygonList.reserve(std::max(needed, 2 * PolygonList.capacity()));
    for (const TMyPolyPoints& outline : OutlineList)
    {
        int faces = SlabFaceCount(outline);
        if (faces == 0)
            continue;
        // The colour of the segment whose trace found the outline.
        const TMaterialEntry& entry = MaterialEntryFor(materials, segments[outline.Points[0].Link].Material);
        AppendLevelFace(entry, outline, true);
        if (faces == 2)
            AppendLevelFace(entry, outline, false);
    }
}

namespace
{

void BuildSlabsWith(TraceIndex& index, const TTxy& segments, const TMaterialTable& materials)
{
    BuildTraceIndex(index, segments);
    TraceSlotOutlines(segments, index);
    RemoveDuplicateOutlines();
    RemoveDividedOutlines(segments, index);
    TestOutlineFlatness();
    AppendSlabFaces(segments, materials);
}

std::vector<int32_t> OutlineSegments(const TMyPolyPoints& outline)
{
    std::vector<int32_t> links(outline.Count);
    for (int32_t k = 0; k < outline.Count; ++k)
        links[k] = outline.Points[k].Link;
    return links;
}

// The slot's closed and unflat outlines, and the origins of its slab faces,
// from OutlineList as the slab build left it: discarded outlines keep their
// places.
void KeepSlabRecord(int32_t slot, const LayerSlot& layer, TBuildRecord& record)
{
    record.ClosedOutlines[slot] = int32_t(OutlineList.size());
    for (const TMyPolyPoints& outline : OutlineList)
    {
        if (outline.Count == 0)
            continue;
        int faces = SlabFaceCount(outline);
        bool bottomFailed = outline.TopPlanar && HasHeight(outline) && !outline.BottomPlanar;
        if (!outline.TopPlanar || bottomFailed)
            record.UnflatOutlines.push_back(
                {slot, {outline.Points[0].X, outline.Points[0].Y}, OutlineSegments(outline), bottomFailed});
        if (faces == 0)
            continue;
        TFaceOrigin origin{
            uint8_t(slot), TFaceKind::Slab, layer.Segments[outline.Points[0].Link].Material, {}};
        origin.Lines.reserve(outline.Count);
        for (int32_t k = 0; k < outline.Count; ++k)
            origin.Lines.push_back(layer.SegmentLines[outline.Points[k].Link]);
        if (faces == 2)
            record.FaceOrigins.push_back(origin);
        record.FaceOrigins.push_back(std::move(origin));
    }
}

} // namespace

void BuildSlabs(const TTxy& segments, const TMaterialTable& materials, TBuildRecord* record, int32_t slot)
{
    if (record == nullptr)
    {
        TraceIndex index;
        BuildSlabsWith(index, segments, materials);
        return;
    }
    BuildSlabsWith(record->EndIndexes[slot], segments, materials);
    KeepSlabRecord(slot, record->Slots[slot], *record);
}
