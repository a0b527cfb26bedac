#include "model/build_model.h"
#include "model/heights_walls.h"
#include "model/model_tables.h"
#include "tests/model/model_test_support.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{

struct Vertex
{
    float X, Height, Y;
};

struct WallCase
{
    const char* Name;
    std::vector<HeightMark> Marks;
    float Base;
    std::vector<Vertex> Face; // empty: no face
};

// The segment (0, 0) to (1000, 0) under various marks.
const WallCase WallCases[] = {
    {"MarksAtBothEnds",
     {{0, 0, 3000, 0}, {1000, 0, 3000, 0}},
     0,
     {{0, 3000, 0}, {0, 0, 0}, {1000, 0, 0}, {1000, 3000, 0}}},
    {"HeightsInEitherOrder",
     {{0, 0, 0, 3000}, {1000, 0, 0, 3000}},
     0,
     {{0, 3000, 0}, {0, 0, 0}, {1000, 0, 0}, {1000, 3000, 0}}},
    {"BaseRaisesMarkedEndsOnly", {{0, 0, 3000, 0}}, 1000, {{0, 4000, 0}, {0, 1000, 0}, {1000, 0, 0}}},
    {"FirstEndOnly", {{0, 0, 2500, 0}}, 0, {{0, 2500, 0}, {0, 0, 0}, {1000, 0, 0}}},
    {"SecondEndOnly", {{1000, 0, 0, 2500}}, 0, {{0, 0, 0}, {1000, 0, 0}, {1000, 2500, 0}}},
    {"FlatFirstEnd",
     {{0, 0, 2500, 2500}, {1000, 0, 2500, 0}},
     0,
     {{0, 2500, 0}, {1000, 0, 0}, {1000, 2500, 0}}},
    {"FlatBothEnds", {{0, 0, 2500, 2500}, {1000, 0, 0, 0}}, 0, {}},
    {"LastMatchingMarkWins",
     {{0, 0, 3000, 0}, {0, 0, 2000, 500}, {1000, 0, 1, 0}},
     0,
     {{0, 2000, 0}, {0, 500, 0}, {1000, 0, 0}, {1000, 1, 0}}},
    {"WithinTolerance", {{0.00009f, -0.00009f, 3000, 0}}, 0, {{0, 3000, 0}, {0, 0, 0}, {1000, 0, 0}}},
    {"ToleranceInX", {{0.0001f, 0, 3000, 0}}, 0, {}},
    {"ToleranceInY", {{0, 0.0001f, 3000, 0}}, 0, {}},
    {"WithinToleranceOfALargeCoordinate",
     {{1000.00006f, 0, 3000, 0}},
     0,
     {{0, 0, 0}, {1000, 0, 0}, {1000, 3000, 0}}},
    {"NaNMarkMatchesNothing", {{std::numeric_limits<float>::quiet_NaN(), 0, 3000, 0}}, 0, {}},
    {"NoMarks", {}, 0, {}},
};

class WallFaces : public testing::TestWithParam<const ModelBuilder*>
{
protected:
    void SetUp() override { ResetModelTables(); }
};

TEST_P(WallFaces, FollowTheMarksAtTheEnds)
{
    const TMaterialTable materials = TestMaterials();
    for (const WallCase& c : WallCases)
    {
        SCOPED_TRACE(c.Name);
        std::vector<LayerSlot> slots(LayerSlotCount);
        slots[3].Segments = {Segment(0, 0, 1000, 0, 13)};
        slots[3].Marks = c.Marks;
        slots[3].BaseHeight = c.Base;
        GetParam()->AssignHeights(slots);
        AppendWallFaces(slots, materials);
        std::vector<TPGon> faces = TakeFaces();
        ASSERT_EQ(faces.size(), c.Face.empty() ? 0u : 1u);
        if (c.Face.empty())
            continue;
        ASSERT_EQ(faces[0].VertexCount, int32_t(c.Face.size()));
        for (size_t k = 0; k < c.Face.size(); ++k)
        {
            EXPECT_EQ(faces[0].Vertices[k].X, c.Face[k].X) << k;
            EXPECT_EQ(faces[0].Vertices[k].Y, c.Face[k].Height) << k;
            EXPECT_EQ(faces[0].Vertices[k].Z, c.Face[k].Y) << k;
            EXPECT_EQ(faces[0].Vertices[k].W, 1.0f) << k;
        }
        EXPECT_EQ(faces[0].Color[0], materials[12][0]);
    }
}

TEST_P(WallFaces, MarksActOnTheirOwnSlotOnly)
{
    std::vector<LayerSlot> slots(LayerSlotCount);
    slots[0].Segments = {Segment(0, 0, 1000, 0)};
    slots[1].Marks = {{0, 0, 3000, 0}, {1000, 0, 3000, 0}};
    GetParam()->AssignHeights(slots);
    const SegmentRecord& s = slots[0].Segments[0];
    EXPECT_EQ(s.Top1, 0);
    EXPECT_EQ(s.Bottom1, 0);
    EXPECT_EQ(s.Top2, 0);
    EXPECT_EQ(s.Bottom2, 0);
}

// Far-out coordinates coincide when equal; infinities never do, as their
// difference is NaN; one mark serves every end on it.
TEST_P(WallFaces, ExtremeCoordinates)
{
    const float inf = std::numeric_limits<float>::infinity();
    std::vector<LayerSlot> slots(LayerSlotCount);
    slots[0].Segments = {Segment(3e38f, 2e12f, inf, 0), Segment(-1e30f, 5, 3e38f, 2e12f)};
    slots[0].Marks = {{3e38f, 2e12f, 7, 1}, {inf, 0, 9, 0}};
    GetParam()->AssignHeights(slots);
    EXPECT_EQ(slots[0].Segments[0].Top1, 7);
    EXPECT_EQ(slots[0].Segments[0].Bottom1, 1);
    EXPECT_EQ(slots[0].Segments[0].Top2, 0);
    EXPECT_EQ(slots[0].Segments[1].Top1, 0);
    EXPECT_EQ(slots[0].Segments[1].Top2, 7);
}

INSTANTIATE_TEST_SUITE_P(Builders, WallFaces, testing::Values(&IndexedBuilder, &PlainBuilder),
                         [](const auto& info) { return std::string(info.param->Name); });

TEST(WallFaces, MaterialOutsideTheTableIsMidGrey)
{
    ResetModelTables();
    std::vector<LayerSlot> slots(LayerSlotCount);
    slots[0].Segments = {Segment(0, 0, 1, 0, 0), Segment(0, 0, 1, 0, 82)};
    for (SegmentRecord& s : slots[0].Segments)
        s.Top1 = s.Top2 = 1000;
    AppendWallFaces(slots, TestMaterials());
    std::vector<TPGon> faces = TakeFaces();
    ASSERT_EQ(faces.size(), 2u);
    for (const TPGon& face : faces)
    {
        EXPECT_EQ(face.Color[0], 0.5f);
        EXPECT_EQ(face.Color[1], 0.5f);
        EXPECT_EQ(face.Color[2], 0.5f);
    }
}

// Walls of every slot come first, in slot and segment order; then the slabs
// slot by slot.
TEST(BuildModel, WallsOfAllSlotsBeforeAnySlab)
{
    ResetModelTables();
    std::vector<LayerSlot> slots(LayerSlotCount);
    for (int slot : {5, 2})
    {
        slots[slot].Segments = {Segment(0, 0, 1, 0, slot), Segment(1, 0, 0, 1, slot),
                                Segment(0, 1, 0, 0, slot)};
        slots[slot].Marks = {{0, 0, 3, 0}, {1, 0, 3, 0}, {0, 1, 3, 0}};
    }
    const TMaterialTable materials = TestMaterials();
    BuildModel(slots, materials);
    std::vector<TPGon> faces = TakeFaces();
    ASSERT_EQ(faces.size(), 10u);
    const int expectedSlots[] = {2, 2, 2, 5, 5, 5, 2, 2, 5, 5};
    const int expectedCorners[] = {4, 4, 4, 4, 4, 4, 3, 3, 3, 3};
    for (size_t i = 0; i < faces.size(); ++i)
    {
        EXPECT_EQ(faces[i].Color[0], materials[expectedSlots[i] - 1][0]) << i;
        EXPECT_EQ(faces[i].VertexCount, expectedCorners[i]) << i;
    }
}

// The one test every reader of the segments uses: a wall unless top and
// bottom meet, within the tolerance, at both ends.
TEST(GivesWall, UnlessBothEndsAreFlat)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case
    {
        float Top1, Bottom1, Top2, Bottom2;
        bool Wall;
    };
    const Case cases[] = {
        {0, 0, 0, 0, false},        {3000, 0, 0, 0, true},    {0, 0, 0, 2500, true},
        {1, 1.00005f, 2, 2, false}, {1, 1.0002f, 2, 2, true}, {2500, 2500, 3000, 3000, false},
        {nan, nan, 0, 0, true}, // NaN equals nothing, so such an end is not flat
    };
    for (const Case& c : cases)
    {
        SegmentRecord s;
        s.Top1 = c.Top1;
        s.Bottom1 = c.Bottom1;
        s.Top2 = c.Top2;
        s.Bottom2 = c.Bottom2;
        EXPECT_EQ(GivesWall(s), c.Wall) << c.Top1 << " " << c.Bottom1 << " " << c.Top2 << " " << c.Bottom2;
    }
}

// Line type and colour to material index and back, nine indexes per type.
TEST(MaterialIndex, LineTypeAndColourBothWays)
{
    EXPECT_EQ(MaterialIndex(1, 1), 1);
    EXPECT_EQ(MaterialIndex(1, 9), 9);
    EXPECT_EQ(MaterialIndex(2, 1), 10);
    EXPECT_EQ(MaterialIndex(3, 7), 25);
    EXPECT_EQ(MaterialIndex(9, 9), 81);
    for (int32_t index = 1; index <= MaterialEntryCount; ++index)
    {
        const TLineStyle style = LineStyleOf(index);
        EXPECT_TRUE(style.LineType >= 1 && style.LineType <= 9 && style.LineColor >= 1 &&
                    style.LineColor <= 9)
            << index;
        EXPECT_EQ(MaterialIndex(style.LineType, style.LineColor), index);
    }
}

} // namespace
