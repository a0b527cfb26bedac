#include "dxf/dxf_read.h"

#include "dxf/regular_file.h"

#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <sstream>

namespace
{

// Collects what dxflib reports into a TDxfDrawing. Entities between a block's
// start and end go into that block, all others into model space.
class TDrawingCollector : public DL_CreationAdapter
{
public:
    TDxfDrawing Drawing;

    void setVariableInt(const std::string& key, int value, int) override
    {
        if (key == "$INSUNITS")
            Drawing.Units = value;
    }

    void setVariableString(const std::string& key, const std::string& value, int) override
    {
        if (key == "$DWGCODEPAGE")
            Drawing.CodePage = value;
        else if (key == "$ACADVER")
            Drawing.Version = value;
    }

    void addLayer(const DL_LayerData& data) override
    {
        DL_Attributes attributes = getAttributes();
        // A negative colour marks a layer that is switched off; it keeps its colour.
        Drawing.Layers.push_back(
            {data.name, std::abs(attributes.getColor()), UpperCaseName(attributes.getLinetype())});
    }

    void addBlock(const DL_BlockData& data) override
    {
        EndPolyline();
        Drawing.Blocks.push_back({UpperCaseName(data.name), data.bpx, data.bpy, {}});
        InBlock = true;
    }

    void endBlock() override
    {
        EndPolyline();
        InBlock = false;
    }

    // Not endSection: dxflib calls it at every group of code 0.
    void endSequence() override { EndPolyline(); }

    void addLine(const DL_LineData& data) override
    {
        TDxfEntity& line = Add(TDxfKind::Line);
        line.Mirrored = false; // LINE is given in world coordinates
        line.Vertices = {{data.x1, data.y1, 0}, {data.x2, data.y2, 0}};
    }

    void addArc(const DL_ArcData& data) override
    {
        TDxfEntity& arc = Add(TDxfKind::Arc);
        arc.CenterX = data.cx;
        arc.CenterY = data.cy;
        arc.Radius = data.radius;
        arc.StartAngle = data.angle1;
        arc.EndAngle = data.angle2;
    }

    void addCircle(const DL_CircleData& data) override
    {
        TDxfEntity& circle = Add(TDxfKind::Circle);
        circle.CenterX = data.cx;
        circle.CenterY = data.cy;
        circle.Radius = data.radius;
    }

    void addPolyline(const DL_PolylineData& data) override
    {
        // Polygon meshes and polyface meshes are surfaces, not outlines.
        if (data.flags & (16 | 64))
        {
            Skip("POLYLINE mesh");
            PolylineIndex.reset();
            return;
        }
        TDxfEntity& polyline = Add(TDxfKind::Polyline);
        polyline.Closed = (data.flags & 1) != 0;
        polyline.Mirrored =
            polyline.Mirrored && (data.flags & 8) == 0; // 3D polylines are in world coordinates
        PolylineIndex = Target().size() - 1;
    }

    void addVertex(const DL_VertexData& data) override
    {
        if (PolylineIndex)
            Target()[*PolylineIndex].Vertices.push_back({data.x, data.y, data.bulge});
    }

    void addInsert(const DL_InsertData& data) override
    {
        TDxfEntity& insert = Add(TDxfKind::Insert);
        insert.Block = UpperCaseName(data.name);
        insert.X = data.ipx;
        insert.Y = data.ipy;
        insert.ScaleX = data.sx;
        insert.ScaleY = data.sy;
        insert.Angle = data.angle;
        insert.Columns = std::max(1, data.cols);
        insert.Rows = std::max(1, data.rows);
        insert.ColumnSpacing = data.colSp;
        insert.RowSpacing = data.rowSp;
    }

    void addText(const DL_TextData& data) override
    {
        TDxfEntity& text = Add(TDxfKind::Text);
        // A justified text is placed by its alignment point, the point the CAD
        // program snaps; "aligned" and "fit" texts run from the insertion point.
        bool justified = (data.hJustification != 0 || data.vJustification != 0) && data.hJustification != 3 &&
                         data.hJustification != 5;
        text.X = justified ? data.apx : data.ipx;
        text.Y = justified ? data.apy : data.ipy;
        text.Height = data.height;
        text.Angle = data.angle;
        text.Text = data.text;
    }

    void addMTextChunk(const std::string& text) override { MTextChunks += text; }

    void addMText(const DL_MTextData& data) override
    {
        TDxfEntity& text = Add(TDxfKind::Text);
        text.Mirrored = false; // MTEXT is placed in world coordinates
        text.MText = true;
        text.X = data.ipx;
        text.Y = data.ipy;
        text.Height = data.height;
        text.Angle = data.angle;
        text.Text = MTextChunks + data.text;
        MTextChunks.clear();
    }

    void addPoint(const DL_PointData&) override { Skip("POINT"); }
    void addXLine(const DL_XLineData&) override { Skip("XLINE"); }
    void addRay(const DL_RayData&) override { Skip("RAY"); }
    void addEllipse(const DL_EllipseData&) override { Skip("ELLIPSE"); }
    void addSpline(const DL_SplineData&) override { Skip("SPLINE"); }
    void addAttribute(const DL_AttributeData&) override { Skip("ATTRIB"); }
    void addArcAlignedText(const DL_ArcAlignedTextData&) override { Skip("ARCALIGNEDTEXT"); }
    void addDimAlign(const DL_DimensionData&, const DL_DimAlignedData&) override { Skip("DIMENSION"); }
    void addDimLinear(const DL_DimensionData&, const DL_DimLinearData&) override { Skip("DIMENSION"); }
    void addDimRadial(const DL_DimensionData&, const DL_DimRadialData&) override { Skip("DIMENSION"); }
    void addDimDiametric(const DL_DimensionData&, const DL_DimDiametricData&) override { Skip("DIMENSION"); }
    void addDimAngular(const DL_DimensionData&, const DL_DimAngular2LData&) override { Skip("DIMENSION"); }
    void addDimAngular3P(const DL_DimensionData&, const DL_DimAngular3PData&) override { Skip("DIMENSION"); }
    void addDimOrdinate(const DL_DimensionData&, const DL_DimOrdinateData&) override { Skip("DIMENSION"); }
    void addLeader(const DL_LeaderData&) override { Skip("LEADER"); }
    void addHatch(const DL_HatchData&) override { Skip("HATCH"); }
    void addTrace(const DL_TraceData&) override { Skip("TRACE"); }
    void add3dFace(const DL_3dFaceData&) override { Skip("3DFACE"); }
    void addSolid(const DL_SolidData&) override { Skip("SOLID"); }
    void addImage(const DL_ImageData&) override { Skip("IMAGE"); }

private:
    bool InBlock = false;
    std::optional<size_t> PolylineIndex;
    std::string MTextChunks;

    std::vector<TDxfEntity>& Target()
    {
        if (InBlock && !Drawing.Blocks.empty())
            return Drawing.Blocks.back().Entities;
        return Drawing.Entities;
    }

    void EndPolyline() { PolylineIndex.reset(); }

    TDxfEntity& Add(TDxfKind kind)
    {
        EndPolyline();
        DL_Attributes attributes = getAttributes();
        TDxfEntity entity;
        entity.Kind = kind;
        entity.Layer = attributes.getLayer();
        entity.Color = attributes.getColor();
        entity.LineType = UpperCaseName(attributes.getLinetype());
        // Entities drawn in their own plane (arcs, polylines, texts, inserts)
        // are seen from below when their extrusion points down: x is mirrored.
        entity.Mirrored = getExtrusion()->getDirection()[2] < 0;
        Target().push_back(std::move(entity));
        return Target().back();
    }

    void Skip(const std::string& what)
    {
        EndPolyline();
        CountSkip(Drawing.Skipped, what);
    }
};

// Whether some line of the text, blanks aside, is SECTION, as every DXF
// file's first group value is.
bool HasSection(const std::string& bytes)
{
    for (size_t at = bytes.find("SECTION"); at != std::string::npos; at = bytes.find("SECTION", at + 1))
    {
        size_t before = bytes.find_last_not_of(" \t", at == 0 ? std::string::npos : at - 1);
        size_t after = bytes.find_first_not_of(" \t", at + 7);
        bool lineStart = at == 0 || before == std::string::npos || bytes[before] == '\n';
        bool lineEnd = after == std::string::npos || bytes[after] == '\r' || bytes[after] == '\n';
        if (lineStart && lineEnd)
            return true;
    }
    return false;
}

} // namespace

TDxfDrawing ReadDxfBytes(const std::string& bytes, const std::string& name)
{
    // Binary DXF opens with this sentinel; dxflib reads ASCII only.
    static const char BinarySentinel[] = "AutoCAD Binary DXF";
    if (bytes.compare(0, sizeof BinarySentinel - 1, BinarySentinel) == 0)
        throw DxfError(name + " is a binary DXF file; save it as an ASCII DXF (R12 or later) and try again");

    TDrawingCollector collector;
    std::istringstream stream(bytes);
    DL_Dxf dxf;
    try
    {
        dxf.in(stream, &collector);
    }
    catch (const std::exception& error)
    {
        throw DxfError(name + " cannot be read as a DXF file (" + error.what() + ")");
    }
    if (!HasSection(bytes))
        throw DxfError(name + " is not a DXF file (it has no SECTION)");
    return std::move(collector.Drawing);
}

TDxfDrawing ReadDxfFile(const std::string& path)
{
    return ReadDxfBytes(ReadRegularFile(path), path);
}
