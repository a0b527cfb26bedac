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
