#include "model/heights_walls.h"

#include "common/tolerance.h"
#include "model/model_tables.h"
#include "model/point_grid.h"
#include "model/polygon.h"

#include <bit>
#include <cstdint>

namespace
{

// How many segments ahead the grid entries of the ends are fetched.
constexpr size_t PrefetchDistance = 8;

// Raises last to the number of the last mark in cell that lies at (x, y).
void FindLastMarkInCell(const PointGrid& grid, const std::vector<HeightMark>& marks, int32_t cell, float x,
                        float y, int32_t& last)
{
    for (int32_t i = grid.CellStart[cell + 1] - 1; i >= grid.CellStart[cell]; --i)
    {
        int32_t m = grid.Items[i];
        if (m <= last)
            return;
        if (NearlyEqual(x, marks[m].X) && NearlyEqual(y, marks[m].Y))
        {
            last = m;
            return;
        }
    }
}

// The number of the last mark of the slot at (x, y), or -1.
int32_t LastMarkAt(const PointGrid& grid, const std::vector<HeightMark>& marks, float x, float y)
{
    int32_t last = -1;
    ForEachNearbyCell(grid, x, y, [&](int32_t cell) { FindLastMarkInCell(grid, marks, cell, x, y, last); });
    return last;
}

// The mark found for one plan position. Consecutive segments of a drawing
// mostly share ends, so the two ends of the previous segment are kept and a
// position met again is not looked up in the grid again: each grid lookup is
// a cache miss on a large drawing.
struct EndLookup
{
    uint32_t XBits = 0;
    uint32_t YBits = 0;
    int32_t Mark = -1;
    bool Valid = false;
};

// LastMarkAt through the ends of the previous segment: the same position,
// bit for bit, has the same last mark.
int32_t LastMarkAtEnd(const PointGrid& grid, const std::vector<HeightMark>& marks, float x, float y,
                      const EndLookup (&previous)[2], EndLookup& lookup)
{
    lookup = {std::bit_cast<uint32_t>(x), std::bit_cast<uint32_t>(y), -1, true};
    for (const EndLookup& known : previous)
        if (known.Valid && known.XBits == lookup.XBits && known.YBits == lookup.YBits)
        {
            lookup.Mark = known.Mark;
            return lookup.Mark;
        }
    lookup.Mark = LastMarkAt(grid, marks, x, y);
    return lookup.Mark;
}

// The larger mark height is the top, the smaller the bottom.
void TakeHeights(const HeightMark& mark, float base, float& top, float& bottom)
{
    if (mark.Height1 > mark.Height2)
    {
        top = mark.Height1 + base;
        bottom = mark.Height2 + base;
    }
    else
    {
        top = mark.Height2 + base;
        bottom = mark.Height1 + base;
    }
}

void AssignSlotHeights(LayerSlot& slot, bool keepMarks)
{
    if (keepMarks)
        slot.EndMarks.assign(2 * slot.Segments.size(), -1);
    if (slot.Marks.empty())
        return;
    std::vector<TPlanPoint> positions(slot.Marks.size());
    for (size_t i = 0; i < slot.Marks.size(); ++i)
        positions[i] = {slot.Marks[i].X, slot.Marks[i].Y};
    PointGrid grid;
    // Marks mostly stand at positions of their own.
    BuildPointGrid(grid, positions, positions.size());

    EndLookup previous[2];
    for (size_t i = 0; i < slot.Segments.size(); ++i)
    {
        if (i + PrefetchDistance < slot.Segments.size())
        {
            const SegmentRecord& ahead = slot.Segments[i + PrefetchDistance];
            PrefetchCell(grid, ahead.X1, ahead.Y1);
            PrefetchCell(grid, ahead.X2, ahead.Y2);
        }
        SegmentRecord& s = slot.Segments[i];
        EndLookup current[2];
        int32_t m1 = LastMarkAtEnd(grid, slot.Marks, s.X1, s.Y1, previous, current[0]);
        if (m1 >= 0)
            TakeHeights(slot.Marks[m1], slot.BaseHeight, s.Top1, s.Bottom1);
        int32_t m2 = LastMarkAtEnd(grid, slot.Marks, s.X2, s.Y2, previous, current[1]);
        if (m2 >= 0)
            TakeHeights(slot.Marks[m2], slot.BaseHeight, s.Top2, s.Bottom2);
        if (keepMarks)
        {
            slot.EndMarks[2 * i] = m1;
            slot.EndMarks[2 * i + 1] = m2;
        }
        previous[0] = current[0];
        previous[1] = current[1];
    }
}

// False when both ends are flat and the segment gives no face.
bool AppendWallFace(const SegmentRecord& s, const TMaterialTable& materials)
{
    if (!GivesWall(s))
        return false;
    bool flat1 = NearlyEqual(s.Top1, s.Bottom1);
    bool flat2 = NearlyEqual(s.Top2, s.Bottom2);
    TPGon& face = AppendFace(MaterialEntryFor(materials, s.Material));
    face.Vertices.reserve(4);
    // Top and bottom of the first end, then bottom and top of the second; a
    // flat end gives one point only.
    face.AddVertex(s.X1, s.Top1, s.Y1);
    if (!flat1)
        face.AddVertex(s.X1, s.Bottom1, s.Y1);
    face.AddVertex(s.X2, s.Bottom2, s.Y2);
    if (!flat2)
        face.AddVertex(s.X2, s.Top2, s.Y2);
    return true;
}

} // namespace

void AssignHeights(std::vector<LayerSlot>& slots, const TBuildRecord* record)
{
    for (LayerSlot& slot : slots)
        AssignSlotHeights(slot, record != nullptr);
}

void AppendWallFaces(const std::vector<LayerSlot>& slots, const TMaterialTable& materials,
                     TBuildRecord* record)
{
    size_t segments = 0;
    for (const LayerSlot& slot : slots)
        segments += slot.Segments.size();
    // Room for the slabs that follow as well, so that the faces are not moved
    // when they come: a ring takes at least three segment sides, so a plan's
    // slabs (up to two per ring) rarely outnumber its segments twice over.
    // Room not filled is address space only; its pages are never touched.
    PolygonList.reserve(PolygonList.size() + 3 * segments);
    if (record == nullptr)
    {
        for (const LayerSlot& slot : slots)
            for (const SegmentRecord& s : slot.Segments)
                AppendWallFace(s, materials);
        return;
    }
    std::vector<TFaceOrigin>& origins = record->FaceOrigins;
    origins.reserve(origins.size() + segments);
    for (size_t slot = 0; slot < slots.size(); ++slot)
    {
        const LayerSlot& layer = slots[slot];
        for (size_t i = 0; i < layer.Segments.size(); ++i)
            if (AppendWallFace(layer.Segments[i], materials))
                origins.push_back(
                    {uint8_t(slot), TFaceKind::Wall, layer.Segments[i].Material, {layer.SegmentLines[i]}});
    }
}
