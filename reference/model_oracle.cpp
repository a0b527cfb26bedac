#include "reference/model_oracle.h"

#include "common/tolerance.h"
#include "model/heights_walls.h"
#include "model/model_tables.h"
#include "model/outline_filters.h"
#include "model/slabs.h"

#include <cmath>

namespace
{

const float TwoPi = 6.28318530717958647692f;

struct TraceCandidate
{
    float NearX, NearY;
    float FarX, FarY, FarTop, FarBottom;
    float Dx, Dy;
    float Turn;
    int32_t Index;
};

float Circle(double angle)
{
    float a = float(angle);
    if (a < 0)
        a = a + TwoPi;
    return a;
}

// One trace, each step scanning every segment for the ones touching the point.
void OracleTraceOutline(const TTxy& segments, int32_t start, int32_t current, float x, float y,
                        TFPoint2& pathPoints, TAI& pathSegments, float u, float v)
{
    for (;;)
    {
        if (pathSegments.size() > 100)
            return;
        std::vector<TraceCandidate> candidates;
        for (int32_t i = 0; i < int32_t(segments.size()); ++i)
        {
            if (i == current)
                continue;
            const SegmentRecord& s = segments[i];
            if (NearlyEqual(s.X1, x) && NearlyEqual(s.Y1, y))
                candidates.push_back(
                    {s.X1, s.Y1, s.X2, s.Y2, s.Top2, s.Bottom2, s.X2 - s.X1, s.Y2 - s.Y1, 0, i});
            else if (NearlyEqual(s.X2, x) && NearlyEqual(s.Y2, y))
                candidates.push_back(
                    {s.X2, s.Y2, s.X1, s.Y1, s.Top1, s.Bottom1, s.X1 - s.X2, s.Y1 - s.Y2, 0, i});
        }
        float aIn = Circle(std::atan2(double(v), double(-u)));
        for (TraceCandidate& c : candidates)
        {
            float aOut = Circle(std::atan2(double(-c.Dy), double(c.Dx)));
            if (aOut > aIn)
                c.Turn = aOut - aIn;
            else
                c.Turn = aOut - aIn + TwoPi;
        }
        const TraceCandidate* chosen = nullptr;
        for (const TraceCandidate& c : candidates)
            if (c.Index == start)
                chosen = &c;
        if (!chosen)
        {
            float best = -1000;
            for (const TraceCandidate& c : candidates)
                if (c.Turn > best)
                {
                    best = c.Turn;
                    chosen = &c;
                }
        }
        if (!chosen)
            return;
        if (chosen->Index == start)
        {
            if (NearlyEqual(chosen->NearX, pathPoints[0].X) && NearlyEqual(chosen->NearY, pathPoints[0].Y) &&
                pathSegments.size() > 2)
            {
                TMyPolyPoints& outline = OutlineList.emplace_back();
                outline.Count = int32_t(pathPoints.size()) - 1;
                for (int32_t k = 0; k <= outline.Count; ++k)
                {
                    const TMyPolyPoint& p = pathPoints[k];
                    outline.Points.push_back(
                        {p.X, p.Y, p.Top, p.Bottom, k < outline.Count ? pathSegments[k] : -1});
                }
            }
            return;
        }
        pathSegments.push_back(chosen->Index);
        pathPoints.push_back({chosen->FarX, chosen->FarY, chosen->FarTop, chosen->FarBottom});
        current = chosen->Index;
        x = chosen->FarX;
        y = chosen->FarY;
        u = chosen->Dx;
        v = chosen->Dy;
    }
}

void OracleRemoveDuplicateOutlines()
{
    for (TMyPolyPoints& a : OutlineList)
    {
        int32_t n = a.Count;
        if (n == 0)
            continue;
        for (TMyPolyPoints& b : OutlineList)
        {
            if (&b == &a || b.Count != n)
                continue;
            bool all = true;
            for (int32_t i = 0; i < n && all; ++i)
            {
                bool found = false;
                for (int32_t j = 0; j < n; ++j)
                    if (b.Points[j].Link == a.Points[i].Link)
                        found = true;
                all = found;
            }
            if (all)
                b.Count = 0;
        }
    }
}

bool Meets(float x, float y, const TMyPolyPoint& p)
{
    return NearlyEqual(x, p.X) && NearlyEqual(y, p.Y);
}

void OracleRemoveDividedOutlines(const TTxy& segments)
{
    for (TMyPolyPoints& outline : OutlineList)
    {
        if (outline.Count <= 3)
            continue;
        bool divided = false;
        for (int32_t j = 0; j <= outline.Count - 2; ++j)
            for (int32_t k = j + 2; k <= outline.Count - 1; ++k)
            {
                if (j == 0 && k == outline.Count - 1)
                    continue;
                const TMyPolyPoint& pj = outline.Points[j];
                const TMyPolyPoint& pk = outline.Points[k];
                for (const SegmentRecord& s : segments)
                    if ((Meets(s.X1, s.Y1, pj) && Meets(s.X2, s.Y2, pk)) ||
                        (Meets(s.X2, s.Y2, pj) && Meets(s.X1, s.Y1, pk)))
                        divided = true;
            }
        if (divided)
            outline.Count = 0;
    }
}

} // namespace

void OracleAssignHeights(std::vector<LayerSlot>& slots)
{
    for (LayerSlot& slot : slots)
        for (SegmentRecord& s : slot.Segments)
            for (const HeightMark& m : slot.Marks)
            {
                float high = m.Height1 > m.Height2 ? m.Height1 : m.Height2;
                float low = m.Height1 > m.Height2 ? m.Height2 : m.Height1;
                if (NearlyEqual(s.X1, m.X) && NearlyEqual(s.Y1, m.Y))
                {
                    s.Top1 = high + slot.BaseHeight;
                    s.Bottom1 = low + slot.BaseHeight;
                }
                if (NearlyEqual(s.X2, m.X) && NearlyEqual(s.Y2, m.Y))
                {
                    s.Top2 = high + slot.BaseHeight;
                    s.Bottom2 = low + slot.BaseHeight;
                }
            }
}

void OracleBuildSlabs(const TTxy& segments, const TMaterialTable& materials)
{
    OutlineList.clear();
    for (int32_t i = 0; i < int32_t(segments.size()); ++i)
    {
        const SegmentRecord& s = segments[i];
        TFPoint2 points = {{s.X1, s.Y1, s.Top1, s.Bottom1}, {s.X2, s.Y2, s.Top2, s.Bottom2}};
        TAI path = {i};
        OracleTraceOutline(segments, i, i, s.X2, s.Y2, points, path, s.X2 - s.X1, s.Y2 - s.Y1);
    }
    for (int32_t i = 0; i < int32_t(segments.size()); ++i)
    {
        const SegmentRecord& s = segments[i];
        TFPoint2 points = {{s.X2, s.Y2, s.Top2, s.Bottom2}, {s.X1, s.Y1, s.Top1, s.Bottom1}};
        TAI path = {i};
        OracleTraceOutline(segments, i, i, s.X1, s.Y1, points, path, s.X1 - s.X2, s.Y1 - s.Y2);
    }
    OracleRemoveDuplicateOutlines();
    OracleRemoveDividedOutlines(segments);
    TestOutlineFlatness();
    AppendSlabFaces(segments, materials);
}

void OracleBuildModel(std::vector<LayerSlot>& slots, const TMaterialTable& materials)
{
    OracleAssignHeights(slots);
    AppendWallFaces(slots, materials);
    for (const LayerSlot& slot : slots)
        OracleBuildSlabs(slot.Segments, materials);
}
