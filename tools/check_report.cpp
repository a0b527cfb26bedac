#include "tools/check_report.h"

#include "check/finding_text.h"

#include <charconv>
#include <string>

namespace
{

// The number as the shortest text that reads back as the stored float, so
// that 0.1 in the drawing shows as 0.1.
double Shortest(float value)
{
    std::string text = FloatText(value);
    double shortest = value;
    std::from_chars(text.data(), text.data() + text.size(), shortest);
    return shortest;
}

} // namespace

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
            {"at", {Shortest(f.X), Shortest(f.Y)}},
            {"lines", f.Lines},
        };
        if (f.Distance)
            item["distance"] = Shortest(*f.Distance);
        item["message"] = {{"ja", f.MessageJa}, {"en", f.MessageEn}};
        list.push_back(item);
        counts[FindingKindName(f.Kind)] = counts[FindingKindName(f.Kind)].get<int>() + 1;
    }
    return {{"findings", list}, {"counts", counts}};
}
