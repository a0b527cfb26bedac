#include "input/text_records.h"

#include "common/errors.h"
#include "common/fields.h"
#include "common/numbers.h"
#include "input/input_tables.h"
#include "input/line_splitting.h"

#include <string>

namespace
{

// The most fields a record reads: "sl" and "sls" read fields 1 to 6.
constexpr size_t FieldsRead = 6;

// What a first field that is not a number reads as. A text that really is
// this number therefore makes no mark either.
constexpr double NoNumber = 123456789;

// Heights are written in metres and stored in drawing units.
float Thousandfold(double value)
{
    return ToSingle(value * 1000);
}

// Field `number` (counted from 1) as a real: fallback when the field is not a
// number, absent when the text has no such field.
double FieldOr(const TextFields& fields, size_t number, double fallback, double absent)
{
    if (fields.size() < number)
        return absent;
    return ReadRealOr(TrimControl(fields[number - 1]), fallback);
}

// The text's plan position for the keywords: a token that is not a number
// counts as 0, a missing token is the list-index error.
void ReadKeywordPosition(const std::vector<std::string_view>& tokens, float& x, float& y)
{
    x = ToSingle(ReadRealOr(ListItem(tokens, 1), 0));
    y = ToSingle(-ReadRealOr(ListItem(tokens, 2), 0));
}

LightSource ReadLight(const TextFields& fields, const std::vector<std::string_view>& tokens, uint8_t flag)
{
    LightSource light;
    ReadKeywordPosition(tokens, light.X, light.Y);
    light.Height = Thousandfold(FieldOr(fields, 2, 0, 0));
    light.Red = ToSingle(FieldOr(fields, 3, 0.5, 0.5));
    light.Green = ToSingle(FieldOr(fields, 4, 0.5, 0.5));
    light.Blue = ToSingle(FieldOr(fields, 5, 0.5, 0.5));
    light.Distance = Thousandfold(FieldOr(fields, 6, 5, 0));
    light.Flag = flag;
    return light;
}

// Acts on a keyword of a "ch" text; false when field 1 is no keyword.
bool ReadKeyword(const TextFields& fields, const std::vector<std::string_view>& tokens, LayerSlot& slot)
{
    const std::string& keyword = fields[0];
    if (keyword == "lv")
    {
        if (fields.size() >= 2)
            slot.BaseHeight = Thousandfold(FieldOr(fields, 2, 0, 0));
    }
    else if (keyword == "v")
    {
        ReadKeywordPosition(tokens, ViewParameters.EyeX, ViewParameters.EyeY);
        ViewParameters.EyeHeight = Thousandfold(FieldOr(fields, 2, 0, 0));
        ViewParameters.FieldOfView = ToSingle(FieldOr(fields, 3, 90, 90));
    }
    else if (keyword == "f")
    {
        ReadKeywordPosition(tokens, ViewParameters.TargetX, ViewParameters.TargetY);
        ViewParameters.TargetHeight = Thousandfold(FieldOr(fields, 2, 0, 0));
    }
    else if (keyword == "al")
    {
        AmbientLight.Red = ToSingle(FieldOr(fields, 2, 0.5, AmbientLight.Red));
        AmbientLight.Green = ToSingle(FieldOr(fields, 3, 0.5, AmbientLight.Green));
        AmbientLight.Blue = ToSingle(FieldOr(fields, 4, 0.5, AmbientLight.Blue));
    }
    else if (keyword == "sl" || keyword == "sls")
    {
        LightList.push_back(ReadLight(fields, tokens, keyword == "sl" ? 1 : 0));
    }
    else
    {
        return false;
    }
    return true;
}

} // namespace

int ReadTextRecord(std::string_view prefix, const std::vector<std::string_view>& tokens,
                   const std::vector<std::string_view>& pieces, TextFields& fields, LayerSlot& slot)
{
    // The text runs from the first double quote to the next one.
    SplitCommaFields(ListItem(pieces, 1), fields, FieldsRead);
    if (fields.empty())
        return 0;
    if (prefix == "ch" && ReadKeyword(fields, tokens, slot))
        return 0;

    double first = ReadRealOr(TrimControl(fields[0]), NoNumber);
    if (first == NoNumber)
        return 0;
    HeightMark mark;
    mark.X = ToSingle(ReadRealStrict(ListItem(tokens, 1)));
    mark.Y = ToSingle(-ReadRealStrict(ListItem(tokens, 2)));
    mark.Height1 = Thousandfold(first);
    // A single number on a "cz" text raises the wall from the base.
    double absent = prefix == "cz" ? 0 : first;
    mark.Height2 = Thousandfold(FieldOr(fields, 2, 0, absent));
    slot.Marks.push_back(mark);
    return int(fields.size());
}
