#include "check/check_report.h"

#include "check/finding_text.h"
#include "common/float_text.h"

void PrintFindings(std::ostream& out, const std::vector<TFinding>& findings)
{
    for (const TFinding& f : findings)
        out << FindingLine(f) << "\n";
    out << FindingCounts(findings);
}

nlohmann::ordered_json FindingsToJson(const std::vector<TFinding>& findings)
{
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    nlohmann::ordered_json counts = nlohmann::ordered_json::object();
    for (int k = 0; k < FindingKindCount; ++k)
        counts[FindingKindName(TFindingKind(k))] = 0;
    for (const TFinding& f : findings)
    {
        nlohmann::ordered_json item = {
            {"kind", FindingKindName(f.Kind)},
            {"severity", SeverityName(f.Kind)},
            {"layer", {f.Slot / 16, f.Slot % 16}},
            {"at", {ShortestDouble(f.X), ShortestDouble(f.Y)}},
            {"lines", f.Lines},
        };
        if (f.Distance)
            item["distance"] = ShortestDouble(*f.Distance);
        item["message"] = {{"ja", f.MessageJa}, {"en", f.MessageEn}};
        list.push_back(item);
        counts[FindingKindName(f.Kind)] = counts[FindingKindName(f.Kind)].get<int>() + 1;
    }
    return {{"findings", list}, {"counts", counts}};
}
