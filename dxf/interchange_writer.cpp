#include "dxf/interchange_writer.h"

#include "common/fields.h"
#include "common/numbers.h"
#include "dxf/dxf_colors.h"
#include "dxf/dxf_error.h"

#include <algorithm>
#include <charconv>
#include <unordered_set>

const char BridgeMark[] = "# written by kestrelview-dxf";

namespace
{

const char HexDigits[] = "0123456789ABCDEF";

// Ten significant digits: a micrometre at a kilometre, and the same point
// always gives the same text, so marks meet their segment ends.
std::string Number(double value)
{
    if (value == 0)
        return "0"; // not "-0"
    char text[32];
    char* end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 10).ptr;
    return std::string(text, end);
}

std::string Point(double x, double y)
{
    return Number(x) + " " + Number(y);
}

// The bytes of a name for a comment line: no line breaks.
std::string OneLine(std::string text)
{
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = '?';
    return text;
}

struct TLayerContent
{
    std::vector<size_t> Segments;
    std::vector<size_t> Texts;
};

} // namespace

bool IsHeightMark(const std::string& text)
{
    std::vector<std::string> fields = SplitCommaFields(text, 1);
    if (fields.empty())
        return false;
    // The reader's own test: a first field that is a number other than 123456789.
    return ReadRealOr(TrimControl(fields[0]), 123456789) != 123456789;
}

TInterchange WriteInterchange(const TPlanDrawing& plan, TTextEncoder& encoder,
                              const TInterchangeOptions& options)
{
    if (plan.Layers.size() > MaxLayerSlots)
        throw DxfError(
            "the drawing uses " + std::to_string(plan.Layers.size()) +
            " layers, more than the 256 Kestrelview holds; choose the layers to keep with --layers A,B,...");
    std::vector<TLayerContent> layers(plan.Layers.size());
    for (size_t i = 0; i < plan.Segments.size(); i++)
        layers[plan.Segments[i].Layer].Segments.push_back(i);
    for (size_t i = 0; i < plan.Texts.size(); i++)
        layers[plan.Texts[i].Layer].Texts.push_back(i);

    TInterchange result;
    std::string& out = result.Bytes;
    out.reserve(plan.Segments.size() * 40 + plan.Texts.size() * 60 + 256);
    out += BridgeMark;
    out += " from " + OneLine(options.SourceName) + "\r\n";

    double scale = options.UnitScale;
    int lineColor = 0;
    int lineType = 0;
    for (size_t slot = 0; slot < layers.size(); slot++)
    {
        const TLayerContent& content = layers[slot];
        out += "lg";
        out += HexDigits[slot / 16];
        out += "\r\nly";
        out += HexDigits[slot % 16];
        out += "\r\nlyn" + ConvertText(encoder, plan.Layers[slot], false) + "\r\n";

        bool hasMark = false;
        for (size_t index : content.Texts)
        {
            const TPlanText& text = plan.Texts[index];
            std::string converted = ConvertText(encoder, text.Text, text.MText);
            if (converted.empty())
            {
                result.EmptyTexts++; // the reader stops at a text record without text
                continue;
            }
            hasMark = hasMark || IsHeightMark(converted);
            out += "ch ";
            out += Point(text.X * scale, text.Y * scale);
            out += ' ';
            out += Number(text.Height * scale);
            out += ' ';
            out += Number(text.Angle);
            out += " \"";
            out += converted;
            out += "\r\n";
            result.Texts++;
        }

        std::vector<std::string> ends;
        for (size_t index : content.Segments)
        {
            const TPlanSegment& segment = plan.Segments[index];
            int color = LineColorFor(segment.Color);
            int type = std::min(segment.LineType + 1, 9);
            if (color != lineColor)
                out += "lc" + std::to_string(color) + "\r\n";
            if (type != lineType)
                out += "lt" + std::to_string(type) + "\r\n";
            lineColor = color;
            lineType = type;
            std::string from = Point(segment.X1 * scale, segment.Y1 * scale);
            std::string to = Point(segment.X2 * scale, segment.Y2 * scale);
            if (from == to)
                continue; // shorter than the file's precision
            out += ' ';
            out += from;
            out += ' ';
            out += to;
            out += "\r\n";
            result.Segments++;
            result.Straight += segment.Straight ? 1 : 0;
            if (!hasMark && options.WallHeight)
            {
                ends.push_back(std::move(from));
                ends.push_back(std::move(to));
            }
        }
        if (content.Segments.empty() || hasMark)
            continue;
        if (!options.WallHeight)
        {
            result.LayersWithoutMarks.push_back(plan.Layers[slot]);
            continue;
        }
        // Every end of the layer's segments gets the wall height as top and 0 as bottom.
        std::string mark = " 0 0 \"" + Number(*options.WallHeight) + ",0\r\n";
        std::unordered_set<std::string> marked;
        for (const std::string& end : ends)
            if (marked.insert(end).second)
            {
                out += "ch ";
                out += end;
                out += mark;
                result.MarksAdded++;
            }
    }
    return result;
}
