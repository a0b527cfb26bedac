#include "model/slabs.h"

#include "common/tolerance.h"
#include "model/build_model.h"
#include "model/polygon.h"

#include <algorithm>

void TraceSlotOutlines(const TTxy& segments, const TraceIndex& index)
{
    OutlineList.clear();
    TAI path;
    for (int32_t originEnd = 0; originEnd < 2; ++originEnd)
        for (int32_t s = 0; s < int32_t(segments.size()); ++s)
            TraceOutline(segments, index, s, originEnd, path);
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
        if (outline.Count == 0 || !outline.TopPlanar)
            continue;
        const TMaterialEntry& entry = MaterialEntryFor(materials, segments[outline.Points[0].Link].Material);
        TPGon& top = AppendFace(entry);
        top.Vertices.reserve(outline.Count);
        bool hasHeight = false;
        for (int32_t k = 0; k < outline.Count; ++k)
        {
            const TMyPolyPoint& p = outline.Points[k];
            top.AddVertex(p.X, p.Top, p.Y);
            hasHeight = hasHeight || !NearlyEqual(p.Top, p.Bottom);
        }
        if (!hasHeight || !outline.BottomPlanar)
            continue;
        TPGon& bottom = AppendFace(entry);
        bottom.Vertices.reserve(outline.Count);
        for (int32_t k = 0; k < outline.Count; ++k)
        {
            const TMyPolyPoint& p = outline.Points[k];
            bottom.AddVertex(p.X, p.Bottom, p.Y);
        }
    }
}

void BuildSlabs(const TTxy& segments, const TMaterialTable& materials)
{
    TraceIndex index;
    BuildTraceIndex(index, segments);
    TraceSlotOutlines(segments, index);
    RemoveDuplicateOutlines();
    RemoveDividedOutlines(segments, index);
    TestOutlineFlatness();
    AppendSlabFaces(segments, materials);
}
