#include "model/outline_trace.h"

#include "model/model_tables.h"

namespace
{

constexpr size_t LongestPath = 100;

TMyPolyPoint PointAtEnd(const TTxy& segments, int32_t end, int32_t link)
{
    const SegmentRecord& s = segments[end / 2];
    if (end % 2 == 0)
        return {s.X1, s.Y1, s.Top1, s.Bottom1, link};
    return {s.X2, s.Y2, s.Top2, s.Bottom2, link};
}

// The walk's path as an outline: the origin, then the end reached along each
// segment of the path.
void RecordOutline(const TTxy& segments, int32_t origin, const TAI& path)
{
    TMyPolyPoints& outline = OutlineList.emplace_back();
    outline.Count = int32_t(path.size());
    outline.Points.reserve(path.size() + 1);
    outline.Points.push_back(PointAtEnd(segments, origin, path[0] / 2));
    for (size_t k = 0; k < path.size(); ++k)
        outline.Points.push_back(PointAtEnd(segments, path[k], k + 1 < path.size() ? path[k + 1] / 2 : -1));
}

} // namespace

void TraceOutline(const TTxy& segments, const TraceIndex& index, int32_t start, int32_t originEnd, TAI& path)
{
    int32_t origin = 2 * start + originEnd;
    const std::vector<TPlanPoint>& ends = index.EndPoints;
    TPlanPoint originPoint = ends[origin];
    path.clear();
    path.push_back(origin ^ 1);
    for (;;)
    {
        if (path.size() > LongestPath)
            return;
        TPlanPoint point = ends[path.back()];
        // The start segment, once it is no longer the current one, is taken
        // wherever it meets the walk; the walk ends there.
        if (path.size() > 1)
        {
            int32_t near = -1;
            if (Coincide(ends[2 * start], point))
                near = 2 * start;
            else if (Coincide(ends[2 * start + 1], point))
                near = 2 * start + 1;
            if (near >= 0)
            {
                if (path.size() > 2 && Coincide(ends[near], originPoint))
                    RecordOutline(segments, origin, path);
                return;
            }
        }
        int32_t next = index.Next[path.back()];
        if (next < 0)
            return;
        path.push_back(next);
    }
}

void TraceSlotOutlines(const TTxy& segments, const TraceIndex& index)
{
    OutlineList.clear();
    // Room for an outline per trace, so that the list never moves its records
    // while it grows.
    OutlineList.reserve(2 * segments.size());
    TAI path;
    for (int32_t originEnd = 0; originEnd < 2; ++originEnd)
        for (int32_t s = 0; s < int32_t(segments.size()); ++s)
            TraceOutline(segments, index, s, originEnd, path);
}
