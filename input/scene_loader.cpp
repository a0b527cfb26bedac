#include "input/scene_loader.h"

#include "common/errors.h"
#include "common/fields.h"
#include "common/numbers.h"
#include "input/input_tables.h"
#include "input/line_splitting.h"
#include "input/material_files.h"
#include "input/text_lines.h"
#include "input/text_records.h"
#include "model/build_model.h"

namespace
{

// No record reads past its fifth token (the line record's four coordinates)
// or past the second piece between double quotes (a text record's text).
constexpr size_t TokensRead = 5;
constexpr size_t PiecesRead = 2;

// The host's layer and line settings in force while the file is read.
struct ReaderState
{
    int Group = 0;
    int Layer = 0;
    int LineColor = 1;
    int LineType = 1;
    int32_t Material = 1;
};

// One character read as a hexadecimal digit, 0 to 15.
int HexDigitOr(char c, int fallback)
{
    return ParseWholeNumber(std::string{'$', c}).value_or(fallback);
}

// "lyn" directly followed by "#lv" and a number gives the slot's base height.
void ReadLayerName(std::string_view line, LayerSlot& slot)
{
    if (line.substr(3, 3) != "#lv")
        return;
    slot.BaseHeight = ToSingle(ReadRealOr(TrimControl(line.substr(6)), 0) * 1000);
}

// A name record is any "lgn" or "lyn" record that gives no base height: the
// rest of the line, blanks trimmed.
void ReadNameRecord(std::string_view line, std::string& name)
{
    if (line.substr(3, 3) != "#lv")
        name = TrimControl(line.substr(3));
}

// Only the last character of the record's first token counts, as one
// hexadecimal digit.
void ReadLayerState(std::string_view prefix, std::string_view first, ReaderState& state)
{
    char digit = first.back();
    if (prefix == "lg")
        state.Group = HexDigitOr(digit, 0);
    else if (prefix == "ly")
        state.Layer = HexDigitOr(digit, 0);
    else if (prefix == "lc")
        state.LineColor = HexDigitOr(digit, 1);
    else
        state.LineType = HexDigitOr(digit, 1);
    state.Material = MaterialIndex(state.LineType, state.LineColor);
}

// The four coordinates after the one-blank token, host y negated into plan y.
void AppendSegment(const std::vector<std::string_view>& tokens, int32_t material, LayerSlot& slot)
{
    SegmentRecord segment;
    segment.X1 = ToSingle(ReadRealStrict(ListItem(tokens, 1)));
    segment.Y1 = ToSingle(-ReadRealStrict(ListItem(tokens, 2)));
    segment.X2 = ToSingle(ReadRealStrict(ListItem(tokens, 3)));
    segment.Y2 = ToSingle(-ReadRealStrict(ListItem(tokens, 4)));
    segment.Material = material;
    slot.Segments.push_back(segment);
}

bool IsLayerState(std::string_view prefix)
{
    return prefix == "lg" || prefix == "ly" || prefix == "lc" || prefix == "lt";
}

bool IsTextRecord(std::string_view prefix)
{
    return prefix == "c2" || prefix == "cz" || prefix == "ch";
}

} // namespace

std::vector<LayerSlot> ReadSceneText(std::string_view text, TBuildRecord* record)
{
    const bool keepOrigins = record != nullptr;
    if (keepOrigins)
    {
        record->LayerNames = {};
        record->GroupNames = {};
    }
    std::vector<LayerSlot> slots(LayerSlotCount);
    ReaderState state;
    // The working lists keep their room from line to line.
    std::vector<std::string_view> tokens;
    std::vector<std::string_view> pieces;
    TextFields fields;

    std::string_view rest = TextBeforeNul(text);
    std::string_view line;
    int32_t lineNumber = 0;
    while (TakeLine(rest, line))
    {
        ++lineNumber;
        tokens.clear();
        SplitOnBlanks(line, tokens, TokensRead);
        // Every line is dispatched on its first token, so an empty line fails here.
        std::string_view first = ListItem(tokens, 0);
        std::string_view prefix = first.substr(0, 2);
        std::string_view longPrefix = first.substr(0, 3);
        int slotNumber = state.Group * 16 + state.Layer;
        LayerSlot& slot = slots[slotNumber];

        // The name records come first, so that they never change the layer.
        if (longPrefix == "lgn")
        {
            if (keepOrigins)
                ReadNameRecord(line, record->GroupNames[state.Group]);
        }
        else if (longPrefix == "lyn")
        {
            ReadLayerName(line, slot);
            if (keepOrigins)
                ReadNameRecord(line, record->LayerNames[slotNumber]);
        }
        else if (IsLayerState(prefix))
            ReadLayerState(prefix, first, state);
        else if (IsTextRecord(prefix))
        {
            pieces.clear();
            SplitOnChar(line, '"', pieces, PiecesRead);
            int fieldCount = ReadTextRecord(prefix, tokens, pieces, fields, slot);
            if (keepOrigins && fieldCount > 0)
            {
                slot.MarkLines.push_back(lineNumber);
                slot.MarkSingleNumber.push_back(fieldCount == 1 && prefix != "cz");
            }
        }
        else if (prefix == " ")
        {
            AppendSegment(tokens, state.Material, slot);
            if (keepOrigins)
                slot.SegmentLines.push_back(lineNumber);
        }
    }
    return slots;
}

void SceneLoader(const std::string& path, TBuildRecord* record)
{
    ResetSceneState();
    // The file's text is let go before the model is built: on a large
    // drawing it would otherwise add its whole size to the peak memory.
    std::vector<LayerSlot> slots = ReadSceneText(ReadWholeFile(path), record);
    BuildModel(slots, MaterialTable, record);
}
