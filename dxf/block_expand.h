#pragma once

#include "dxf/dxf_records.h"

#include <string>
#include <vector>

// The drawing flattened: blocks expanded, arcs cut into chords, every
// entity with its layer, colour and line type resolved. Coordinates are
// still in drawing units.

struct TPlanSegment
{
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    int Layer = 0;        // index into TPlanDrawing::Layers
    int Color = 7;        // DXF colour index 1 to 255
    int LineType = 0;     // index into TPlanDrawing::LineTypes
    bool Straight = true; // false for a chord of an arc
};

struct TPlanText
{
    double X = 0, Y = 0, Height = 0, Angle = 0;
    std::string Text; // in the file's encoding
    bool MText = false;
    int Layer = 0;
    int Color = 7;
    int LineType = 0;
};

struct TPlanDrawing
{
    std::vector<std::string> Layers;    // in order of first use
    std::vector<std::string> LineTypes; // in order of first use, upper case
    std::vector<TPlanSegment> Segments;
    std::vector<TPlanText> Texts;
    std::vector<TSkipCount> Skipped;
};

// Nested blocks deeper than this are left out (a block that inserts itself
// would otherwise never end).
const int MaxBlockDepth = 32;

// More records or block placements than these are refused: a few nested
// or self-inserting blocks can multiply a small file beyond any plan.
const size_t MaxPlanRecords = 2'000'000;
const size_t MaxBlockPlacements = 200'000;

// Expands the drawing's model space. When keepLayers is not empty only
// entities whose layer (after blocks pass theirs on) is named in it are kept;
// names compare without regard to case. Raises DxfError when the drawing
// grows beyond MaxPlanRecords or MaxBlockPlacements.
TPlanDrawing ExpandDrawing(const TDxfDrawing& drawing, const std::vector<std::string>& keepLayers);
