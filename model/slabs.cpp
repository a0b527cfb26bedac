#include "model/slabs.h"

#include "common/tolerance.h"
#include "model/model_tables.h"
#include "model/outline_filters.h"
#include "model/outline_trace.h"
#include "model/polygon.h"
#include "model/trace_index.h"

#include <algorithm>

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
        // The colour of the segment whose trace found the outline.
        const TMaterialEntry& entry = MaterialEntryFor(materials, segments[outline.Points[0].Link].Material);
        AppendLevelFace(entry, outline, true);
        if (HasHeight(outline) && outline.BottomPlanar)
            AppendLevelFace(entry, outline, false);
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
