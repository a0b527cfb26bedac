#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the plan check can find, in the order counts and summaries list them.
enum class TFindingKind : uint8_t
{
    UnmarkedEnd,
    NearMark,
    MarkOtherLayer,
    LoneMark,
    NoWall,
    OpenEnd,
    EndOnSegment,
    LongRing,
    NotFlat,
    DuplicateSegment,
};
inline constexpr int FindingKindCount = 10;

// One thing in the drawing that explains a missing wall or slab.
struct TFinding
{
    TFindingKind Kind = TFindingKind::UnmarkedEnd;
    uint8_t Slot = 0; // group * 16 + layer
    // Where it is, in the host's coordinates (y as the host writes it).
    float X = 0;
    float Y = 0;
    // 1-based line numbers in temp.txt, the record the finding is about first.
    std::vector<int32_t> Lines;
    std::optional<float> Distance;
    std::string MessageJa; // UTF-8
    std::string MessageEn;
};

// "unmarked-end", "near-mark", ...
const char* FindingKindName(TFindingKind kind);

// Warnings are what a drafter almost surely wants fixed; the rest are notes,
// which may be intended.
bool IsWarning(TFindingKind kind);
