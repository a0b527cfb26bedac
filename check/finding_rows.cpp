#include "check/finding_rows.h"

#include "check/finding_text.h"
#include "model/layers.h"

#include <array>
#include <optional>

std::vector<TFindingRow> FindingRows(const std::vector<TFinding>& findings, const TBuildRecord& record,
                                     TSeverityFilter filter)
{
    // Each layer's label is made once, not once a row.
    std::array<std::optional<std::string>, LayerSlotCount> labels;
    std::vector<TFindingRow> rows;
    for (size_t i = 0; i < findings.size(); ++i)
    {
        const TFinding& f = findings[i];
        const bool warning = IsWarning(f.Kind);
        if ((filter == TSeverityFilter::Warnings && !warning) ||
            (filter == TSeverityFilter::Notes && warning))
            continue;
        if (!labels[f.Slot])
            labels[f.Slot] = LayerLabel(record, f.Slot);
        rows.push_back({i, warning, SeverityNameJa(f.Kind), FindingKindNameJa(f.Kind), f.MessageJa,
                        *labels[f.Slot], f.Lines.empty() ? 0 : f.Lines.front()});
    }
    return rows;
}
