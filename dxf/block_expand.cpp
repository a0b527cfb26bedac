#include "dxf/block_expand.h"

#include "dxf/chords.h"
#include "dxf/dxf_error.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>

namespace
{

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

// Layer, colour and line type of an entity as drawn, blocks' rules applied.
struct TLook
{
    std::string Layer;
    int Color = 7;
    std::string LineType;
    // Plan.Layers and Plan.LineTypes indexes, taken when the entity first
    // gives a record, so that only layers with records get a slot.
    int LayerIndex = -1;
    int LineTypeIndex = -1;
};

// The drawing being expanded, its lookup tables and the plan it fills.
struct TExpansion
{
    const TDxfDrawing& Drawing;
    std::vector<std::string> KeepLayers;                // upper case
    std::unordered_map<std::string, size_t> Blocks;     // upper-case name: index into Drawing.Blocks
    std::unordered_map<std::string, size_t> Layers;     // upper-case name: index into Drawing.Layers
    std::unordered_map<std::string, int> UsedLayers;    // upper-case name: index into Plan.Layers
    std::unordered_map<std::string, int> UsedLineTypes; // name: index into Plan.LineTypes
    TPlanDrawing Plan;
    size_t Placements = 0; // blocks placed, array elements counted one by one
};

const TDxfLayer* FindLayer(const TExpansion& expansion, const std::string& name)
{
    auto found = expansion.Layers.find(UpperCaseName(name));
    return found == expansion.Layers.end() ? nullptr : &expansion.Drawing.Layers[found->second];
}

bool Kept(const TExpansion& expansion, const std::string& layer)
{
    const std::vector<std::string>& keep = expansion.KeepLayers;
    return keep.empty() || std::find(keep.begin(), keep.end(), UpperCaseName(layer)) != keep.end();
}

int IndexOf(std::unordered_map<std::string, int>& used, std::vector<std::string>& names,
            const std::string& key, const std::string& name)
{
    auto [found, added] = used.try_emplace(key, static_cast<int>(names.size()));
    if (added)
        names.push_back(name);
    return found->second;
}

void TakeIndexes(TExpansion& expansion, TLook& look)
{
    if (look.LayerIndex >= 0)
        return;
    look.LayerIndex =
        IndexOf(expansion.UsedLayers, expansion.Plan.Layers, UpperCaseName(look.Layer), look.Layer);
    look.LineTypeIndex =
        IndexOf(expansion.UsedLineTypes, expansion.Plan.LineTypes, look.LineType, look.LineType);
}

TLook Resolve(const TExpansion& expansion, const TDxfEntity& entity, const TInherited& inherited)
{
    TLook look;
    look.Layer = (entity.Layer == "0" && inherited.Depth > 0) ? inherited.Layer : entity.Layer;
    const TDxfLayer* layer = FindLayer(expansion, look.Layer);
    if (entity.Color == 0)
        look.Color = inherited.Color;
    else if (entity.Color < 1 || entity.Color > 255) // BYLAYER, or no colour index
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

void CheckSize(const TExpansion& expansion)
{
    const TPlanDrawing& plan = expansion.Plan;
    if (plan.Segments.size() + plan.Texts.size() > MaxPlanRecords)
        throw DxfError("the drawing expands to more than " + std::to_string(MaxPlanRecords) +
                       " segments and texts (nested or arrayed blocks); choose fewer layers with --layers");
    if (expansion.Placements > MaxBlockPlacements)
        throw DxfError("the drawing's blocks are placed more than " + std::to_string(MaxBlockPlacements) +
                       " times (blocks nested in themselves, or huge arrays)");
}

bool Finite(TPoint2 point)
{
    return std::isfinite(point.X) && std::isfinite(point.Y);
}

void AddSegment(TExpansion& expansion, TLook& look, TPoint2 from, TPoint2 to, bool straight)
{
    if (from.X == to.X && from.Y == to.Y)
        return; // zero-length edges give no wall
    if (!Finite(from) || !Finite(to))
    {
        CountSkip(expansion.Plan.Skipped, "segment with coordinates out of range");
        return;
    }
    TakeIndexes(expansion, look);
    TPlanSegment segment;
    segment.X1 = from.X;
    segment.Y1 = from.Y;
    segment.X2 = to.X;
    segment.Y2 = to.Y;
    segment.Layer = look.LayerIndex;
    segment.Color = look.Color;
    segment.LineType = look.LineTypeIndex;
    segment.Straight = straight;
    expansion.Plan.Segments.push_back(segment);
}

void AddChain(TExpansion& expansion, TLook& look, const TPlacement& placement,
              const std::vector<TPoint2>& points, bool straight)
{
    for (size_t i = 1; i < points.size(); i++)
        AddSegment(expansion, look, Place(placement, points[i - 1]), Place(placement, points[i]), straight);
}

void AddPolyline(TExpansion& expansion, const TDxfEntity& entity, TLook& look, const TPlacement& placement)
{
    const std::vector<TDxfVertex>& vertices = entity.Vertices;
    if (vertices.size() < 2)
        return;
    size_t edges = entity.Closed ? vertices.size() : vertices.size() - 1;
    for (size_t i = 0; i < edges; i++)
    {
        const TDxfVertex& from = vertices[i];
        const TDxfVertex& to = vertices[(i + 1) % vertices.size()];
        TPoint2 start = {from.X, from.Y};
        TPoint2 end = {to.X, to.Y};
        if (from.Bulge == 0)
        {
            AddSegment(expansion, look, Place(placement, start), Place(placement, end), true);
            continue;
        }
        std::vector<TPoint2> points = BulgePoints(start, end, from.Bulge);
        points.insert(points.begin(), start);
        AddChain(expansion, look, placement, points, false);
    }
}

void AddArc(TExpansion& expansion, const TDxfEntity& entity, TLook& look, const TPlacement& placement)
{
    double start = 0;
    double sweep = 2 * std::numbers::pi;
    if (entity.Kind == TDxfKind::Arc)
    {
        // Anticlockwise from the start angle to the end angle.
        start = entity.StartAngle * std::numbers::pi / 180;
        sweep =
            std::fmod((entity.EndAngle - entity.StartAngle) * std::numbers::pi / 180, 2 * std::numbers::pi);
        if (sweep <= 0)
            sweep += 2 * std::numbers::pi;
    }
    AddChain(expansion, look, placement,
             ArcPoints(entity.CenterX, entity.CenterY, entity.Radius, start, sweep), false);
}

void AddText(TExpansion& expansion, const TDxfEntity& entity, TLook& look, const TPlacement& placement)
{
    TPoint2 at = Place(placement, {entity.X, entity.Y});
    if (!Finite(at))
    {
        CountSkip(expansion.Plan.Skipped, "text with coordinates out of range");
        return;
    }
    TakeIndexes(expansion, look);
    TPlanText text;
    text.X = at.X;
    text.Y = at.Y;
    // The height grows with the block's scale along y.
    text.Height = entity.Height * std::hypot(placement.B, placement.D);
    text.Angle = entity.Angle + std::atan2(placement.C, placement.A) * 180 / std::numbers::pi;
    text.Text = entity.Text;
    text.MText = entity.MText;
    text.Layer = look.LayerIndex;
    text.Color = look.Color;
    text.LineType = look.LineTypeIndex;
    expansion.Plan.Texts.push_back(std::move(text));
}

void AddEntity(TExpansion& expansion, const TDxfEntity& entity, const TInherited& inherited);

void AddInsert(TExpansion& expansion, const TDxfEntity& entity, TLook& look, const TPlacement& placement,
               const TInherited& inherited)
{
    auto block = expansion.Blocks.find(entity.Block);
    if (block == expansion.Blocks.end())
    {
        CountSkip(expansion.Plan.Skipped, "INSERT of a block that is not defined");
        return;
    }
    if (inherited.Depth >= MaxBlockDepth)
    {
        CountSkip(expansion.Plan.Skipped,
                  "INSERT nested more than " + std::to_string(MaxBlockDepth) + " deep");
        return;
    }
    const TDxfBlock& definition = expansion.Drawing.Blocks[block->second];
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
            expansion.Placements++;
            for (const TDxfEntity& child : definition.Entities)
                AddEntity(expansion, child, inner);
            CheckSize(expansion);
        }
}

void AddEntity(TExpansion& expansion, const TDxfEntity& entity, const TInherited& inherited)
{
    TLook look = Resolve(expansion, entity, inherited);
    TPlacement placement = entity.Mirrored ? Combine(inherited.Placement, MirrorX) : inherited.Placement;
    if (entity.Kind == TDxfKind::Insert)
    {
        AddInsert(expansion, entity, look, placement, inherited);
        return;
    }
    if (!Kept(expansion, look.Layer))
    {
        CountSkip(expansion.Plan.Skipped, "entities not on the layers chosen with --layers");
        return;
    }
    switch (entity.Kind)
    {
    case TDxfKind::Line:
        AddSegment(expansion, look, Place(placement, {entity.Vertices[0].X, entity.Vertices[0].Y}),
                   Place(placement, {entity.Vertices[1].X, entity.Vertices[1].Y}), true);
        break;
    case TDxfKind::Polyline:
        AddPolyline(expansion, entity, look, placement);
        break;
    case TDxfKind::Arc:
    case TDxfKind::Circle:
        AddArc(expansion, entity, look, placement);
        break;
    case TDxfKind::Text:
        AddText(expansion, entity, look, placement);
        break;
    case TDxfKind::Insert:
        break;
    }
}

} // namespace

TPlanDrawing ExpandDrawing(const TDxfDrawing& drawing, const std::vector<std::string>& keepLayers)
{
    TExpansion expansion{drawing, {}, {}, {}, {}, {}, {}, 0};
    for (const std::string& name : keepLayers)
        expansion.KeepLayers.push_back(UpperCaseName(name));
    for (size_t i = 0; i < drawing.Blocks.size(); i++)
        expansion.Blocks.try_emplace(drawing.Blocks[i].Name, i);
    for (size_t i = 0; i < drawing.Layers.size(); i++)
        expansion.Layers.try_emplace(UpperCaseName(drawing.Layers[i].Name), i);
    TInherited top;
    for (const TDxfEntity& entity : drawing.Entities)
    {
        AddEntity(expansion, entity, top);
        CheckSize(expansion);
    }
    return std::move(expansion.Plan);
}
