#include "model/model_tables.h"
#include "model/slabs.h"
#include "model/trace_index.h"
#include "tests/model/model_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace
{

const float Pi = std::numbers::pi_v<float>;

std::vector<int32_t> Links(const TMyPolyPoints& outline)
{
    std::vector<int32_t> links;
    for (const TMyPolyPoint& p : outline.Points)
        links.push_back(p.Link);
    return links;
}

std::vector<int32_t> Counts()
{
    std::vector<int32_t> counts;
    for (const TMyPolyPoints& outline : OutlineList)
        counts.push_back(outline.Count);
    return counts;
}

TTxy RegularRing(int corners, float radius)
{
    TTxy segments;
    for (int k = 0; k < corners; ++k)
    {
        double a = 2 * std::numbers::pi * k / corners, b = 2 * std::numbers::pi * (k + 1) / corners;
        segments.push_back(Segment(radius * float(std::cos(a)), radius * float(std::sin(a)),
                                   radius * float(std::cos(b)), radius * float(std::sin(b))));
    }
    segments.back().X2 = segments[0].X1;
    segments.back().Y2 = segments[0].Y1;
    return segments;
}

TEST(Turn, SweptClockwiseFromTheReversedIncomingDirection)
{
    // Arriving heading +x; leaving in +y, +x and -y.
    float in = InAngle(1, 0);
    EXPECT_FLOAT_EQ(Turn(in, OutAngle(0, 1)), Pi / 2);
    EXPECT_FLOAT_EQ(Turn(in, OutAngle(1, 0)), Pi);
    EXPECT_FLOAT_EQ(Turn(in, OutAngle(0, -1)), 3 * Pi / 2);
    // Straight back is a full turn, never 0.
    EXPECT_EQ(Turn(in, OutAngle(-1, 0)), 2 * Pi);
    EXPECT_TRUE(std::isnan(Turn(in, OutAngle(std::numeric_limits<float>::quiet_NaN(), 0))));
}

class Tracing : public testing::TestWithParam<const ModelBuilder*>
{
protected:
    void SetUp() override { ResetModelTables(); }
    std::vector<TPGon> Slabs(const TTxy& segments)
    {
        GetParam()->BuildSlabs(segments, TestMaterials());
        return TakeFaces();
    }
};

TEST_P(Tracing, TakesTheSharpestTurnToTheRight)
{
    TTxy segments = {Segment(-1, 0, 0, 0), Segment(0, 0, 0, 1),    Segment(0, 0, 1, 0),
                     Segment(0, 0, 0, -1), Segment(0, -1, -1, -1), Segment(-1, -1, -1, 0)};
    Slabs(segments);
    ASSERT_FALSE(OutlineList.empty());
    EXPECT_EQ(OutlineList[0].Count, 4);
    EXPECT_EQ(Links(OutlineList[0]), (std::vector<int32_t>{0, 3, 4, 5, -1}));
}

TEST_P(Tracing, TriangleIsFoundByEveryTraceAndKeptOnce)
{
    Slabs({Segment(0, 0, 1, 0), Segment(1, 0, 0, 1), Segment(0, 1, 0, 0)});
    ASSERT_EQ(OutlineList.size(), 6u);
    for (const TMyPolyPoints& outline : OutlineList)
    {
        ASSERT_EQ(outline.Points.size(), 4u);
        EXPECT_EQ(outline.Points[3].X, outline.Points[0].X);
        EXPECT_EQ(outline.Points[3].Y, outline.Points[0].Y);
        EXPECT_EQ(outline.Points[3].Link, -1);
    }
    EXPECT_EQ(Counts(), (std::vector<int32_t>{3, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Links(OutlineList[0]), (std::vector<int32_t>{0, 1, 2, -1}));
    EXPECT_EQ(Links(OutlineList[3]), (std::vector<int32_t>{0, 2, 1, -1}));
}

TEST_P(Tracing, NoOutlineWithoutAClosedRingOfThree)
{
    const TTxy cases[] = {
        {Segment(0, 0, 1, 0), Segment(1, 0, 0, 0)},                      // two segments, same two points
        {Segment(0, 0, 1, 0), Segment(1, 0, 1, 1), Segment(1, 1, 0, 1)}, // open chain
        {Segment(0, 0, 1, 0), Segment(1, 0, 1, 1), Segment(1, 1, 0.0001f, 0)}, // misses by the tolerance
        {},
    };
    for (const TTxy& segments : cases)
    {
        EXPECT_TRUE(Slabs(segments).empty());
        EXPECT_TRUE(OutlineList.empty());
    }
    Slabs({Segment(0, 0, 1, 0), Segment(1, 0, 1, 1), Segment(1, 1, 0.00009f, -0.00009f)});
    EXPECT_EQ(Counts(), (std::vector<int32_t>{3, 0, 0, 0, 0, 0}));
}

// A square whose bottom and top sides meet a middle segment at their midpoints.
TEST_P(Tracing, SquareWithMiddleSegment)
{
    TTxy segments = {Segment(0, 0, 1, 0), Segment(1, 0, 2, 0), Segment(2, 0, 2, 1), Segment(2, 1, 1, 1),
                     Segment(1, 1, 0, 1), Segment(0, 1, 0, 0), Segment(1, 0, 1, 1)};
    std::vector<TPGon> faces = Slabs(segments);
    // Counter-clockwise traces go round the whole square, clockwise ones and
    // the middle segment's round a half.
    ASSERT_EQ(OutlineList.size(), 14u);
    const size_t walked[] = {6, 6, 6, 6, 6, 6, 4, 4, 4, 4, 4, 4, 4, 4};
    for (size_t i = 0; i < 14; ++i)
        EXPECT_EQ(OutlineList[i].Points.size(), walked[i] + 1) << i;
    EXPECT_EQ(Links(OutlineList[6]), (std::vector<int32_t>{6, 3, 2, 1, -1}));
    EXPECT_EQ(Links(OutlineList[7]), (std::vector<int32_t>{0, 5, 4, 6, -1}));
    // The whole square is divided by the middle segment; each half stays once.
    EXPECT_EQ(Counts(), (std::vector<int32_t>{0, 0, 0, 0, 0, 0, 4, 4, 0, 0, 0, 0, 0, 0}));
    ASSERT_EQ(faces.size(), 2u);
    const float right[4][3] = {{1, 0, 0}, {1, 0, 1}, {2, 0, 1}, {2, 0, 0}};
    const float left[4][3] = {{1, 0, 0}, {0, 0, 0}, {0, 0, 1}, {1, 0, 1}};
    for (int k = 0; k < 4; ++k)
    {
        EXPECT_EQ(faces[0].Vertices[k].X, right[k][0]);
        EXPECT_EQ(faces[0].Vertices[k].Z, right[k][2]);
        EXPECT_EQ(faces[1].Vertices[k].X, left[k][0]);
        EXPECT_EQ(faces[1].Vertices[k].Z, left[k][2]);
    }
}

TEST_P(Tracing, SegmentEndingOnAnotherSegmentsMiddleDoesNotMeetIt)
{
    TTxy segments = {Segment(0, 0, 2, 0), Segment(2, 0, 2, 2), Segment(2, 2, 0, 2), Segment(0, 2, 0, 0),
                     Segment(1, 0, 1, 2)};
    std::vector<TPGon> faces = Slabs(segments);
    ASSERT_EQ(faces.size(), 1u);
    EXPECT_EQ(faces[0].VertexCount, 4);
}

// A triangle with one side drawn twice: a walk arriving along one copy turns
// straight back along the other unless the start segment is met there.
TEST_P(Tracing, IdenticalSegmentsTurnStraightBack)
{
    TTxy segments = {Segment(0, 0, 1, 0), Segment(1, 0, 0, 1), Segment(0, 1, 0, 0), Segment(1, 0, 0, 1)};
    std::vector<TPGon> faces = Slabs(segments);
    ASSERT_EQ(OutlineList.size(), 2u);
    EXPECT_EQ(Links(OutlineList[0]), (std::vector<int32_t>{2, 0, 1, -1}));
    EXPECT_EQ(Links(OutlineList[1]), (std::vector<int32_t>{0, 2, 1, -1}));
    EXPECT_EQ(Counts(), (std::vector<int32_t>{3, 0}));
    EXPECT_EQ(faces.size(), 1u);

    // Away from the start segment the walk goes back and forth until the path
    // is too long.
    Slabs({Segment(-1, 0, 0, 0), Segment(0, 0, 1, 0), Segment(1, 0, 2, 0), Segment(1, 0, 2, 0)});
    EXPECT_TRUE(OutlineList.empty());
}

TEST_P(Tracing, RingsOfUpTo100Segments)
{
    std::vector<TPGon> faces = Slabs(RegularRing(100, 1000));
    ASSERT_EQ(faces.size(), 1u);
    EXPECT_EQ(faces[0].VertexCount, 100);
    EXPECT_EQ(OutlineList[0].Count, 100);

    EXPECT_TRUE(Slabs(RegularRing(101, 1000)).empty());
    EXPECT_TRUE(OutlineList.empty());
}

// At a point with more segments than a scan handles, two candidates leave
// in nearly the same direction: one's angle rounds up to a full circle, the
// other's is 0. Their Turns are equal, so the lower segment number wins; each
// leads round a ring of its own back to the origin.
TEST_P(Tracing, EqualTurnsAcrossTheFullCircleGoToTheLowerSegment)
{
    for (int spokes : {0, 40})
        for (bool roundedFirst : {true, false})
        {
            SCOPED_TRACE(testing::Message() << spokes << " spokes, rounded first " << roundedFirst);
            TTxy segments = {Segment(-1, 0, 0, 0),  Segment(0, 0, 2, 0),    Segment(0, 0, 1, 1e-10f),
                             Segment(2, 0, 2, -3),  Segment(2, -3, -2, -3), Segment(-2, -3, -2, 0),
                             Segment(-2, 0, -1, 0), Segment(1, 0, 1, -1),   Segment(1, -1, -1, -1),
                             Segment(-1, -1, -1, 0)};
            if (roundedFirst)
                std::swap(segments[1], segments[2]);
            for (int k = 0; k < spokes; ++k)
            {
                float a = 0.1f + 3.0f * float(k) / float(spokes);
                segments.push_back(Segment(0, 0, 3 * std::cos(a), 3 * std::sin(a)));
            }
            Slabs(segments);
            ASSERT_FALSE(OutlineList.empty());
            EXPECT_EQ(OutlineList[0].Points[1].Link, 1);
            EXPECT_EQ(OutlineList[0].Count, roundedFirst ? 5 : 6);
        }
}

// Segments that lead to non-finite points are never taken; the ring through
// the crowded point (here just beside it) is found all the same.
TEST_P(Tracing, CrowdedPointOfNonFiniteSegments)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    TTxy segments;
    for (int k = 0; k < 40; ++k)
        segments.push_back(Segment(0, 0, nan, k % 2 ? nan : 1));
    segments.push_back(Segment(-1, 0, 0, 0));
    Slabs(segments);
    EXPECT_TRUE(OutlineList.empty());

    segments.pop_back();
    for (SegmentRecord s : {Segment(0.00005f, 0, 1, 0), Segment(1, 0, 0, 1), Segment(0, 1, 0.00005f, 0)})
        segments.push_back(s);
    std::vector<TPGon> faces = Slabs(segments);
    ASSERT_EQ(faces.size(), 1u);
    EXPECT_EQ(Links(OutlineList[0]), (std::vector<int32_t>{40, 41, 42, -1}));
}

INSTANTIATE_TEST_SUITE_P(Builders, Tracing, testing::Values(&IndexedBuilder, &PlainBuilder),
                         [](const auto& info) { return std::string(info.param->Name); });

} // namespace
