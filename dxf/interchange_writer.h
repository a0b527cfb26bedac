#pragma once

#include "dxf/block_expand.h"
#include "dxf/dxf_text.h"
#include "dxf/plan_view.h"

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
    std::optional<double> WallHeight; // metres; marks for layers without any on their segment ends
    TViewChoice View = TViewChoice::Corner;
};

// Whether a layer's segments got heights.
enum class TLayerHeights : uint8_t
{
    Marked,   // a height text of the layer lies on one of its segment ends
    Added,    // none did, and --wall-height marked every end
    Unmarked, // none did: slabs only
};

struct TLayerSummary
{
    std::string Name; // as read
    long long Segments = 0;
    TLayerHeights Heights = TLayerHeights::Unmarked;
};

struct TInterchange
{
    std::string Bytes; // the whole temp.txt
    long long Segments = 0;
    long long Straight = 0;
    long long Texts = 0;
    long long MarksAdded = 0;
    long long EmptyTexts = 0; // left out: an empty text stops the reader
    std::vector<TLayerSummary> Layers;
    TPlanExtent Extent;
    TPlanView View;
};

// The interchange file of a flattened drawing: each layer in a slot of its
// own in order of first use, with its name; line colours from the DXF colour
// index, line types in order of first use (the tenth and later share 9);
// then, on a layer of their own, the eye and target of the chosen view.
// Raises DxfError when more than 256 layers are used.
TInterchange WriteInterchange(const TPlanDrawing& plan, TTextEncoder& encoder,
                              const TInterchangeOptions& options);
