#include "bench/model/bench_drawings.h"

#include <charconv>
#include <cmath>
#include <numbers>

namespace
{

void AppendNumber(std::string& text, double value)
{
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    text.append(buffer, result.ptr);
}

void AppendSegment(std::string& text, double x1, double y1, double x2, double y2)
{
    for (double v : {x1, y1, x2, y2})
    {
        text += ' ';
        AppendNumber(text, v);
    }
    text += '\n';
}

void AppendMark(std::string& text, double x, double y)
{
    text += "ch ";
    AppendNumber(text, x);
    text += ' ';
    AppendNumber(text, y);
    text += " \"3,0\n";
}

// Corner k of a regular polygon, rounded to a whole unit so that the text
// gives back exactly the corner the next segment starts from.
double Around(int k, int corners, double radius, bool sine)
{
    double angle = 2 * std::numbers::pi * k / corners;
    return std::round(radius * (sine ? std::sin(angle) : std::cos(angle)));
}

} // namespace

std::string GridOfRooms(int n)
{
    std::string text;
    const double size = 1000;
    for (int j = 0; j <= n; ++j)
        for (int i = 0; i < n; ++i)
            AppendSegment(text, i * size, j * size, (i + 1) * size, j * size);
    for (int i = 0; i <= n; ++i)
        for (int j = 0; j < n; ++j)
            AppendSegment(text, i * size, j * size, i * size, (j + 1) * size);
    for (int j = 0; j <= n; ++j)
        for (int i = 0; i <= n; ++i)
            AppendMark(text, i * size, j * size);
    return text;
}

std::string Star(int segments)
{
    std::string text;
    const double radius = 1e6;
    AppendMark(text, 0, 0);
    for (int k = 0; k < segments; ++k)
    {
        double x = Around(k, segments, radius, false), y = Around(k, segments, radius, true);
        if (k % 2 == 0)
            AppendSegment(text, 0, 0, x, y);
        else
            AppendSegment(text, x, y, 0, 0);
        AppendMark(text, x, y);
    }
    return text;
}

std::string IdenticalSegments(int segments)
{
    std::string text;
    for (int k = 0; k < segments; ++k)
        AppendSegment(text, 0, 0, 1000, 0);
    AppendMark(text, 0, 0);
    AppendMark(text, 1000, 0);
    return text;
}

std::string OpenPolyline(int segments)
{
    std::string text;
    for (int k = 0; k < segments; ++k)
        AppendSegment(text, k * 100.0, (k % 2) * 100.0, (k + 1) * 100.0, ((k + 1) % 2) * 100.0);
    for (int k = 0; k <= segments; ++k)
        AppendMark(text, k * 100.0, (k % 2) * 100.0);
    return text;
}

std::string Ring(int segments)
{
    std::string text;
    const double radius = 1e5;
    for (int k = 0; k < segments; ++k)
        AppendSegment(text, Around(k, segments, radius, false), Around(k, segments, radius, true),
                      Around(k + 1, segments, radius, false), Around(k + 1, segments, radius, true));
    for (int k = 0; k < segments; ++k)
        AppendMark(text, Around(k, segments, radius, false), Around(k, segments, radius, true));
    return text;
}
