#pragma once

#include "model/records.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Where each face of PolygonList came from in the drawing, for programs that
// explain, list or export the model. Kept only by a build given a record
// (model/build_record.h).

enum class TFaceKind : uint8_t
{
    Wall,
    Slab,
};

struct TFaceOrigin
{
    uint8_t Slot = 0; // group * 16 + layer
    TFaceKind Kind = TFaceKind::Wall;
    int32_t Material = 1; // index into the material table, as the segment had it
    // 1-based line numbers in the interchange file of the records the face
    // was made from: the segment of a wall, the ring's segments of a slab in
    // walking order.
    std::vector<int32_t> Lines;
};

inline constexpr int LayerGroupCount = 16;

using TLayerNames = std::array<std::string, LayerSlotCount>;
using TGroupNames = std::array<std::string, LayerGroupCount>;
