#include "model/triangulation.h"

#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <numbers>

namespace
{

using Point = std::array<double, 3>;

// A corner is straight on when its cross product is below this share of the
// product of its two edge lengths.
constexpr double StraightOn = 1e-6;

Point Minus(const Point& a, const Point& b)
{
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

Point Cross(const Point& a, const Point& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double Dot(const Point& a, const Point& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

double Length(const Point& a)
{
    return std::sqrt(Dot(a, a));
}

// The face's points in order with repeats of the previous point (and of the
// first, at the end) left out, so that every edge has a length.
std::vector<Point> DistinctRing(const std::vector<Point>& points)
{
    std::vector<Point> ring;
    for (const Point& p : points)
        if (ring.empty() || p != ring.back())
            ring.push_back(p);
    while (ring.size() > 1 && ring.back() == ring.front())
        ring.pop_back();
    return ring;
}

Point NewellNormal(const std::vector<Point>& ring)
{
    Point n = {0, 0, 0};
    for (std::size_t i = 0; i < ring.size(); ++i)
    {
        const Point& a = ring[i];
        const Point& b = ring[(i + 1) % ring.size()];
        n[0] += (a[1] - b[1]) * (a[2] + b[2]);
        n[1] += (a[2] - b[2]) * (a[0] + b[0]);
        n[2] += (a[0] - b[0]) * (a[1] + b[1]);
    }
    return n;
}

// The corner of the ring that turns most sharply, as its cross product;
// zero when every corner is straight on or turns back.
Point SharpestCorner(const std::vector<Point>& ring)
{
    Point sharpest = {0, 0, 0};
    double largest = 0;
    for (std::size_t i = 0; i < ring.size(); ++i)
    {
        const Point a = Minus(ring[i], ring[(i + ring.size() - 1) % ring.size()]);
        const Point b = Minus(ring[(i + 1) % ring.size()], ring[i]);
        const Point c = Cross(a, b);
        const double size = Length(c);
        if (size >= StraightOn * Length(a) * Length(b) && size > largest)
            largest = size, sharpest = c;
    }
    return sharpest;
}

// The plane of the face: its Newell normal, or, for an outline whose parts
// cancel out (a figure of eight), the normal of its sharpest corner.
// Zero when the face has no area.
Point FaceNormal(const std::vector<Point>& ring)
{
    const Point sharpest = SharpestCorner(ring);
    if (Length(sharpest) == 0)
        return sharpest;
    const Point newell = NewellNormal(ring);
    return Length(newell) > StraightOn * Length(sharpest) ? newell : sharpest;
}

int DominantAxis(const Point& normal)
{
    const double x = std::fabs(normal[0]), y = std::fabs(normal[1]), z = std::fabs(normal[2]);
    if (x >= y && x >= z)
        return 0;
    return y >= z ? 1 : 2;
}

// Convex in the plane that drops the normal's dominant axis: every corner that
// is not straight on turns the same way, none turns back on itself, and the
// turns add up to one full turn (a pentagram turns twice).
bool IsConvex(const std::vector<Point>& ring, const Point& normal)
{
    const int drop = DominantAxis(normal);
    const int u = (drop + 1) % 3, v = (drop + 2) % 3;
    const std::size_t n = ring.size();
    int sign = 0;
    double turned = 0;
    for (std::size_t i = 0; i < n; ++i)
    {
        const Point& prev = ring[(i + n - 1) % n];
        const Point& here = ring[i];
        const Point& next = ring[(i + 1) % n];
        const double ax = here[u] - prev[u], ay = here[v] - prev[v];
        const double bx = next[u] - here[u], by = next[v] - here[v];
        const double cross = ax * by - ay * bx;
        const double dot = ax * bx + ay * by;
        turned += std::atan2(cross, dot);
        if (std::fabs(cross) < StraightOn * std::hypot(ax, ay) * std::hypot(bx, by))
        {
            if (dot < 0)
                return false;
            continue;
        }
        const int turn = cross > 0 ? 1 : -1;
        if (sign != 0 && turn != sign)
            return false;
        sign = turn;
    }
    // The sum is a whole number of turns up to rounding.
    return std::fabs(std::fabs(turned) - 2 * std::numbers::pi) < 1;
}

void Fan(std::size_t count, TFaceTriangles& triangles)
{
    for (std::size_t i = 1; i + 1 < count; ++i)
        triangles.Corners.insert(triangles.Corners.end(), {0, int32_t(i), int32_t(i + 1)});
}

// What the tessellator's callbacks fill in.
struct TessellationRun
{
    const std::vector<Point>* Points = nullptr;
    TFaceTriangles* Triangles = nullptr;
    std::deque<int32_t> AddedIds; // the tessellator holds pointers to these
    bool Failed = false;
};

int32_t NearestPoint(const std::vector<Point>& points, const Point& p)
{
    int32_t nearest = 0;
    double best = INFINITY;
    for (std::size_t i = 0; i < points.size(); ++i)
    {
        const Point d = Minus(points[i], p);
        const double distance = Dot(d, d);
        if (distance < best)
            best = distance, nearest = int32_t(i);
    }
    return nearest;
}

void GLAPIENTRY OnVertex(void* vertex, void* run)
{
    static_cast<TessellationRun*>(run)->Triangles->Corners.push_back(*static_cast<int32_t*>(vertex));
}

void GLAPIENTRY OnCombine(GLdouble coords[3], void* /*vertices*/[4], GLfloat /*weights*/[4], void** out,
                          void* data)
{
    auto* run = static_cast<TessellationRun*>(data);
    TFaceTriangles& triangles = *run->Triangles;
    const Point p = {coords[0], coords[1], coords[2]};
    run->AddedIds.push_back(int32_t(run->Points->size() + triangles.AddedVertices.size()));
    triangles.AddedVertices.push_back({float(p[0]), float(p[1]), float(p[2]), 1.0f});
    triangles.AddedNearest.push_back(NearestPoint(*run->Points, p));
    *out = &run->AddedIds.back();
}

void GLAPIENTRY OnError(GLenum /*error*/, void* run)
{
    static_cast<TessellationRun*>(run)->Failed = true;
}

// Given an edge-flag callback the tessellator gives separate triangles only.
void GLAPIENTRY OnEdgeFlag(GLboolean /*flag*/, void* /*run*/) {}

Point CornerPoint(const std::vector<Point>& points, const TFaceTriangles& triangles, int32_t corner)
{
    if (std::size_t(corner) < points.size())
        return points[corner];
    const TPtVertex& v = triangles.AddedVertices[corner - points.size()];
    return {v.X, v.Y, v.Z};
}

// Cuts the outline with the odd winding rule, in the plane of normal. False
// when the tessellator gives up.
bool Tessellate(const std::vector<Point>& points, const Point& normal, TFaceTriangles& triangles)
{
    GLUtesselator* tess = gluNewTess();
    if (!tess)
        return false;
    TessellationRun run;
    run.Points = &points;
    run.Triangles = &triangles;
    std::vector<int32_t> ids(points.size());
    std::vector<Point> coords = points; // the tessellator writes nothing, but takes non-const pointers

    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<_GLUfuncptr>(OnVertex));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<_GLUfuncptr>(OnCombine));
    gluTessCallback(tess, GLU_TESS_ERROR_DATA, reinterpret_cast<_GLUfuncptr>(OnError));
    gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<_GLUfuncptr>(OnEdgeFlag));
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_ODD);
    gluTessNormal(tess, normal[0], normal[1], normal[2]);
    gluTessBeginPolygon(tess, &run);
    gluTessBeginContour(tess);
    for (std::size_t i = 0; i < points.size(); ++i)
    {
        ids[i] = int32_t(i);
        gluTessVertex(tess, coords[i].data(), &ids[i]);
    }
    gluTessEndContour(tess);
    gluTessEndPolygon(tess);
    gluDeleteTess(tess);
    if (run.Failed || triangles.Corners.size() % 3 != 0)
        return false;

    // Each triangle turns the way the outline does.
    for (std::size_t t = 0; t < triangles.Corners.size(); t += 3)
    {
        int32_t* corner = &triangles.Corners[t];
        const Point a = CornerPoint(points, triangles, corner[0]);
        const Point b = CornerPoint(points, triangles, corner[1]);
        const Point c = CornerPoint(points, triangles, corner[2]);
        if (Dot(Cross(Minus(b, a), Minus(c, a)), normal) < 0)
            std::swap(corner[1], corner[2]);
    }
    return true;
}

// A corner turns clearly when its cross product is at least this share of the
// product of its edge lengths: far above the share below which the
// triangulation counts a corner as straight on, so rounding cannot make the
// two disagree.
constexpr double ClearTurn = 1e-3;

// Marks the axes that are, up to rounding, the largest component of v: the
// axes the triangulation may drop when v is the face's normal.
void MarkDominantAxes(const Point& v, bool (&dropped)[3])
{
    const double x = std::fabs(v[0]), y = std::fabs(v[1]), z = std::fabs(v[2]);
    const double near = std::max(x, std::max(y, z)) * (1 - 1e-6);
    if (near > 0)
    {
        dropped[0] = dropped[0] || x >= near;
        dropped[1] = dropped[1] || y >= near;
        dropped[2] = dropped[2] || z >= near;
    }
}

// Whether every corner of the outline of count edges, seen along axis drop,
// turns clearly and the same way.
bool TurnsClearlyOneWay(const Point (&edges)[4], std::size_t count, int drop)
{
    const int u = drop == 2 ? 0 : drop + 1, v = drop == 0 ? 2 : drop - 1;
    int sign = 0;
    for (std::size_t i = 0, previous = count - 1; i < count; previous = i++)
    {
        const double ax = edges[previous][u], ay = edges[previous][v];
        const double bx = edges[i][u], by = edges[i][v];
        const double cross = ax * by - ay * bx;
        // Squared, so no root is taken; float coordinates cannot overflow it.
        // Also false for an edge without length and for a non-finite coordinate.
        if (!(cross * cross > ClearTurn * ClearTurn * (ax * ax + ay * ay) * (bx * bx + by * by)))
            return false;
        const int turn = cross > 0 ? 1 : -1;
        if (sign != 0 && turn != sign)
            return false;
        sign = turn;
    }
    return true;
}

// The face's plane is its Newell normal or the cross product of one of its
// corners; the outline must turn clearly one way along every axis that could
// be the largest of those. Three or four such turns add up to one full turn,
// never two.
} // namespace

TFaceTriangles TriangulateFace(const TPGon& face)
{
    const std::size_t count = std::min(std::size_t(std::max(face.VertexCount, 0)), face.Vertices.size());
    std::vector<Point> points;
    points.reserve(count);
    bool finite = true;
    for (std::size_t i = 0; i < count; ++i)
    {
        const TPtVertex& v = face.Vertices[i];
        finite = finite && std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z);
        points.push_back({v.X, v.Y, v.Z});
    }

    TFaceTriangles triangles;
    const std::vector<Point> ring = finite ? DistinctRing(points) : std::vector<Point>{};
    const Point normal = ring.size() >= 3 ? FaceNormal(ring) : Point{0, 0, 0};
    if (Length(normal) > 0 && !IsConvex(ring, normal))
    {
        if (Tessellate(points, normal, triangles))
        {
            triangles.Shape = TFaceShape::Tessellated;
            return triangles;
        }
        triangles = {}; // the tessellator gave up: drawn as one polygon, like a face without area
    }
    else if (Length(normal) > 0)
        triangles.Shape = TFaceShape::Convex;
    Fan(count, triangles);
    return triangles;
}

bool IsClearlyConvex(const TPGon& face)
{
    const std::size_t n = std::min(std::size_t(std::max(face.VertexCount, 0)), face.Vertices.size());
    if (n < 3 || n > 4)
        return false;
    Point p[4];
    for (std::size_t i = 0; i < n; ++i)
        p[i] = {face.Vertices[i].X, face.Vertices[i].Y, face.Vertices[i].Z};
    Point edges[4]; // edge i runs from vertex i to the next
    Point newell = {0, 0, 0};
    for (std::size_t i = 0; i < n; ++i)
    {
        const Point& a = p[i];
        const Point& b = p[i + 1 < n ? i + 1 : 0];
        edges[i] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        newell[0] += (a[1] - b[1]) * (a[2] + b[2]);
        newell[1] += (a[2] - b[2]) * (a[0] + b[0]);
        newell[2] += (a[0] - b[0]) * (a[1] + b[1]);
    }
    bool dropped[3] = {false, false, false};
    MarkDominantAxes(newell, dropped);
    for (std::size_t i = 0, previous = n - 1; i < n; previous = i++)
    {
        const Point& in = edges[previous];
        const Point& out = edges[i];
        MarkDominantAxes({in[1] * out[2] - in[2] * out[1], in[2] * out[0] - in[0] * out[2],
                          in[0] * out[1] - in[1] * out[0]},
                         dropped);
    }
    bool any = false;
    for (int k = 0; k < 3; ++k)
    {
        if (!dropped[k])
            continue;
        if (!TurnsClearlyOneWay(edges, n, k))
            return false;
        any = true;
    }
    return any;
}
