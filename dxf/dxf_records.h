#pragma once

#include <string>
#include <vector>

// The parts of a DXF drawing the bridge uses, as read, before blocks are
// expanded. Coordinates are in drawing units; entity points are in the
// entity's own plane (mirrored when its extrusion points down).

enum class TDxfKind
{
    Line,
    Polyline,
    Arc,
    Circle,
    Text,
    Insert,
};

struct TDxfVertex
{
    double X = 0;
    double Y = 0;
    double Bulge = 0; // of the edge that starts here
};

// One entity. Which fields count depends on Kind.
struct TDxfEntity
{
    TDxfKind Kind = TDxfKind::Line;
    std::string Layer;
    int Color = 256;       // DXF colour index: 0 BYBLOCK, 256 BYLAYER
    std::string LineType;  // upper case; "BYLAYER" or "BYBLOCK" as written
    bool Mirrored = false; // extrusion pointing down: x is negated after placing

    std::vector<TDxfVertex> Vertices; // Line: two; Polyline: all
    bool Closed = false;

    double CenterX = 0, CenterY = 0, Radius = 0; // Arc, Circle
    double StartAngle = 0, EndAngle = 0;         // Arc, degrees

    double X = 0, Y = 0; // Text: the point it is placed at; Insert: insertion point
    double Height = 0;   // Text
    double Angle = 0;    // Text, Insert: degrees
    std::string Text;    // Text: as read, in the file's encoding
    bool MText = false;  // Text: holds MTEXT formatting codes

    std::string Block; // Insert
    double ScaleX = 1, ScaleY = 1;
    int Columns = 1, Rows = 1;
    double ColumnSpacing = 0, RowSpacing = 0;
};

struct TDxfBlock
{
    std::string Name; // upper case, as blocks are looked up
    double BaseX = 0, BaseY = 0;
    std::vector<TDxfEntity> Entities;
};

struct TDxfLayer
{
    std::string Name;
    int Color = 7;
    std::string LineType;
};

// An entity the bridge does not convert, counted by kind.
struct TSkipCount
{
    std::string What;
    long long Count = 0;
};

struct TDxfDrawing
{
    std::vector<TDxfLayer> Layers;
    std::vector<TDxfBlock> Blocks;
    std::vector<TDxfEntity> Entities; // model space
    std::vector<TSkipCount> Skipped;
    int Units = 0;        // $INSUNITS
    std::string CodePage; // $DWGCODEPAGE
    std::string Version;  // $ACADVER
};

// Adds one to the count of what, appending it when new.
void CountSkip(std::vector<TSkipCount>& skipped, const std::string& what);

// A DXF name in upper case, as layer, block and line type names compare
// without regard to case.
std::string UpperCaseName(std::string name);
