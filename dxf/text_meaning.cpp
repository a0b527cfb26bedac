#include "dxf/text_meaning.h"

#include "common/fields.h"
#include "common/numbers.h"
#include "common/tolerance.h"

#include <algorithm>
#include <cmath>

namespace
{

// What the reader takes a first field that is no number for.
constexpr double NoNumber = 123456789;

double Field(const std::vector<std::string>& fields, size_t index, double fallback)
{
    return ReadRealOr(TrimControl(fields[index]), fallback);
}

} // namespace

std::optional<TMarkHeights> MarkHeights(const std::string& text)
{
    std::vector<std::string> fields = SplitCommaFields(text, 2);
    if (fields.empty())
        return std::nullopt;
    double first = Field(fields, 0, NoNumber);
    if (first == NoNumber)
        return std::nullopt;
    // A single number on a "ch" text is both heights.
    double second = fields.size() > 1 ? Field(fields, 1, 0) : first;
    return TMarkHeights{std::min(first, second) * 1000, std::max(first, second) * 1000};
}

std::optional<double> BaseHeightText(const std::string& text)
{
    std::vector<std::string> fields = SplitCommaFields(text, 2);
    if (fields.size() < 2 || fields[0] != "lv")
        return std::nullopt;
    return Field(fields, 1, 0) * 1000;
}

double BaseHeightOfName(const std::string& name)
{
    if (name.compare(0, 3, "#lv") != 0)
        return 0;
    return ReadRealOr(TrimControl(std::string_view(name).substr(3)), 0) * 1000;
}

bool IsViewText(const std::string& text)
{
    std::vector<std::string> fields = SplitCommaFields(text, 1);
    return !fields.empty() && (fields[0] == "v" || fields[0] == "f");
}

void SortEndMarks(std::vector<TEndMark>& marks)
{
    std::sort(marks.begin(), marks.end(), [](const TEndMark& a, const TEndMark& b) { return a.X < b.X; });
}

bool MarksAt(const std::vector<TEndMark>& sorted, float x, float y, TMarkHeights& range)
{
    // Every mark NearlyEqual to x lies within twice the tolerance of it.
    const float reach = 2 * NearTolerance + std::fabs(x) * 1e-6f;
    auto first = std::lower_bound(sorted.begin(), sorted.end(), x - reach,
                                  [](const TEndMark& mark, float limit) { return mark.X < limit; });
    bool found = false;
    for (auto mark = first; mark != sorted.end() && mark->X <= x + reach; ++mark)
    {
        if (!NearlyEqual(mark->X, x) || !NearlyEqual(mark->Y, y))
            continue;
        range.Low = found ? std::min(range.Low, mark->Heights.Low) : mark->Heights.Low;
        range.High = found ? std::max(range.High, mark->Heights.High) : mark->Heights.High;
        found = true;
    }
    return found;
}
