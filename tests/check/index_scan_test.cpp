// The plan check's indexes against plain scans of everything, on the seeded
// random drawings of the model's differential test (the same seeds) and on
// long diagonals among many short segments.

#include "check/near_marks.h"
#include "check/plan_check.h"
#include "check/segment_grid.h"
#include "model/build_model.h"
#include "model/model_tables.h"
#include "model/trace_index.h"
#include "tests/model/random_drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <utility>

namespace
{

// Where the check looks: the ends of the segments, ends moved by about the
// tolerance, and `along` points on each segment.
std::vector<TPlanPoint> QueryPoints(const TTxy& segments, int along)
{
    std::vector<TPlanPoint> points;
    for (const SegmentRecord& s : segments)
    {
        points.push_back({s.X1, s.Y1});
        points.push_back({s.X2, s.Y2});
        for (float nudge : {0.00005f, -0.00011f})
            points.push_back({s.X1 + nudge, s.Y1 - nudge});
        for (int k = 1; k <= along; ++k)
        {
            const double t = k / (along + 1.0);
            points.push_back(
                {float(s.X1 + t * (double(s.X2) - s.X1)), float(s.Y1 + t * (double(s.Y2) - s.Y1))});
        }
    }
    return points;
}

int32_t ScanNearestMark(const std::vector<HeightMark>& marks, TPlanPoint p, float snap, double& distance)
{
    int32_t nearest = -1;
    distance = snap;
    if (!(snap > 0))
        return -1;
    for (size_t m = 0; m < marks.size(); ++m)
    {
        const double d = std::hypot(double(marks[m].X) - p.X, double(marks[m].Y) - p.Y);
        if (d < distance || (d == distance && nearest < 0))
        {
            distance = d;
            nearest = int32_t(m);
        }
    }
    return nearest;
}

int32_t ScanSegmentThrough(const TTxy& segments, TPlanPoint p)
{
    for (size_t i = 0; i < segments.size(); ++i)
        if (PassesThrough(segments[i], p))
            return int32_t(i);
    return -1;
}

// The first difference between the indexes and the scans on one slot, at
// the given points.
std::string CompareSlot(const LayerSlot& slot, const std::vector<TPlanPoint>& points)
{
    // Snaps up to the largest one filed for (50 when each segment has its
    // own), and exactly that largest (a --snap given).
    for (float largest : {50.0f, 0.5f})
    {
        TCellTable marks;
        BuildNearMarks(marks, slot.Marks, largest);
        for (float snap : {largest, 0.0001f, 0.3f})
        {
            for (TPlanPoint p : points)
            {
                double found = 0, expected = 0;
                const int32_t indexed = NearestMark(marks, slot.Marks, p, snap, found);
                const int32_t scanned = ScanNearestMark(slot.Marks, p, snap, expected);
                if (indexed != scanned || (scanned >= 0 && found != expected))
                    return "nearest mark to (" + std::to_string(p.X) + ", " + std::to_string(p.Y) +
                           ") within " + std::to_string(snap) + ": " + std::to_string(indexed) + ", not " +
                           std::to_string(scanned);
            }
        }
    }
    TCellTable grid;
    BuildSegmentGrid(grid, slot.Segments);
    for (TPlanPoint p : points)
    {
        const int32_t indexed = SegmentThrough(grid, slot.Segments, p);
        const int32_t scanned = ScanSegmentThrough(slot.Segments, p);
        if (indexed != scanned)
            return "segment through (" + std::to_string(p.X) + ", " + std::to_string(p.Y) +
                   "): " + std::to_string(indexed) + ", not " + std::to_string(scanned);
    }
    return "";
}

bool Finite(const SegmentRecord& s)
{
    return std::isfinite(s.X1) && std::isfinite(s.Y1) && std::isfinite(s.X2) && std::isfinite(s.Y2);
}

// Per slot, the (line, earlier line) pairs of the duplicate segments: the
// first earlier segment whose ends coincide with its ends, either way round.
std::set<std::pair<int, std::vector<int32_t>>> ScanDuplicates(const std::vector<LayerSlot>& slots)
{
    std::set<std::pair<int, std::vector<int32_t>>> found;
    for (size_t slot = 0; slot < slots.size(); ++slot)
    {
        const TTxy& segments = slots[slot].Segments;
        for (size_t s = 0; s < segments.size(); ++s)
            for (size_t t = 0; t < s && Finite(segments[s]); ++t)
            {
                const SegmentRecord& a = segments[s];
                const SegmentRecord& b = segments[t];
                const TPlanPoint a1 = {a.X1, a.Y1}, a2 = {a.X2, a.Y2}, b1 = {b.X1, b.Y1}, b2 = {b.X2, b.Y2};
                if (Finite(b) &&
                    ((Coincide(a1, b1) && Coincide(a2, b2)) || (Coincide(a1, b2) && Coincide(a2, b1))))
                {
                    found.insert({int(slot), {slots[slot].SegmentLines[s], slots[slot].SegmentLines[t]}});
                    break;
                }
            }
    }
    return found;
}

// Segments of one slot: many short ones, so that the cells are small, and
// long diagonals across them, steep, shallow and nearly along an axis, with
// marks scattered and along the diagonals. points: where to look, along the
// diagonals.
LayerSlot LongDiagonals(uint32_t seed, std::vector<TPlanPoint>& points)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> at(0, 1000);
    LayerSlot slot;
    for (int i = 0; i < 2000; ++i)
    {
        const float x = at(rng), y = at(rng);
        slot.Segments.push_back({x, y, x + 1, y + float(rng() % 3) - 1});
    }
    const TTxy diagonals = {
        {0, 0, 1000, 700},         {1000, 0, 0, 999.9f},      {3, -400, 997, 1400},
        {0, 500, 1000, 500.0003f}, {500.0001f, 0, 500, 1000}, {-20000, -13000, 21000, 15000},
    };
    for (const SegmentRecord& s : diagonals)
        slot.Segments.insert(slot.Segments.begin() + rng() % slot.Segments.size(), s);
    points = QueryPoints(diagonals, 500);
    for (size_t i = 0; i < points.size(); i += 7)
        slot.Marks.push_back({points[i].X + 0.2f, points[i].Y, 3000, 0});
    for (int i = 0; i < 300; ++i)
        slot.Marks.push_back({at(rng), at(rng), 3000, 0});
    return slot;
}

} // namespace

TEST(CheckIndexes, FindWhatPlainScansFindOnRandomDrawings)
{
    const TSeedRange seeds = SeedRange();
    for (uint32_t seed = seeds.First; seed < seeds.First + seeds.Count; ++seed)
    {
        for (const LayerSlot& slot : RandomDrawing(seed))
        {
            if (slot.Segments.empty())
                continue;
            std::vector<TPlanPoint> points = QueryPoints(slot.Segments, 3);
            for (const HeightMark& m : slot.Marks)
                points.push_back({m.X, m.Y});
            ASSERT_EQ(CompareSlot(slot, points), "") << "seed " << seed;
        }
    }
}

TEST(CheckIndexes, FindWhatPlainScansFindAlongLongDiagonals)
{
    for (uint32_t seed = 1; seed <= 3; ++seed)
    {
        std::vector<TPlanPoint> points;
        const LayerSlot slot = LongDiagonals(seed, points);
        ASSERT_EQ(CompareSlot(slot, points), "") << "seed " << seed;
    }
}

// Duplicates, whose ends may differ within the tolerance, as the whole check
// reports them.
TEST(CheckIndexes, DuplicatesAreThoseAPlainScanFinds)
{
    const TMaterialTable materials{};
    const TSeedRange seeds = SeedRange();
    for (uint32_t seed = seeds.First; seed < seeds.First + seeds.Count; ++seed)
    {
        TBuildRecord record;
        record.Slots = RandomDrawing(seed);
        int32_t line = 1;
        for (LayerSlot& slot : record.Slots)
        {
            for (size_t i = 0; i < slot.Segments.size(); ++i)
                slot.SegmentLines.push_back(line++);
            for (size_t i = 0; i < slot.Marks.size(); ++i)
                slot.MarkLines.push_back(line++);
            slot.MarkSingleNumber.assign(slot.Marks.size(), 0);
        }
        BuildModel(record.Slots, materials, &record);
        std::set<std::pair<int, std::vector<int32_t>>> reported;
        for (const TFinding& f : CheckPlan(record, {}))
            if (f.Kind == TFindingKind::DuplicateSegment)
                reported.insert({f.Slot, f.Lines});
        ResetModelTables();
        ASSERT_EQ(reported, ScanDuplicates(record.Slots)) << "seed " << seed;
    }
}
