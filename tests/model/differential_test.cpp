// The indexed model build against the plain scans on seeded random drawings.
// KV_MODEL_SEEDS sets how many seeds run and KV_MODEL_FIRST_SEED the first.

#include "model/build_model.h"
#include "model/heights_walls.h"
#include "model/model_tables.h"
#include "model/slabs.h"
#include "reference/model_oracle.h"
#include "tests/model/model_test_support.h"
#include "tests/model/random_drawing.h"

#include <gtest/gtest.h>

#include <bit>

namespace
{

bool SameHeights(const SegmentRecord& a, const SegmentRecord& b)
{
    auto bits = [](float v) { return std::bit_cast<uint32_t>(v); };
    return bits(a.Top1) == bits(b.Top1) && bits(a.Bottom1) == bits(b.Bottom1) &&
           bits(a.Top2) == bits(b.Top2) && bits(a.Bottom2) == bits(b.Bottom2);
}

// Runs both builds on one drawing and returns the first difference.
std::string CompareBuilds(uint32_t seed, const TMaterialTable& materials)
{
    std::vector<LayerSlot> plain = RandomDrawing(seed);
    std::vector<LayerSlot> indexed = plain;
    OracleAssignHeights(plain);
    AssignHeights(indexed);
    for (size_t s = 0; s < plain.size(); ++s)
        for (size_t i = 0; i < plain[s].Segments.size(); ++i)
            if (!SameHeights(plain[s].Segments[i], indexed[s].Segments[i]))
                return "heights of segment " + std::to_string(i) + " in slot " + std::to_string(s);

    for (size_t s = 0; s < plain.size(); ++s)
    {
        if (plain[s].Segments.empty())
            continue;
        OracleBuildSlabs(plain[s].Segments, materials);
        std::vector<TMyPolyPoints> expectedOutlines = OutlineList;
        std::vector<TPGon> expectedFaces = TakeFaces();
        BuildSlabs(plain[s].Segments, materials);
        std::string difference = CompareOutlines(expectedOutlines, OutlineList);
        if (difference.empty())
            difference = CompareFaces(expectedFaces, TakeFaces());
        if (!difference.empty())
            return "slot " + std::to_string(s) + ", " + difference;
    }

    std::vector<LayerSlot> whole = RandomDrawing(seed);
    OracleBuildModel(whole, materials);
    std::vector<TPGon> expected = TakeFaces();
    whole = RandomDrawing(seed);
    BuildModel(whole, materials);
    return CompareFaces(expected, TakeFaces());
}

} // namespace

TEST(ModelDifferential, IndexedBuildMatchesPlainScans)
{
    const TMaterialTable materials = TestMaterials();
    const TSeedRange seeds = SeedRange();
    for (uint32_t seed = seeds.First; seed < seeds.First + seeds.Count; ++seed)
    {
        std::string difference = CompareBuilds(seed, materials);
        ResetModelTables();
        ASSERT_EQ(difference, "") << "seed " << seed;
    }
}
