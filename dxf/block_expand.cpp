#include "dxf/block_expand.h"

#include "dxf/chords.h"
#include "dxf/dxf_error.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>

namespace
{

std::string UpperCase(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// x' = A x + B y + E, y' = C x + D y + F.
struct TPlacement
{
    double A = 1, B = 0, C = 0, D = 1, E = 0, F = 0;
};

TPlacement Combine(const TPlacement& outer, const TPlacement& inner)
{
    return {outer.A * inner.A + outer.B * inner.C,           outer.A * inner.B + outer.B * inner.D,
            outer.C * inner.A + outer.D * inner.C,           outer.C * inner.B + outer.D * inner.D,
            outer.A * inner.E + outer.B * inner.F + outer.E, outer.C * inner.E + outer.D * inner.F + outer.F};
}

TPoint2 Place(const TPlacement& placement, TPoint2 point)
{
    return {placement.A * point.X + placement.B * point.Y + placement.E,
            placement.C * point.X + placement.D * point.Y + placement.F};
}

const TPlacement MirrorX = {-1, 0, 0, 1, 0, 0};

// What an INSERT passes on to the entities of its block.
struct TInherited
{
    TPlacement Placement;
    std::string Layer;    // for entities on layer "0"
    int Color = 7;        // for BYBLOCK
    std::string LineType; // for BYBLOCK
    int Depth = 0;
};

struct TExpander
{
    const TDxfDrawing& Drawing;
    std::vector<std::string> KeepLayers; // upper case
    std::unordered_map<std::string, size_t> Blocks;
    std::unordered_map<std::string, size_t> Layers; // upper-case name: index into Drawing.Layers
    std::unordered_map<std::string, int> UsedLayers;
    std::unordered_map<std::string, int> UsedLineTypes;
    TPlanDrawing Plan;
    size_t Placements = 0; // array elements expanded, so that empty arrays cannot run on unchecked

    void Skip(const std::string& what)
    {
        auto found = std::find_if(Plan.Skipped.begin(), Plan.Skipped.end(),
                                  [&](const TSkipCount& skip) { return skip.What == what; });
        if (found == Plan.Skipped.end())
            Plan.Skipped.push_back({what, 1});
        else
            found->Count++;
    }

    const TDxfLayer* FindLayer(const std::string& name) const
    {
        auto found = Layers.find(UpperCase(name));
        return found == Layers.end() ? nullptr : &Drawing.Layers[found->second];
    }

    bool Kept(const std::string& layer) const
    {
        return KeepLayers.empty() ||
               std::find(KeepLayers.begin(), KeepLayers.end(), UpperCase(layer)) != KeepLayers.end();
    }

    static int IndexOf(std::unordered_map<std::string, int>& used, std::vector<std::string>& names,
                       const std::string& key, const std::string& name)
    {
        auto [found, added] = used.try_emplace(key, static_cast<int>(names.size()));
        if (added)
            names.push_back(name);
        return found->second;
    }

    // Layer, colour and line type of an entity as drawn, blocks' rules applied.
    struct TLook
    {
        std::string Layer;
        int Color = 7;
        std::string LineType;
    };

    TLook Resolve(const TDxfEntity& entity, const TInherited& inherited) const
    {
        TLook look;
        look.Layer = (entity.Layer == "0" && inherited.Depth > 0) ? inherited.Layer : entity.Layer;
        const TDxfLayer* layer = FindLayer(look.Layer);
        if (entity.Color == 0)
            look.Color = inherited.Color;
        else if (entity.Color == 256 || entity.Color < 0 || entity.Color > 256)
            look.Color = layer ? layer->Color : 7;
        else
            look.Color = entity.Color;
        if (look.Color < 1 || look.Color > 255)
            look.Color = 7;
        if (entity.LineType == "BYBLOCK")
            look.LineType = inherited.LineType;
        else if (entity.LineType.empty() || entity.LineType == "BYLAYER")
            look.LineType = layer ? layer->LineType : "";
        else
            look.LineType = entity.LineType;
        if (look.LineType.empty() || look.LineType == "BYLAYER" || look.LineType == "BYBLOCK")
            look.LineType = "CONTINUOUS";
        return look;
    }

    void CheckSize() const
    {
        if (Plan.Segments.size() + Plan.Texts.size() + Placements / 16 > MaxPlanRecords)
            throw DxfError(
                "the drawing expands to more than " + std::to_string(MaxPlanRecords) +
                " segments and texts (nested or arrayed blocks); choose fewer layers with --layers");
    }

    void AddSegment(const TLook& look, TPoint2 from, TPoint2 to, bool straight)
    {
        if (from.X == to.X && from.Y == to.Y)
            return; // zero-length edges give no wall
        if (!std::isfinite(from.X) || !std::isfinite(from.Y) || !std::isfinite(to.X) || !std::isfinite(to.Y))
        {
            Skip("segment with coordinates out of range");
            return;
        }
        TPlanSegment segment;
        segment.X1 = from.X;
        segment.Y1 = from.Y;
        segment.X2 = to.X;
        segment.Y2 = to.Y;
        segment.Layer = IndexOf(UsedLayers, Plan.Layers, UpperCase(look.Layer), look.Layer);
        segment.Color = look.Color;
        segment.LineType = IndexOf(UsedLineTypes, Plan.LineTypes, look.LineType, look.LineType);
        segment.Straight = straight;
        Plan.Segments.push_back(segment);
    }

    void AddChain(const TLook& look, const TPlacement& placement, const std::vector<TPoint2>& points,
                  bool straight)
    {
        for (size_t i = 1; i < points.size(); i++)
            AddSegment(look, Place(placement, points[i - 1]), Place(placement, points[i]), straight);
    }

    void AddPolyline(const TDxfEntity& entity, const TLook& look, const TPlacement& placement)
    {
        const std::vector<TDxfVertex>& vertices = entity.Vertices;
        size_t edges = entity.Closed ? vertices.size() : (vertices.empty() ? 0 : vertices.size() - 1);
        if (vertices.size() < 2)
            edges = 0;
        for (size_t i = 0; i < edges; i++)
        {
            const TDxfVertex& from = vertices[i];
            const TDxfVertex& to = vertices[(i + 1) % vertices.size()];
            TPoint2 start = {from.X, from.Y};
            TPoint2 end = {to.X, to.Y};
            if (from.Bulge == 0)
            {
                AddSegment(look, Place(placement, start), Place(placement, end), true);
                continue;
            }
            std::vector<TPoint2> points = BulgePoints(start, end, from.Bulge);
            points.insert(points.begin(), start);
            AddChain(look, placement, points, false);
        }
    }

    void AddText(const TDxfEntity& entity, const TLook& look, const TPlacement& placement)
    {
        TPoint2 at = Place(placement, {entity.X, entity.Y});
        if (!std::isfinite(at.X) || !std::isfinite(at.Y))
        {
            Skip("text with coordinates out of range");
            return;
        }
        TPlanText text;
        text.X = at.X;
        text.Y = at.Y;
        // The height grows with the block's scale along y.
        text.Height = entity.Height * std::hypot(placement.B, placement.D);
        text.Angle = entity.Angle + std::atan2(placement.C, placement.A) * 180 / std::numbers::pi;
        text.Text = entity.Text;
        text.MText = entity.MText;
        text.Layer = IndexOf(UsedLayers, Plan.Layers, UpperCase(look.Layer), look.Layer);
        text.Color = look.Color;
        text.LineType = IndexOf(UsedLineTypes, Plan.LineTypes, look.LineType, look.LineType);
        Plan.Texts.push_back(std::move(text));
    }

    void AddInsert(const TDxfEntity& entity, const TLook& look, const TPlacement& placement,
                   const TInherited& inherited)
    {
        auto block = Blocks.find(entity.Block);
        if (block == Blocks.end())
        {
            Skip("INSERT of a block that is not defined");
            return;
        }
        if (inherited.Depth >= MaxBlockDepth)
        {
            Skip("INSERT nested more than " + std::to_string(MaxBlockDepth) + " deep");
            return;
        }
        const TDxfBlock& definition = Drawing.Blocks[block->second];
        double radians = entity.Angle * std::numbers::pi / 180;
        double cosine = std::cos(radians);
        double sine = std::sin(radians);
        TInherited inner;
        inner.Layer = look.Layer;
        inner.Color = look.Color;
        inner.LineType = look.LineType;
        inner.Depth = inherited.Depth + 1;
        for (int row = 0; row < entity.Rows; row++)
            for (int column = 0; column < entity.Columns; column++)
            {
                // Scale about the base point, shift by the array's spacing,
                // rotate, then move to the insertion point.
                double localX = column * entity.ColumnSpacing - entity.ScaleX * definition.BaseX;
                double localY = row * entity.RowSpacing - entity.ScaleY * definition.BaseY;
                TPlacement own = {cosine * entity.ScaleX,
                                  -sine * entity.ScaleY,
                                  sine * entity.ScaleX,
                                  cosine * entity.ScaleY,
                                  entity.X + cosine * localX - sine * localY,
                                  entity.Y + sine * localX + cosine * localY};
                inner.Placement = Combine(placement, own);
                Placements++;
                for (const TDxfEntity& child : definition.Entities)
                    AddEntity(child, inner);
                CheckSize();
            }
    }

    void AddEntity(const TDxfEntity& entity, const TInherited& inherited)
    {
        TLook look = Resolve(entity, inherited);
        TPlacement placement = entity.Mirrored ? Combine(inherited.Placement, MirrorX) : inherited.Placement;
        if (entity.Kind == TDxfKind::Insert)
        {
            AddInsert(entity, look, placement, inherited);
            return;
        }
        if (!Kept(look.Layer))
        {
            Skip("entity not on the layers chosen with --layers");
            return;
        }
        switch (entity.Kind)
        {
        case TDxfKind::Line:
            AddSegment(look, Place(placement, {entity.Vertices[0].X, entity.Vertices[0].Y}),
                       Place(placement, {entity.Vertices[1].X, entity.Vertices[1].Y}), true);
            break;
        case TDxfKind::Polyline:
            AddPolyline(entity, look, placement);
            break;
        case TDxfKind::Arc:
        {
            double start = entity.StartAngle * std::numbers::pi / 180;
            double sweep = (entity.EndAngle - entity.StartAngle) * std::numbers::pi / 180;
            sweep = std::fmod(sweep, 2 * std::numbers::pi);
            if (sweep <= 0)
                sweep += 2 * std::numbers::pi;
            AddChain(look, placement, ArcPoints(entity.CenterX, entity.CenterY, entity.Radius, start, sweep),
                     false);
            break;
        }
        case TDxfKind::Circle:
            AddChain(look, placement,
                     ArcPoints(entity.CenterX, entity.CenterY, entity.Radius, 0, 2 * std::numbers::pi),
                     false);
            break;
        case TDxfKind::Text:
            AddText(entity, look, placement);
            break;
        case TDxfKind::Insert:
            break;
        }
    }
};

} // namespace

TPlanDrawing ExpandDrawing(const TDxfDrawing& drawing, const std::vector<std::string>& keepLayers)
{
    TExpander expander{drawing, {}, {}, {}, {}, {}, {}, 0};
    for (const std::string& name : keepLayers)
        expander.KeepLayers.push_back(UpperCase(name));
    for (size_t i = 0; i < drawing.Blocks.size(); i++)
        expander.Blocks.try_emplace(drawing.Blocks[i].Name, i);
    for (size_t i = 0; i < drawing.Layers.size(); i++)
        expander.Layers.try_emplace(UpperCase(drawing.Layers[i].Name), i);
    TInherited top;
    for (const TDxfEntity& entity : drawing.Entities)
    {
        expander.AddEntity(entity, top);
        expander.CheckSize();
    }
    return std::move(expander.Plan);
}
