#include "dxf/interchange_writer.h"

#include "common/numbers.h"
#include "dxf/dxf_colors.h"
#include "dxf/dxf_error.h"
#include "dxf/text_meaning.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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

// What the reader will hold of a number written as text.
float AsRead(const std::string& number)
{
    std::optional<double> value = ParseDecimal(number);
    return value ? ToSingle(*value) : NAN;
}

// A point as written into the file, in millimetres, and as the reader holds it.
struct TWrittenPoint
{
    std::string Text;
    float X = 0;
    float Y = 0;
};

TWrittenPoint WrittenPoint(double x, double y)
{
    std::string xText = Number(x), yText = Number(y);
    return {xText + " " + yText, AsRead(xText), AsRead(yText)};
}

void WriteLayerHeader(std::string& out, size_t slot, const std::string& name)
{
    out += "lg";
    out += HexDigits[slot / 16];
    out += "\r\nly";
    out += HexDigits[slot % 16];
    out += "\r\nlyn" + name + "\r\n";
}

// The eye and target texts of a view, at the model's points written back in
// the host's terms: plan y negated, heights in metres.
void WriteView(std::string& out, const TFramedView& view)
{
    out += "ch " + Number(view.Eye[0]) + " " + Number(-view.Eye[2]) + " 0 0 \"v," +
           Number(view.Eye[1] / 1000) + "," + Number(PlanFieldOfView) + "\r\n";
    out += "ch " + Number(view.Target[0]) + " " + Number(-view.Target[2]) + " 0 0 \"f," +
           Number(view.Target[1] / 1000) + "\r\n";
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
    bool ownView = false;
    // The model's corners for the view: each segment end at its bottom and top.
    std::vector<TModelPoint> points;
    auto takeEnd = [&points](const TWrittenPoint& end, double low, double high)
    {
        points.push_back({end.X, low, -double(end.Y)});
        points.push_back({end.X, high, -double(end.Y)});
    };
    for (size_t slot = 0; slot < layers.size(); slot++)
    {
        const TLayerContent& content = layers[slot];
        std::string name = ConvertText(encoder, plan.Layers[slot], false);
        WriteLayerHeader(out, slot, name);
        double base = BaseHeightOfName(name);

        std::vector<TEndMark> marks;
        for (size_t index : content.Texts)
        {
            const TPlanText& text = plan.Texts[index];
            std::string converted = ConvertText(encoder, text.Text, text.MText);
            if (converted.empty())
            {
                result.EmptyTexts++; // the reader stops at a text record without text
                continue;
            }
            TWrittenPoint at = WrittenPoint(text.X * scale, text.Y * scale);
            std::optional<TMarkHeights> heights = MarkHeights(converted);
            if (heights && std::isfinite(at.X) && std::isfinite(at.Y))
                marks.push_back({at.X, at.Y, *heights});
            base = BaseHeightText(converted).value_or(base);
            ownView = ownView || IsViewText(converted);
            out += "ch ";
            out += at.Text;
            out += ' ';
            out += Number(text.Height * scale);
            out += ' ';
            out += Number(text.Angle);
            out += " \"";
            out += converted;
            out += "\r\n";
            result.Texts++;
        }
        SortEndMarks(marks);

        TLayerSummary& summary = result.Layers.emplace_back();
        summary.Name = plan.Layers[slot];
        bool marked = false;
        std::vector<TWrittenPoint> unmarkedEnds;
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
            TWrittenPoint from = WrittenPoint(segment.X1 * scale, segment.Y1 * scale);
            TWrittenPoint to = WrittenPoint(segment.X2 * scale, segment.Y2 * scale);
            if (from.Text == to.Text)
                continue; // shorter than the file's precision
            out += ' ';
            out += from.Text;
            out += ' ';
            out += to.Text;
            out += "\r\n";
            result.Segments++;
            result.Straight += segment.Straight ? 1 : 0;
            summary.Segments++;
            result.Extent.Take(segment.X1, segment.Y1, scale);
            result.Extent.Take(segment.X2, segment.Y2, scale);
            for (TWrittenPoint* end : {&from, &to})
            {
                TMarkHeights range;
                if (MarksAt(marks, end->X, end->Y, range))
                {
                    marked = true;
                    takeEnd(*end, base + range.Low, base + range.High);
                }
                else
                    unmarkedEnds.push_back(std::move(*end));
            }
        }
        bool add = !marked && summary.Segments > 0 && options.WallHeight;
        summary.Heights = marked ? TLayerHeights::Marked
                          : add  ? TLayerHeights::Added
                                 : TLayerHeights::Unmarked;
        // An end without a mark stays at 0; with --wall-height every end of
        // the layer gets the wall height as top and 0 as bottom.
        double wall = add ? *options.WallHeight * 1000 : 0;
        std::string mark = add ? " 0 0 \"" + Number(*options.WallHeight) + ",0\r\n" : "";
        std::unordered_set<std::string> written;
        for (const TWrittenPoint& end : unmarkedEnds)
        {
            takeEnd(end, add ? base : 0, add ? base + wall : 0);
            if (add && written.insert(end.Text).second)
            {
                out += "ch ";
                out += end.Text;
                out += mark;
                result.MarksAdded++;
            }
        }
    }

    result.View = ChoosePlanView(options.View, points, result.Extent, ownView, layers.size() < MaxLayerSlots);
    if (result.View.Frame)
    {
        WriteLayerHeader(out, layers.size(), ViewLayerName);
        WriteView(out, *result.View.Frame);
    }
    return result;
}
