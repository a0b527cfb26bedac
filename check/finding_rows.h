#pragma once

#include "check/finding.h"
#include "model/build_record.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The window's list of findings: one row per finding, in the order of the
// check's list, texts in Japanese (UTF-8).
struct TFindingRow
{
    size_t Finding = 0; // its place in the findings
    bool Warning = false;
    std::string Severity; // "警告" or "注記"
    std::string Kind;     // "高さのない線端", ...
    std::string Sentence;
    std::string Layer; // as the list of layers names it
    int32_t Line = 0;  // in temp.txt; 0 when the finding names none
};

// Which findings the list shows.
enum class TSeverityFilter
{
    All,
    Warnings,
    Notes,
};

// The rows of the findings that filter lets through, the layers named from
// record.
std::vector<TFindingRow> FindingRows(const std::vector<TFinding>& findings, const TBuildRecord& record,
                                     TSeverityFilter filter = TSeverityFilter::All);
