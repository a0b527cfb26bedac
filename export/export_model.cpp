#include "export/export_model.h"

#include "model/layers.h"
#include "model/triangulation.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>

namespace
{

// Material keys: 1 to 81 for the table's entries, 0 for the indexes that
// have none (those faces are mid grey).
constexpr int MaterialKeyCount = MaterialEntryCount + 1;
constexpr int KindCount = 2;

int MaterialKey(int32_t index)
{
    return index >= 1 && index <= MaterialEntryCount ? index : 0;
}

std::string MaterialName(int key)
{
    if (key == 0)
        return "既定色";
    const TLineStyle style = LineStyleOf(key);
    return "線種" + std::to_string(style.LineType) + "-色" + std::to_string(style.LineColor);
}

float UnitInterval(float value)
{
    if (!(value > 0)) // NaN too
        return 0;
    return std::min(value, 1.0f);
}

struct TCorner
{
    double X, Y, Z;
};

using TNormal = std::array<float, 3>;

// A vertex written for the face being added: the face corner it stands for
// and the normal it carries.
struct TWrittenCorner
{
    int32_t Corner;
    TNormal Normal;
    uint32_t Index;
};

// The triangle's corners in metres and its unit normal, or nothing when it is
// left out (and counted). Whether it has area is decided on the drawing's own
// coordinates, where corners on one line give a cross product of exactly zero.
std::optional<TNormal> PlaceTriangle(const TCorner (&corners)[3], double scale, float (&scaled)[9],
                                     TExportModel& model)
{
    // Adding 0 turns -0 (a plan y of 0, negated) into 0.
    for (int c = 0; c < 3; ++c)
    {
        scaled[3 * c] = static_cast<float>(corners[c].X * scale) + 0.0f;
        scaled[3 * c + 1] = static_cast<float>(corners[c].Y * scale) + 0.0f;
        scaled[3 * c + 2] = static_cast<float>(corners[c].Z * scale) + 0.0f;
    }
    if (!std::all_of(std::begin(scaled), std::end(scaled), [](float v) { return std::isfinite(v); }))
    {
        ++model.NonFinite;
        return std::nullopt;
    }
    const TCorner a = {corners[1].X - corners[0].X, corners[1].Y - corners[0].Y, corners[1].Z - corners[0].Z};
    const TCorner b = {corners[2].X - corners[0].X, corners[2].Y - corners[0].Y, corners[2].Z - corners[0].Z};
    const TCorner n = {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
    const double length = std::sqrt(n.X * n.X + n.Y * n.Y + n.Z * n.Z);
    if (!(length > 0) || !std::isfinite(length))
    {
        ++model.WithoutArea;
        return std::nullopt;
    }
    return TNormal{static_cast<float>(n.X / length), static_cast<float>(n.Y / length),
                   static_cast<float>(n.Z / length)};
}

// Appends the face's triangles. written is scratch space, kept by the caller
// so that it is not allocated for every face.
void AddFace(const TPGon& face, double scale, TExportPrimitive& primitive, TExportModel& model,
             std::vector<TWrittenCorner>& written)
{
    const TFaceTriangles triangles = TriangulateFace(face);
    const size_t vertexCount =
        std::min(static_cast<size_t>(std::max(face.VertexCount, 0)), face.Vertices.size());
    auto corner = [&](int32_t index)
    {
        const TPtVertex& v = static_cast<size_t>(index) < vertexCount
                                 ? face.Vertices[index]
                                 : triangles.AddedVertices[index - vertexCount];
        return TCorner{v.X, v.Y, v.Z};
    };
    written.clear();
    for (size_t t = 0; t + 2 < triangles.Corners.size(); t += 3)
    {
        const int32_t* indexes = &triangles.Corners[t];
        const TCorner corners[3] = {corner(indexes[0]), corner(indexes[1]), corner(indexes[2])};
        float scaled[9];
        const std::optional<TNormal> normal = PlaceTriangle(corners, scale, scaled, model);
        if (!normal)
            continue;
        for (int k = 0; k < 3; ++k)
        {
            auto same = [&](const TWrittenCorner& w)
            { return w.Corner == indexes[k] && w.Normal == *normal; };
            auto found = std::find_if(written.begin(), written.end(), same);
            if (found == written.end())
            {
                const auto index = static_cast<uint32_t>(primitive.Positions.size() / 3);
                primitive.Positions.insert(primitive.Positions.end(), &scaled[3 * k], &scaled[3 * k + 3]);
                primitive.Normals.insert(primitive.Normals.end(), normal->begin(), normal->end());
                found = written.insert(written.end(), {indexes[k], *normal, index});
            }
            primitive.Indices.push_back(found->Index);
        }
        ++model.Triangles;
    }
}

int PrimitiveKey(const TFaceOrigin& origin)
{
    return (origin.Slot * KindCount + static_cast<int>(origin.Kind)) * MaterialKeyCount +
           MaterialKey(origin.Material);
}

// One primitive per slot, kind and material key, in the order first met,
// with room for the fans of its faces, so that large models are not copied
// while they grow. keys gets each primitive's key, facePrimitives each
// face's primitive.
std::vector<TExportPrimitive> MakePrimitives(const std::vector<TPGon>& faces,
                                             const std::vector<TFaceOrigin>& origins,
                                             std::vector<int32_t>& keys, std::vector<int32_t>& facePrimitives)
{
    std::vector<int32_t> primitiveOf(static_cast<size_t>(LayerSlotCount) * KindCount * MaterialKeyCount, -1);
    std::vector<TExportPrimitive> primitives;
    std::vector<size_t> corners;
    facePrimitives.resize(faces.size());
    for (size_t f = 0; f < faces.size(); ++f)
    {
        const int key = PrimitiveKey(origins[f]);
        if (primitiveOf[key] < 0)
        {
            primitiveOf[key] = static_cast<int32_t>(primitives.size());
            primitives.push_back({origins[f].Kind, MaterialKey(origins[f].Material), {}, {}, {}});
            keys.push_back(key);
            corners.push_back(0);
        }
        facePrimitives[f] = primitiveOf[key];
        corners[primitiveOf[key]] += std::max(faces[f].VertexCount, 0);
    }
    // A fan of n corners: n vertices when flat, n - 2 triangles.
    for (size_t p = 0; p < primitives.size(); ++p)
    {
        primitives[p].Positions.reserve(3 * corners[p]);
        primitives[p].Normals.reserve(3 * corners[p]);
        primitives[p].Indices.reserve(3 * corners[p]);
    }
    return primitives;
}

// The used materials, by key; each primitive's material becomes its position.
void AddMaterials(const TMaterialTable& materials, std::vector<TExportPrimitive>& primitives,
                  TExportModel& model)
{
    std::vector<bool> used(MaterialKeyCount, false);
    for (const TExportPrimitive& primitive : primitives)
        if (!primitive.Indices.empty())
            used[primitive.Material] = true;
    std::vector<int32_t> materialOf(MaterialKeyCount, -1);
    for (int key = 0; key < MaterialKeyCount; ++key)
    {
        if (!used[key])
            continue;
        materialOf[key] = static_cast<int32_t>(model.Materials.size());
        const TMaterialEntry& entry = MaterialEntryFor(materials, key);
        model.Materials.push_back(
            {MaterialName(key), {UnitInterval(entry[0]), UnitInterval(entry[1]), UnitInterval(entry[2])}});
    }
    for (TExportPrimitive& primitive : primitives)
        primitive.Material = materialOf[primitive.Material];
}

} // namespace

TExportModel BuildExportModel(const std::vector<TPGon>& faces, const std::vector<TFaceOrigin>& origins,
                              const TLayerNames& layerNames, const TMaterialTable& materials,
                              const std::array<int32_t, 3>& background, double metresPerUnit,
                              const THiddenLayers& hidden)
{
    if (origins.size() != faces.size())
        throw std::invalid_argument("BuildExportModel: one origin per face is needed");
    TExportModel model;
    for (int c = 0; c < 3; ++c)
        model.Background[c] = UnitInterval(static_cast<float>(background[c]) / 255.0f);

    std::vector<int32_t> keys, facePrimitives;
    std::vector<TExportPrimitive> primitives = MakePrimitives(faces, origins, keys, facePrimitives);
    std::vector<TWrittenCorner> written;
    for (size_t f = 0; f < faces.size(); ++f)
        if (!hidden[origins[f].Slot])
            AddFace(faces[f], metresPerUnit, primitives[facePrimitives[f]], model, written);
    AddMaterials(materials, primitives, model);

    // Nodes by slot; in each, walls before slabs, then by material. A
    // primitive whose triangles were all left out is dropped.
    std::vector<size_t> order(primitives.size());
    for (size_t p = 0; p < order.size(); ++p)
        order[p] = p;
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
    int lastSlot = -1;
    for (size_t p : order)
    {
        if (primitives[p].Indices.empty())
            continue;
        const int slot = keys[p] / (KindCount * MaterialKeyCount);
        if (slot != lastSlot)
            model.Nodes.push_back({LayerName(layerNames, slot), {}});
        lastSlot = slot;
        model.Nodes.back().Primitives.push_back(std::move(primitives[p]));
    }
    return model;
}
