#include "check/finding_text.h"

#include "common/float_text.h"
#include "model/layers.h"

#include <array>

namespace
{

std::string LineText(int32_t line)
{
    return std::to_string(line);
}

std::string FirstLineText(const TFinding& f)
{
    return "temp.txt:" + LineText(f.Lines.empty() ? 0 : f.Lines.front());
}

void DescribeNoWall(TFinding& f, TNoWallReason reason)
{
    switch (reason)
    {
    case TNoWallReason::BothUnmarked:
        f.MessageJa = "壁になりません: 両端とも高さ文字がありません";
        f.MessageEn = "neither end has a height mark, so both stay flat at 0";
        break;
    case TNoWallReason::SingleNumbers:
        f.MessageJa = "壁になりません: 両端の高さ文字が \"ch\"/\"c2\" の数値1つで、上端と下端が同じです";
        f.MessageEn =
            "its marks are single numbers on \"ch\"/\"c2\" texts, so top equals bottom at both ends";
        break;
    case TNoWallReason::EqualHeights:
        f.MessageJa = "壁になりません: 両端とも上端と下端が同じ高さです";
        f.MessageEn = "top and bottom are equal at both ends";
        break;
    }
}

} // namespace

void DescribeFinding(TFinding& f, const TFindingDetail& d)
{
    switch (f.Kind)
    {
    case TFindingKind::UnmarkedEnd:
        f.MessageJa = "この線端に同じレイヤの高さ文字がなく、高さ 0 のままです";
        f.MessageEn = "no height mark of its layer on this end: it stays at height 0";
        break;
    case TFindingKind::NearMark:
        f.MessageJa =
            "高さ文字が線端から " + ShortestText(*f.Distance) + " 離れています。線端に合わせてください";
        f.MessageEn =
            "a height mark lies " + ShortestText(*f.Distance) + " away from this end: snap it to the end";
        break;
    case TFindingKind::MarkOtherLayer:
        f.MessageJa = "この線端の高さ文字はレイヤ " + LayerNumberText(d.OtherSlot) + " にあり、線のレイヤ " +
                      LayerNumberText(f.Slot) + " にありません";
        f.MessageEn = "the height mark on this end is on layer " + LayerNumberText(d.OtherSlot) +
                      ", not on the segment's layer " + LayerNumberText(f.Slot);
        break;
    case TFindingKind::LoneMark:
        f.MessageJa = "この高さ文字は同じレイヤのどの線端にも乗っていません";
        f.MessageEn = "this height mark lies on no segment end of its layer";
        break;
    case TFindingKind::NoWall:
        DescribeNoWall(f, d.Reason);
        break;
    case TFindingKind::OpenEnd:
        f.MessageJa = "この線端は同じレイヤの他の線端につながっていません";
        f.MessageEn = "this end meets no other segment end of its layer";
        break;
    case TFindingKind::EndOnSegment:
        f.MessageJa = "この線端は " + LineText(d.OtherLine) + " 行目の線の途中にあり、つながりません";
        f.MessageEn = "this end lies on the middle of the segment of line " + LineText(d.OtherLine) +
                      ", which is not joined there";
        break;
    case TFindingKind::LongRing:
        f.MessageJa = std::to_string(d.RingSize) + " 本の線の輪郭です。100 本を超える輪郭は床になりません";
        f.MessageEn = "a closed ring of " + std::to_string(d.RingSize) +
                      " segments: rings of more than 100 give no slab";
        break;
    case TFindingKind::NotFlat:
        if (d.TopMade)
        {
            f.MessageJa = "この輪郭の下端が平面になっていないため、上の床だけを作りました";
            f.MessageEn = "this ring's bottom level is not flat: only the top slab was made";
        }
        else
        {
            f.MessageJa = "この輪郭の上端が平面になっていないため、床になりません";
            f.MessageEn = "this ring's top level is not flat: no slab";
        }
        break;
    case TFindingKind::DuplicateSegment:
        f.MessageJa = LineText(d.OtherLine) + " 行目と同じ線です";
        f.MessageEn = "the same segment as line " + LineText(d.OtherLine);
        break;
    }
}

const char* SeverityName(TFindingKind kind)
{
    return IsWarning(kind) ? "warning" : "note";
}

const char* SeverityNameJa(TFindingKind kind)
{
    return IsWarning(kind) ? "警告" : "注記";
}

const char* FindingKindNameJa(TFindingKind kind)
{
    switch (kind)
    {
    case TFindingKind::UnmarkedEnd:
        return "高さのない線端";
    case TFindingKind::NearMark:
        return "ずれた高さ文字";
    case TFindingKind::MarkOtherLayer:
        return "別レイヤの高さ文字";
    case TFindingKind::EndOnSegment:
        return "閉じていない線端";
    case TFindingKind::LongRing:
        return "長すぎる輪郭";
    case TFindingKind::NotFlat:
        return "平らでない輪郭";
    case TFindingKind::DuplicateSegment:
        return "重なった線";
    case TFindingKind::LoneMark:
        return "使われない高さ文字";
    case TFindingKind::NoWall:
        return "壁にならない線";
    case TFindingKind::OpenEnd:
        return "つながらない線端";
    }
    return "";
}

std::string FindingLine(const TFinding& f)
{
    return FirstLineText(f) + ": layer " + LayerNumberText(f.Slot) + " at (" + ShortestText(f.X) + ", " +
           ShortestText(f.Y) + "): " + SeverityName(f.Kind) + ": " + FindingKindName(f.Kind) + ": " +
           f.MessageEn;
}

std::string FindingKeyText(const TFinding& f)
{
    return std::string(SeverityName(f.Kind)) + ", " + FindingKindName(f.Kind) + ", layer " +
           LayerNumberText(f.Slot) + ", " + FirstLineText(f);
}

std::array<int, FindingKindCount> CountKinds(const std::vector<TFinding>& findings)
{
    std::array<int, FindingKindCount> counts{};
    for (const TFinding& f : findings)
        ++counts[size_t(f.Kind)];
    return counts;
}

std::string FindingCounts(const std::vector<TFinding>& findings)
{
    std::array<int, FindingKindCount> counts = CountKinds(findings);
    std::string text;
    for (int k = 0; k < FindingKindCount; ++k)
        if (counts[k] > 0)
        {
            auto kind = TFindingKind(k);
            text += std::string(FindingKindName(kind)) + ": " + std::to_string(counts[k]) + " (" +
                    SeverityName(kind) + ")\n";
        }
    return text;
}

bool HasWarning(const std::vector<TFinding>& findings)
{
    for (const TFinding& f : findings)
        if (IsWarning(f.Kind))
            return true;
    return false;
}

std::string WarningSummary(const std::vector<TFinding>& findings)
{
    std::array<int, FindingKindCount> counts{};
    for (const TFinding& f : findings)
        ++counts[size_t(f.Kind)];
    std::string text;
    for (int k = 0; k < FindingKindCount; ++k)
        if (counts[k] > 0 && IsWarning(TFindingKind(k)))
            text += (text.empty() ? "注意: " : " / ") + std::string(FindingKindNameJa(TFindingKind(k))) +
                    " " + std::to_string(counts[k]);
    return text.empty() ? text : text + " (kestrelview-render --check で詳細)";
}
