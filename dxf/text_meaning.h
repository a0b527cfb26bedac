#pragma once

#include <optional>
#include <string>
#include <vector>

// What Kestrelview's reader makes of the texts the bridge writes (all as "ch"
// records), so that the bridge knows which layers have heights and how high
// the model stands. Heights in millimetres, as the reader stores them.

struct TMarkHeights
{
    double Low = 0;
    double High = 0;
};

// The heights of a height mark: a text whose first field is a number.
std::optional<TMarkHeights> MarkHeights(const std::string& text);

// The base height an "lv" text sets for its layer.
std::optional<double> BaseHeightText(const std::string& text);

// The base height a layer name that begins with "#lv" gives, else 0.
double BaseHeightOfName(const std::string& name);

// Whether a text sets the eye ("v") or the target ("f").
bool IsViewText(const std::string& text);

// A height mark at its position as the reader holds it (single precision).
struct TEndMark
{
    float X = 0;
    float Y = 0;
    TMarkHeights Heights;
};

// Orders one layer's marks for MarksAt.
void SortEndMarks(std::vector<TEndMark>& marks);

// Whether a mark lies on the segment end (x, y) as the reader matches marks
// to ends; range then spans the heights of every mark that does.
bool MarksAt(const std::vector<TEndMark>& sorted, float x, float y, TMarkHeights& range);
