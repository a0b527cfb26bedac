#include "check/finding.h"

const char* FindingKindName(TFindingKind kind)
{
    switch (kind)
    {
    case TFindingKind::UnmarkedEnd:
        return "unmarked-end";
    case TFindingKind::NearMark:
        return "near-mark";
    case TFindingKind::MarkOtherLayer:
        return "mark-other-layer";
    case TFindingKind::LoneMark:
        return "lone-mark";
    case TFindingKind::NoWall:
        return "no-wall";
    case TFindingKind::OpenEnd:
        return "open-end";
    case TFindingKind::EndOnSegment:
        return "end-on-segment";
    case TFindingKind::LongRing:
        return "long-ring";
    case TFindingKind::NotFlat:
        return "not-flat";
    case TFindingKind::DuplicateSegment:
        return "duplicate-segment";
    }
    return "";
}

bool IsWarning(TFindingKind kind)
{
    return kind != TFindingKind::LoneMark && kind != TFindingKind::NoWall && kind != TFindingKind::OpenEnd;
}
