#include "tests/model/random_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>

namespace
{

const float Inf = std::numeric_limits<float>::infinity();
const float NaN = std::numeric_limits<float>::quiet_NaN();

struct Point
{
    float X, Y;
};

struct Drawer
{
    std::mt19937 Rng;
    LayerSlot& Slot;
    float Step = 1;
    float Offset = 0;
    int Size = 4;

    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(Rng) < p; }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(Rng); }
    template <class T> T PickFrom(std::initializer_list<T> values)
    {
        return values.begin()[Pick(int(values.size()))];
    }

    Point Lattice(int i, int j) { return {Offset + float(i) * Step, Offset + float(j) * Step}; }
    Point AnyLattice() { return Lattice(Pick(Size), Pick(Size)); }

    void Add(Point a, Point b)
    {
        SegmentRecord s;
        if (Chance(0.5))
            std::swap(a, b);
        s.X1 = a.X;
        s.Y1 = a.Y;
        s.X2 = b.X;
        s.Y2 = b.Y;
        // Now and then zero coordinates drawn as -0: equal to +0, though a
        // direction taken from them may carry the other sign.
        if (Chance(0.1))
            for (float* v : {&s.X1, &s.Y1, &s.X2, &s.Y2})
                if (*v == 0)
                    *v = -0.0f;
        s.Material = Chance(0.9) ? 1 + Pick(81) : PickFrom({0, 82, -3, 1000});
        Slot.Segments.push_back(s);
    }

    void Ring(const std::vector<Point>& corners)
    {
        for (size_t i = 0; i < corners.size(); ++i)
            Add(corners[i], corners[(i + 1) % corners.size()]);
    }

    float Nudge()
    {
        return PickFrom({0.00005f, 0.00009f, 0.0001f, 0.000101f, 0.00011f, 0.0002f}) * (Chance(0.5) ? 1 : -1);
    }

    float Wild() { return PickFrom({Inf, -Inf, NaN, 3e38f, -3e38f, 1e30f, 2e12f}); }

    void GridEdges()
    {
        double density = 0.3 + 0.6 * Chance(0.5);
        for (int i = 0; i < Size; ++i)
            for (int j = 0; j < Size; ++j)
            {
                if (i + 1 < Size && Chance(density))
                    Add(Lattice(i, j), Lattice(i + 1, j));
                if (j + 1 < Size && Chance(density))
                    Add(Lattice(i, j), Lattice(i, j + 1));
                if (i + 1 < Size && j + 1 < Size && Chance(0.1))
                    Add(Lattice(i, j), Lattice(i + 1, j + 1));
            }
    }

    void RandomRing()
    {
        std::vector<Point> corners;
        int count = 3 + Pick(4);
        for (int k = 0; k < count; ++k)
            corners.push_back(AnyLattice());
        Ring(corners);
    }

    // A rectangle, its long sides sometimes split at a lattice point and
    // joined there by a middle segment.
    void Rectangle()
    {
        int i0 = Pick(Size - 1), j0 = Pick(Size - 1);
        int i1 = i0 + 1 + Pick(Size - 1 - i0), j1 = j0 + 1 + Pick(Size - 1 - j0);
        if (i1 - i0 >= 2 && Chance(0.6))
        {
            int mid = i0 + 1 + Pick(i1 - i0 - 1);
            Ring({Lattice(i0, j0), Lattice(mid, j0), Lattice(i1, j0), Lattice(i1, j1), Lattice(mid, j1),
                  Lattice(i0, j1)});
            if (Chance(0.8))
                Add(Lattice(mid, j0), Lattice(mid, j1));
        }
        else
            Ring({Lattice(i0, j0), Lattice(i1, j0), Lattice(i1, j1), Lattice(i0, j1)});
    }

    // Segments passing over a lattice point, and collinear segments leaving
    // one point in the same direction.
    void Spans()
    {
        int i = Pick(Size), j = Pick(Size);
        int di = Pick(3) - 1, dj = Pick(3) - 1;
        if (di == 0 && dj == 0)
            di = 1;
        Add(Lattice(i, j), Lattice(i + 2 * di, j + 2 * dj));
        if (Chance(0.5))
            Add(Lattice(i, j), Lattice(i + di, j + dj));
    }

    void FigureEight()
    {
        int i = Pick(Size), j = Pick(Size);
        Ring({Lattice(i, j), Lattice(i + 1, j), Lattice(i + 1, j + 1)});
        Ring({Lattice(i, j), Lattice(i - 1, j), Lattice(i - 1, j - 1)});
    }

    void Copies()
    {
        if (Slot.Segments.empty())
            return;
        int count = 1 + Pick(3);
        for (int k = 0; k < count; ++k)
        {
            SegmentRecord s = Slot.Segments[Pick(int(Slot.Segments.size()))];
            if (Chance(0.5))
            {
                std::swap(s.X1, s.X2);
                std::swap(s.Y1, s.Y2);
            }
            Slot.Segments.push_back(s);
        }
    }

    // A dead end drawn twice: a walk goes out along one copy and back along
    // the other, so its outline holds the segments of a smaller ring and more.
    void Spur()
    {
        Point p = AnyLattice();
        Point q = {p.X + Step * 0.5f * float(Pick(3) - 1), p.Y + Step * 0.5f};
        Add(p, q);
        Add(p, q);
    }

    void ZeroLength()
    {
        Point p = AnyLattice();
        Point q = Chance(0.6) ? p : Point{p.X + Nudge(), p.Y + (Chance(0.5) ? Nudge() : 0)};
        Add(p, q);
    }

    // Moves an end of an existing segment by about the tolerance.
    void Jitter()
    {
        if (Slot.Segments.empty())
            return;
        SegmentRecord& s = Slot.Segments[Pick(int(Slot.Segments.size()))];
        float& x = Chance(0.5) ? s.X1 : s.X2;
        float& y = &x == &s.X1 ? s.Y1 : s.Y2;
        if (Chance(0.7))
            x += Nudge();
        if (Chance(0.5))
            y += Nudge();
    }

    void LongRing()
    {
        int count = PickFrom({3, 50, 98, 99, 100, 101, 102});
        Point centre = AnyLattice();
        float radius = Step * float(2 + Pick(3));
        std::vector<Point> corners;
        for (int k = 0; k < count; ++k)
        {
            double angle = 2 * M_PI * k / count;
            corners.push_back(
                {centre.X + radius * float(std::cos(angle)), centre.Y + radius * float(std::sin(angle))});
        }
        Ring(corners);
    }

    // More segments at one point than a scan handles: spokes to lattice
    // points (many in the same direction), zero-length, to a non-finite point,
    // ending just beside the point, or leaving it nearly along an axis.
    void Hub()
    {
        Point centre = AnyLattice();
        int count = 30 + Pick(50);
        for (int k = 0; k < count; ++k)
        {
            switch (Pick(10))
            {
            case 0:
                Add(centre, centre);
                break;
            case 8:
                Add(centre, {Wild(), Wild()});
                break;
            case 9:
                // Nearly along an axis: its angle may round to a full circle.
                Add(centre, {centre.X + Step, centre.Y + PickFrom({1e-10f, -1e-10f, 1e-30f, 0.0f})});
                break;
            case 1:
                Add(centre, {centre.X + Nudge(), centre.Y + Nudge()});
                break;
            case 2:
                Add({centre.X + Nudge(), centre.Y}, AnyLattice());
                break;
            default:
                Add(centre, AnyLattice());
                break;
            }
        }
    }

    void NonFinite()
    {
        switch (Pick(3))
        {
        case 0:
            Add(AnyLattice(), {Chance(0.5) ? Wild() : AnyLattice().X, Wild()});
            break;
        case 1:
            Add({Wild(), Wild()}, {Wild(), Wild()});
            break;
        default:
            // A ring far out, or one whose sides overflow to infinity.
            if (Chance(0.5))
                Ring({{1e30f, 1e30f}, {2e30f, 1e30f}, {1e30f, 2e30f}});
            else
                Ring({{3e38f, 0}, {-3e38f, 0}, {0, 3e38f}});
            break;
        }
    }

    void Marks()
    {
        double coverage = PickFrom({0.0, 0.4, 0.8, 1.0});
        auto height = [&] {
            return Chance(0.02) ? Wild() : PickFrom({0.0f, 1000.0f, 2500.0f, 3000.0f, 3000.05f});
        };
        std::vector<Point> spots;
        for (int i = 0; i < Size; ++i)
            for (int j = 0; j < Size; ++j)
                spots.push_back(Lattice(i, j));
        for (const SegmentRecord& s : Slot.Segments)
            if (Chance(0.1))
                spots.push_back({s.X1, s.Y1});
        for (Point p : spots)
        {
            if (!Chance(coverage))
                continue;
            int repeats = Chance(0.1) ? 2 : 1;
            for (int r = 0; r < repeats; ++r)
            {
                Point at = Chance(0.1) ? Point{p.X + Nudge(), p.Y + Nudge()} : p;
                Slot.Marks.push_back({at.X, at.Y, height(), height()});
            }
        }
        if (Chance(0.05))
            Slot.Marks.push_back({Wild(), Wild(), 1000, 0});
    }
};

#if defined(__SANITIZE_ADDRESS__)
constexpr uint32_t DefaultSeeds = 150;
#else
constexpr uint32_t DefaultSeeds = 300;
#endif

uint32_t FromEnvironment(const char* name, uint32_t fallback)
{
    const char* text = std::getenv(name);
    return text ? uint32_t(std::strtoul(text, nullptr, 10)) : fallback;
}

} // namespace

TSeedRange SeedRange()
{
    return {FromEnvironment("KV_MODEL_FIRST_SEED", 1), FromEnvironment("KV_MODEL_SEEDS", DefaultSeeds)};
}

std::vector<LayerSlot> RandomDrawing(uint32_t seed)
{
    std::vector<LayerSlot> slots(LayerSlotCount);
    std::mt19937 rng(seed);
    int slotCount = 1 + int(rng() % 3);
    for (int n = 0; n < slotCount; ++n)
    {
        LayerSlot& slot = slots[rng() % LayerSlotCount];
        Drawer d{std::mt19937(rng()), slot};
        d.Step = d.PickFrom({1.0f, 1000.0f, 0.001f, 0.5f, 37.25f});
        // 1 / 2048 puts every lattice point on the edge between two cells of
        // the point index (cells 1 / 1024 wide, centred on round values).
        d.Offset = d.PickFrom({0.0f, 0.5f, 1000.25f, -37.7f, 123456.0f, 3e12f, 0.00048828125f});
        d.Size = 3 + d.Pick(4);
        slot.BaseHeight = d.PickFrom({0.0f, 0.0f, 500.0f, -250.5f});
        int parts = 2 + d.Pick(8);
        for (int k = 0; k < parts; ++k)
        {
            switch (d.Pick(14))
            {
            case 0:
            case 1:
                d.GridEdges();
                break;
            case 2:
                d.RandomRing();
                break;
            case 3:
            case 4:
                d.Rectangle();
                break;
            case 5:
                d.Spans();
                break;
            case 6:
                d.FigureEight();
                break;
            case 7:
                d.Copies();
                break;
            case 8:
                d.ZeroLength();
                break;
            case 9:
                d.Jitter();
                break;
            case 10:
                if (d.Chance(0.4))
                    d.LongRing();
                break;
            case 11:
                if (d.Chance(0.5))
                    d.Hub();
                break;
            case 12:
                d.Spur();
                break;
            default:
                if (d.Chance(0.5))
                    d.NonFinite();
                break;
            }
        }
        if (d.Chance(0.3))
            std::shuffle(slot.Segments.begin(), slot.Segments.end(), d.Rng);
        d.Marks();
    }
    return slots;
}
