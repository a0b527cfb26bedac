#include "tools/model_summary.h"

#include "common/tolerance.h"

#include <algorithm>
#include <array>
#include <set>

namespace
{

// Wall faces stand over one segment: their corners lie on at most two plan
// positions. Slab faces run round a ring of three or more.
bool IsWall(const TPGon& face)
{
    std::array<const TPtVertex*, 2> positions{};
    size_t found = 0;
    for (const TPtVertex& vertex : face.Vertices)
    {
        bool known = std::any_of(positions.begin(), positions.begin() + found,
                                 [&](const TPtVertex* seen) {
                                     return NearlyEqual(seen->X, vertex.X) && NearlyEqual(seen->Z, vertex.Z);
                                 });
        if (known)
            continue;
        if (found == positions.size())
            return false; // a third position
        positions[found++] = &vertex;
    }
    return true;
}

void PrintPoint(std::ostream& out, float x, float height, float y)
{
    out << "(" << x << ", " << height << ", " << y << ")";
}

} // namespace

void PrintSummary(std::ostream& out, const TStartState& state, const std::vector<TPGon>& faces,
                  const TViewParameters& view)
{
    size_t walls = std::count_if(faces.begin(), faces.end(), IsWall);
    out << "faces: " << faces.size() << " (walls " << walls << ", slabs " << faces.size() - walls << ")\n";

    std::set<std::array<float, 3>> colours;
    float lowest = 0;
    float highest = 0;
    bool any = false;
    const TPGon* previous = nullptr;
    for (const TPGon& face : faces)
    {
        // Faces of a wall or a room follow each other in one colour.
        if (!previous || !std::equal(face.Color, face.Color + 3, previous->Color))
            colours.insert({face.Color[0], face.Color[1], face.Color[2]});
        previous = &face;
        for (const TPtVertex& vertex : face.Vertices)
        {
            lowest = any ? std::min(lowest, vertex.Y) : vertex.Y;
            highest = any ? std::max(highest, vertex.Y) : vertex.Y;
            any = true;
        }
    }
    if (any)
        out << "heights: " << lowest << " to " << highest << "\n";
    out << "colours: " << colours.size() << "\n";

    out << "eye: ";
    PrintPoint(out, view.EyeX, view.EyeHeight, view.EyeY);
    out << "  target: ";
    PrintPoint(out, view.TargetX, view.TargetHeight, view.TargetY);
    out << "  field of view: " << view.FieldOfView << "\n";

    if (state.StartError)
        out << "error: " << *state.StartError << "\n";
}
