#include "tests/model/model_test_support.h"

#include "model/heights_walls.h"
#include "model/model_tables.h"
#include "model/slabs.h"
#include "reference/model_oracle.h"

#include <bit>
#include <cstdint>
#include <sstream>

namespace
{

bool Same(float a, float b)
{
    return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b);
}

std::string Difference(const char* what, size_t index, const std::string& detail)
{
    std::ostringstream text;
    text << what << " " << index << ": " << detail;
    return text.str();
}

} // namespace

const ModelBuilder IndexedBuilder = {"Indexed", [](std::vector<LayerSlot>& slots) { AssignHeights(slots); },
                                     [](const TTxy& segments, const TMaterialTable& materials)
                                     { BuildSlabs(segments, materials); }};
const ModelBuilder PlainBuilder = {"Plain", OracleAssignHeights, OracleBuildSlabs};

TMaterialTable TestMaterials()
{
    TMaterialTable table;
    for (int i = 0; i < MaterialEntryCount; ++i)
        table[i] = {float(i + 1) / 100, 0.25f, 0.75f, float(i), 1, 2, 3};
    return table;
}

SegmentRecord Segment(float x1, float y1, float x2, float y2, int32_t material)
{
    SegmentRecord s;
    s.X1 = x1;
    s.Y1 = y1;
    s.X2 = x2;
    s.Y2 = y2;
    s.Material = material;
    return s;
}

std::vector<TPGon> TakeFaces()
{
    std::vector<TPGon> faces = std::move(PolygonList);
    ReleaseFaces();
    return faces;
}

std::string CompareFaces(const std::vector<TPGon>& expected, const std::vector<TPGon>& actual)
{
    if (expected.size() != actual.size())
        return "face count " + std::to_string(expected.size()) + " against " + std::to_string(actual.size());
    for (size_t i = 0; i < expected.size(); ++i)
    {
        const TPGon& a = expected[i];
        const TPGon& b = actual[i];
        if (a.VertexCount != b.VertexCount || a.Vertices.size() != b.Vertices.size())
            return Difference("vertex count of face", i,
                              std::to_string(a.VertexCount) + " against " + std::to_string(b.VertexCount));
        bool material = Same(a.Color[0], b.Color[0]) && Same(a.Color[1], b.Color[1]) &&
                        Same(a.Color[2], b.Color[2]) && Same(a.Material4, b.Material4) &&
                        Same(a.Material5, b.Material5) && Same(a.Material6, b.Material6) &&
                        Same(a.Material7, b.Material7);
        if (!material)
            return Difference("material of face", i, "differs");
        for (size_t k = 0; k < a.Vertices.size(); ++k)
        {
            const TPtVertex& p = a.Vertices[k];
            const TPtVertex& q = b.Vertices[k];
            if (!Same(p.X, q.X) || !Same(p.Y, q.Y) || !Same(p.Z, q.Z) || !Same(p.W, q.W))
                return Difference("face", i, "vertex " + std::to_string(k) + " differs");
        }
    }
    return {};
}

std::string CompareOutlines(const std::vector<TMyPolyPoints>& expected,
                            const std::vector<TMyPolyPoints>& actual)
{
    if (expected.size() != actual.size())
        return "outline count " + std::to_string(expected.size()) + " against " +
               std::to_string(actual.size());
    for (size_t i = 0; i < expected.size(); ++i)
    {
        const TMyPolyPoints& a = expected[i];
        const TMyPolyPoints& b = actual[i];
        if (a.Count != b.Count || a.TopPlanar != b.TopPlanar || a.BottomPlanar != b.BottomPlanar)
            return Difference("outline", i,
                              "Count " + std::to_string(a.Count) + " against " + std::to_string(b.Count) +
                                  " or flags differ");
        if (a.Points.size() != b.Points.size())
            return Difference("outline", i, "point count differs");
        for (size_t k = 0; k < a.Points.size(); ++k)
        {
            const TMyPolyPoint& p = a.Points[k];
            const TMyPolyPoint& q = b.Points[k];
            if (!Same(p.X, q.X) || !Same(p.Y, q.Y) || !Same(p.Top, q.Top) || !Same(p.Bottom, q.Bottom) ||
                p.Link != q.Link)
                return Difference("outline", i, "point " + std::to_string(k) + " differs");
        }
    }
    return {};
}
