#pragma once

#include "common/tolerance.h"

#include <cstdint>
#include <vector>

// One line segment of the drawing in plan (y already negated), with the
// heights its two ends take from the height marks, and its material index.
struct SegmentRecord
{
    float X1 = 0;
    float Y1 = 0;
    float X2 = 0;
    float Y2 = 0;
    float Top1 = 0;
    float Bottom1 = 0;
    float Top2 = 0;
    float Bottom2 = 0;
    int32_t Material = 1;
};

// A segment gives a wall unless top and bottom are the same level at both ends.
inline bool GivesWall(const SegmentRecord& s)
{
    return !(NearlyEqual(s.Top1, s.Bottom1) && NearlyEqual(s.Top2, s.Bottom2));
}

using TTxy = std::vector<SegmentRecord>;

// A number written as text at a plan position: the heights there, in drawing
// units. Which of the two is the top is decided when the marks are applied.
struct HeightMark
{
    float X = 0;
    float Y = 0;
    float Height1 = 0;
    float Height2 = 0;
};

// Everything the drawing holds for one layer (16 groups of 16 layers).
struct LayerSlot
{
    TTxy Segments;
    std::vector<HeightMark> Marks;
    float BaseHeight = 0;
    // The 1-based line numbers in the interchange file of each segment and
    // each mark, beside them; kept only by a reading asked to keep origins.
    std::vector<int32_t> SegmentLines;
    std::vector<int32_t> MarkLines;
    // Per mark, 1 when its text was a single number on a "ch" or "c2"
    // record (so top and bottom are equal); kept with the line numbers.
    std::vector<uint8_t> MarkSingleNumber;
    // Per segment end (2s for end 1 of segment s, 2s + 1 for end 2), the mark
    // it took its heights from, or -1; kept by height assignment when asked.
    std::vector<int32_t> EndMarks;
};

inline constexpr int LayerSlotCount = 256;

// A point of a walk's path or of an outline: plan position, the two heights
// there, and on an outline the segment leading from it to the next point (-1
// on the closing point, and wherever no segment is recorded).
struct TMyPolyPoint
{
    float X = 0;
    float Y = 0;
    float Top = 0;
    float Bottom = 0;
    int32_t Link = -1;
};

using TFPoint2 = std::vector<TMyPolyPoint>;
using TAI = std::vector<int32_t>;

// Eye, target and field of view of the one picture, as the drawing sets them.
struct TViewParameters
{
    float EyeX = 12000;
    float EyeHeight = 4000;
    float EyeY = 14000;
    float FieldOfView = 80;
    float TargetX = 0;
    float TargetHeight = 2000;
    float TargetY = 0;
};
