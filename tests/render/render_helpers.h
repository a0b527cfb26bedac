#pragma once

#include "render/render_view.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <vector>

using Vec3 = std::array<double, 3>;

// A pixel as the picture holds it: bytes B, G, R and an opaque X.
inline uint32_t Rgb(int r, int g, int b)
{
    return 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}

inline uint32_t PixelAt(const TPicture& picture, int x, int y)
{
    return picture.Pixels[y * picture.Width + x];
}

inline int Red(uint32_t pixel)
{
    return (pixel >> 16) & 0xFF;
}
inline int Green(uint32_t pixel)
{
    return (pixel >> 8) & 0xFF;
}
inline int Blue(uint32_t pixel)
{
    return pixel & 0xFF;
}

// The smallest box holding every pixel that differs from background, bounds
// inclusive; Count is 0 when there is none.
struct PixelBox
{
    int Left = 0;
    int Top = 0;
    int Right = -1;
    int Bottom = -1;
    int Count = 0;

    double Width() const { return Right - Left + 1; }
    double Height() const { return Bottom - Top + 1; }
    double CentreX() const { return (Left + Right) / 2.0; }
    double CentreY() const { return (Top + Bottom) / 2.0; }
};

inline PixelBox BoxOfPixelsOtherThan(const TPicture& picture, uint32_t background)
{
    PixelBox box;
    box.Left = picture.Width;
    box.Top = picture.Height;
    for (int y = 0; y < picture.Height; ++y)
        for (int x = 0; x < picture.Width; ++x)
            if (PixelAt(picture, x, y) != background)
            {
                box.Left = std::min(box.Left, x);
                box.Right = std::max(box.Right, x);
                box.Top = std::min(box.Top, y);
                box.Bottom = std::max(box.Bottom, y);
                ++box.Count;
            }
    return box;
}

inline Vec3 Add(const Vec3& a, const Vec3& b)
{
    return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}
inline Vec3 Sub(const Vec3& a, const Vec3& b)
{
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
inline Vec3 Scale(const Vec3& a, double s)
{
    return {a[0] * s, a[1] * s, a[2] * s};
}
inline Vec3 Cross(const Vec3& a, const Vec3& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
inline double Length(const Vec3& a)
{
    return std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
}
inline Vec3 Unit(const Vec3& a)
{
    return Scale(a, 1 / Length(a));
}

struct SceneFace
{
    Vec3 Color;
    std::vector<Vec3> Vertices;
};

inline SceneFace Face(std::initializer_list<Vec3> vertices, Vec3 color)
{
    return {color, vertices};
}

// The draw list of faces drawn whole, the darker colour of each two thirds of
// its own.
inline TDrawList DrawListOf(const std::vector<SceneFace>& faces)
{
    TDrawList list;
    for (const SceneFace& scene : faces)
    {
        DrawPolygon& face = list.Faces.emplace_back();
        for (int c = 0; c < 3; ++c)
        {
            face.FaceColor[c] = float(scene.Color[c]);
            face.ShadeColor[c] = float(scene.Color[c] * 2 / 3);
        }
        face.FirstVertex = int32_t(list.Vertices.size());
        face.VertexCount = int32_t(scene.Vertices.size());
        for (const Vec3& v : scene.Vertices)
            list.Vertices.push_back({float(v[0]), float(v[1]), float(v[2])});
    }
    return list;
}

// A square of the given side centred on centre, square to the direction
// toward; vertices counter-clockwise as seen from there.
inline SceneFace SquareFacing(Vec3 centre, Vec3 toward, double side, Vec3 color)
{
    const Vec3 n = Unit(Sub(toward, centre));
    const Vec3 helper = std::fabs(n[1]) > 0.9 ? Vec3{0, 0, 1} : Vec3{0, 1, 0};
    const Vec3 a = Scale(Unit(Cross(helper, n)), side / 2);
    const Vec3 b = Scale(Unit(Cross(n, a)), side / 2);
    return Face(
        {Sub(Sub(centre, a), b), Sub(Add(centre, a), b), Add(Add(centre, a), b), Add(Sub(centre, a), b)},
        color);
}

// A view as the drawing's texts store it: model axes, single precision.
inline TViewParameters View(Vec3 eye, Vec3 target, float fov)
{
    TViewParameters view;
    view.EyeX = float(eye[0]), view.EyeHeight = float(eye[1]), view.EyeY = float(eye[2]);
    view.TargetX = float(target[0]), view.TargetHeight = float(target[1]), view.TargetY = float(target[2]);
    view.FieldOfView = fov;
    return view;
}

// A point as the render pass places it: x and y across the picture from -1
// to 1 (aspect as drawn), and its depth along the line of sight.
struct TSeen
{
    double X, Y, Depth;
};

inline TSeen Project(const TCamera& camera, const Vec3& p, double aspect, bool orthographic = false)
{
    const double yaw = camera.Yaw * M_PI / 180, pitch = camera.Pitch * M_PI / 180;
    const double x = p[0] - camera.EyePoint[0], y = p[1] - camera.EyePoint[1], z = p[2] - camera.EyePoint[2];
    const double x1 = x * std::cos(yaw) + z * std::sin(yaw), z1 = -x * std::sin(yaw) + z * std::cos(yaw);
    const double y2 = y * std::cos(pitch) - z1 * std::sin(pitch),
                 z2 = y * std::sin(pitch) + z1 * std::cos(pitch);
    const double slope = std::tan(camera.ViewAngle * M_PI / 360);
    const double scale = orthographic ? camera.TargetDistance * slope : -z2 * slope;
    return {x1 / (scale * aspect), y2 / scale, -z2};
}

// Eye at the origin looking along -z, +x to the right, +y up; black background.
inline TRenderState LookingAlongMinusZ()
{
    TRenderState state;
    state.Camera.EyePoint[0] = 0;
    state.Camera.EyePoint[1] = 0;
    state.Camera.EyePoint[2] = 0;
    state.Camera.Yaw = 0;
    state.Camera.Pitch = 0;
    state.Camera.ViewAngle = 90;
    return state;
}

// Renders state into a fresh framed white picture with a fresh context.
inline TPicture Rendered(const TRenderState& state, int screenColorDepth = 32)
{
    TPicture picture;
    PaintFramedWhite(picture);
    TGLCanvasContext context;
    context.ScreenColorDepth = screenColorDepth;
    RenderView(context, picture, state);
    return picture;
}
