#pragma once

#include "check/finding.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Why a segment gives no wall although its slot has height marks.
enum class TNoWallReason : uint8_t
{
    BothUnmarked,
    SingleNumbers, // its marks are single numbers on "ch"/"c2" texts
    EqualHeights,
};

// What a message names besides the finding's own place.
struct TFindingDetail
{
    int OtherSlot = -1;    // mark-other-layer: the mark's slot
    int32_t OtherLine = 0; // end-on-segment, duplicate-segment: the other segment's line
    size_t RingSize = 0;   // long-ring
    bool TopMade = false;  // not-flat: only the bottom level failed
    TNoWallReason Reason = TNoWallReason::BothUnmarked;
};

// Fills the finding's Japanese and English sentences.
void DescribeFinding(TFinding& finding, const TFindingDetail& detail);

// "warning" or "note".
const char* SeverityName(TFindingKind kind);

// The same in Japanese, "警告" or "注記", for the window (UTF-8).
const char* SeverityNameJa(TFindingKind kind);

// A short Japanese name of the kind, "高さのない線端", ..., for the window
// (UTF-8).
const char* FindingKindNameJa(TFindingKind kind);

// "temp.txt:LINE: layer G/L at (x, y): severity: kind: sentence" (English).
std::string FindingLine(const TFinding& finding);

// "warning, unmarked-end, layer 0/3, temp.txt:LINE": a finding in a plan's key.
std::string FindingKeyText(const TFinding& finding);

// How many findings there are of each kind, indexed by kind.
std::array<int, FindingKindCount> CountKinds(const std::vector<TFinding>& findings);

// One line "kind: n (severity)" for each kind found, in table order.
std::string FindingCounts(const std::vector<TFinding>& findings);

bool HasWarning(const std::vector<TFinding>& findings);

// The window's one-line Japanese summary of the warnings, UTF-8, such as
// "注意: 高さのない線端 3 / 閉じていない線端 1 (kestrelview-render --check で詳細)";
// empty when there is no warning.
std::string WarningSummary(const std::vector<TFinding>& findings);
