#include "model/model_tables.h"
#include "model/slabs.h"
#include "tests/model/model_test_support.h"

#include <gtest/gtest.h>

namespace
{

struct Corner
{
    float X, Y, Top, Bottom;
};

// Segment k runs from corner k to corner k + 1 (the last back to the first),
// with the corners' heights at its ends.
TTxy Ring(const std::vector<Corner>& corners, int32_t material = 1)
{
    TTxy segments;
    for (size_t k = 0; k < corners.size(); ++k)
    {
        const Corner& a = corners[k];
        const Corner& b = corners[(k + 1) % corners.size()];
        SegmentRecord s = Segment(a.X, a.Y, b.X, b.Y, material);
        s.Top1 = a.Top;
        s.Bottom1 = a.Bottom;
        s.Top2 = b.Top;
        s.Bottom2 = b.Bottom;
        segments.push_back(s);
    }
    return segments;
}

// Vertex k of face is (corner k's x, height, corner k's y).
void ExpectFace(const TPGon& face, const std::vector<Corner>& corners, bool top)
{
    ASSERT_EQ(face.VertexCount, int32_t(corners.size()));
    for (size_t k = 0; k < corners.size(); ++k)
    {
        EXPECT_EQ(face.Vertices[k].X, corners[k].X) << k;
        EXPECT_EQ(face.Vertices[k].Y, top ? corners[k].Top : corners[k].Bottom) << k;
        EXPECT_EQ(face.Vertices[k].Z, corners[k].Y) << k;
    }
}

class SlabFaces : public testing::TestWithParam<const ModelBuilder*>
{
protected:
    void SetUp() override { ResetModelTables(); }
    std::vector<TPGon> Slabs(const TTxy& segments)
    {
        GetParam()->BuildSlabs(segments, Materials);
        return TakeFaces();
    }
    const TMaterialTable Materials = TestMaterials();
};

TEST_P(SlabFaces, TriangleGivesTopThenBottomInTheFirstTracesOrder)
{
    std::vector<Corner> corners = {{0, 0, 3, 0}, {1, 0, 3, 0}, {0, 1, 3, 0}};
    TTxy segments = Ring(corners);
    for (int32_t k = 0; k < 3; ++k)
        segments[k].Material = 5 + k;
    std::vector<TPGon> faces = Slabs(segments);
    ASSERT_EQ(faces.size(), 2u);
    ExpectFace(faces[0], corners, true);
    ExpectFace(faces[1], corners, false);
    EXPECT_EQ(faces[0].Color[0], Materials[4][0]);
    EXPECT_EQ(faces[1].Material4, Materials[4][3]);

    // With the lowest segment reversed the face winds the other way round.
    std::swap(segments[0].X1, segments[0].X2);
    std::swap(segments[0].Y1, segments[0].Y2);
    faces = Slabs(segments);
    ASSERT_EQ(faces.size(), 2u);
    ExpectFace(faces[0], {corners[1], corners[0], corners[2]}, true);
}

struct FlatnessCase
{
    const char* Name;
    std::vector<Corner> Corners;
    bool TopPlanar, BottomPlanar;
    int Faces;
};

const FlatnessCase FlatnessCases[] = {
    {"LevelTriangleWithoutHeight", {{0, 0, 0, 0}, {1, 0, 0, 0}, {0, 1, 0, 0}}, true, true, 1},
    {"TriangleOfAnyHeights", {{0, 0, 3, 1}, {1, 0, 100, 2}, {0, 1, -7, 3}}, true, true, 2},
    {"TopNotFlat", {{0, 0, 3, 0}, {1, 0, 3, 0}, {1, 1, 4, 0}, {0, 1, 3, 0}}, false, true, 0},
    {"BottomNotFlat", {{0, 0, 3, 0}, {1, 0, 3, 0}, {1, 1, 3, 1}, {0, 1, 3, 0}}, true, false, 1},
    {"SlopedButFlat", {{0, 0, 3, 0}, {1, 0, 4, 0}, {1, 1, 4, 0}, {0, 1, 3, 0}}, true, true, 2},
    {"StraightCorner", {{0, 0, 3, 0}, {1, 0, 3, 0}, {2, 0, 3, 0}, {2, 1, 3, 0}, {0, 1, 3, 0}}, true, true, 2},
    {"ReflexCorner",
     {{0, 0, 3, 0}, {0, 2, 3, 0}, {1, 2, 3, 0}, {1, 1, 3, 0}, {2, 1, 3, 0}, {2, 0, 3, 0}},
     true,
     true,
     2},
};

TEST_P(SlabFaces, OnlyFlatLevelsGetFaces)
{
    for (const FlatnessCase& c : FlatnessCases)
    {
        SCOPED_TRACE(c.Name);
        std::vector<TPGon> faces = Slabs(Ring(c.Corners));
        ASSERT_FALSE(OutlineList.empty());
        EXPECT_EQ(OutlineList[0].TopPlanar, c.TopPlanar);
        EXPECT_EQ(OutlineList[0].BottomPlanar, c.BottomPlanar);
        ASSERT_EQ(int(faces.size()), c.Faces);
        if (c.Faces > 0)
            ExpectFace(faces[0], c.Corners, true);
        if (c.Faces > 1)
            ExpectFace(faces[1], c.Corners, false);
    }
}

// Faces of up to four vertices hold them inline, longer ones on the heap.
TEST(FaceVertices, KeepTheirOrderThroughCopiesAndRestarts)
{
    for (const FlatnessCase& c : FlatnessCases)
    {
        SCOPED_TRACE(c.Name);
        TPGon face;
        for (const Corner& p : c.Corners)
            face.AddVertex(p.X, p.Top, p.Y);
        TPGon copy = face;
        copy.Vertices[0].X = -1; // the copy holds vertices of its own
        ExpectFace(face, c.Corners, true);
        TPGon moved = std::move(copy);
        EXPECT_EQ(moved.Vertices[0].X, -1);
        EXPECT_EQ(moved.Vertices.size(), c.Corners.size());
        // A restarted face counts only the vertices added since.
        face.SetMaterial(TestMaterials()[0]);
        face.AddVertex(7, 8, 9);
        moved = face;
        ASSERT_EQ(moved.Vertices.size(), 1u);
        EXPECT_EQ(moved.Vertices.back().X, 7);
    }
}

TEST_P(SlabFaces, MaterialOutsideTheTableIsMidGrey)
{
    std::vector<TPGon> faces = Slabs(Ring({{0, 0, 1, 0}, {1, 0, 1, 0}, {0, 1, 1, 0}}, 99));
    ASSERT_EQ(faces.size(), 2u);
    EXPECT_EQ(faces[0].Color[0], 0.5f);
    EXPECT_EQ(faces[1].Color[2], 0.5f);
}

INSTANTIATE_TEST_SUITE_P(Builders, SlabFaces, testing::Values(&IndexedBuilder, &PlainBuilder),
                         [](const auto& info) { return std::string(info.param->Name); });

} // namespace
