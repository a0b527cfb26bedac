#include "start/view_texts.h"

#include "common/numbers.h"
#include "model/layers.h"

#include <charconv>

namespace
{

bool StoresBack(std::string_view text, float stored, double scale)
{
    const std::optional<double> value = ParseDecimal(text);
    return value && ToSingle(*value * scale) == stored;
}

std::string Text(double value, std::chars_format format, int precision)
{
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value, format, precision).ptr;
    return {text, end};
}

// A position in the drawing's terms: x, the host's y (the stored one
// negated) and the height in metres.
std::string PointText(float x, float height, float y)
{
    return StoredValueText(x, 1) + "," + StoredValueText(0.0f - y, 1) + "," + StoredValueText(height, 1000);
}

// A value for reading, to decimals places; never "-0".
std::string Rounded(double value, int decimals)
{
    std::string text = Text(value, std::chars_format::fixed, decimals);
    if (text.find_first_not_of("-0.") == std::string::npos)
        return Text(0.0, std::chars_format::fixed, decimals);
    return text;
}

// A point for reading: whole drawing units, heights in metres to the centimetre.
std::string ShortPointText(float x, float height, float y)
{
    return Rounded(x, 0) + ", " + Rounded(0.0 - y, 0) + ", " + Rounded(height / 1000.0, 2);
}

std::string PlanText(float x, float y)
{
    return "(" + StoredValueText(x, 1) + ", " + StoredValueText(0.0f - y, 1) + ")";
}

} // namespace

std::string StoredValueText(float stored, double scale)
{
    const double value = stored / scale + 0.0; // no "-0"
    std::string fixed;
    for (int decimals = 0; decimals <= 12 && fixed.empty(); ++decimals)
        if (std::string text = Text(value, std::chars_format::fixed, decimals);
            StoresBack(text, stored, scale))
            fixed = text;
    // 17 significant digits always give the double back.
    int precision = 1;
    while (precision < 17 && !StoresBack(Text(value, std::chars_format::general, precision), stored, scale))
        ++precision;
    std::string general = Text(value, std::chars_format::general, precision);
    return !fixed.empty() && fixed.size() <= general.size() ? fixed : general;
}

std::string CompanionOptions(const TViewParameters& view, const TPictureOptions& picture)
{
    std::string options = "--eye=" + PointText(view.EyeX, view.EyeHeight, view.EyeY) +
                          " --target=" + PointText(view.TargetX, view.TargetHeight, view.TargetY) +
                          " --fov=" + StoredValueText(view.FieldOfView, 1);
    if (picture.Size)
        options += " --size=" + std::to_string((*picture.Size)[0]) + "x" + std::to_string((*picture.Size)[1]);
    if (picture.Orthographic)
        options += " --ortho";
    if (picture.Flat)
        options += " --flat";
    for (int slot : picture.HiddenLayers)
        options += " --hide-layer=" + LayerNumberText(slot);
    if (picture.Cut)
        options += " --cut=" + StoredValueText(*picture.Cut, 1000);
    return options;
}

std::string DrawingTextsLine(const TViewParameters& view, bool orthographic)
{
    if (orthographic)
        return "平行投影の視点は図面の文字では表せません";
    return "文字 \"v," + StoredValueText(view.EyeHeight, 1000) + "," + StoredValueText(view.FieldOfView, 1) +
           "\" を " + PlanText(view.EyeX, view.EyeY) + " に、\"f," +
           StoredValueText(view.TargetHeight, 1000) + "\" を " + PlanText(view.TargetX, view.TargetY) +
           " に置くと、図面がこの視点になります";
}

std::string ViewStatus(const TViewParameters& view)
{
    return "視点 " + ShortPointText(view.EyeX, view.EyeHeight, view.EyeY) + "  注視点 " +
           ShortPointText(view.TargetX, view.TargetHeight, view.TargetY) + "  画角 " +
           Rounded(view.FieldOfView, 0) + "°";
}

std::string ModeLine(bool walking, bool orthographic)
{
    return std::string(walking ? "歩行" : "周回") + "・" + (orthographic ? "平行投影" : "透視投影");
}
