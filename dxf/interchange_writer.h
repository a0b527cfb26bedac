#pragma once

#include "dxf/block_expand.h"
#include "dxf/dxf_text.h"

#include <optional>
#include <string>
#include <vector>

// Every temp.txt the bridge writes starts with this comment, so that it can
// tell its own files from the host's.
extern const char BridgeMark[];

// The interchange file holds 16 layer groups of 16 layers.
const size_t MaxLayerSlots = 256;

struct TInterchangeOptions
{
    std::string SourceName;           // the DXF as named on the command line
    double UnitScale = 1;             // millimetres per drawing unit
    std::optional<double> WallHeight; // metres; marks for layers without any
};

struct TInterchange
{
    std::string Bytes; // the whole temp.txt
    long long Segments = 0;
    long long Straight = 0;
    long long Texts = 0;
    long long MarksAdded = 0;
    long long EmptyTexts = 0;                    // left out: an empty text stops the reader
    std::vector<std::string> LayersWithoutMarks; // with segments but no height mark (names as read)
};

// The interchange file of a flattened drawing: each layer in a slot of its
// own in order of first use, with its name; line colours from the DXF colour
// index, line types in order of first use (the tenth and later share 9).
// Raises DxfError when more than 256 layers are used.
TInterchange WriteInterchange(const TPlanDrawing& plan, TTextEncoder& encoder,
                              const TInterchangeOptions& options);

// Whether a text, as written into the interchange file, is a height mark.
bool IsHeightMark(const std::string& text);
