#include "render/render_view.h"

#include "render/cut_plane.h"
#include "render/depth_range.h"
#include "render/gl_functions.h"
#include "render/spot_marker.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace
{

// The one point light, a fixed point of the scene.
void SetLight(const TGLFunctions& gl)
{
    const TSceneLight& light = SceneLight;
    const GLfloat ambient[] = {light.Ambient, light.Ambient, light.Ambient, 1.0f};
    const GLfloat diffuse[] = {light.Diffuse, light.Diffuse, light.Diffuse, 1.0f};
    const GLfloat specular[] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat position[] = {light.Position[0], light.Position[1], light.Position[2], 1.0f};
    gl.Lightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    gl.Lightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    gl.Lightfv(GL_LIGHT0, GL_SPECULAR, specular);
    gl.Lightfv(GL_LIGHT0, GL_POSITION, position);
    gl.Lightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, light.LinearAttenuation);
}

using Rgb = std::array<GLfloat, 3>;

Rgb ColorOf(const DrawPolygon& face, bool shade)
{
    const float(&color)[3] = shade ? face.ShadeColor : face.FaceColor;
    return {color[0], color[1], color[2]};
}

// Faces drawn whole go to OpenGL in runs of at most this many vertices, so
// that neither the colours made for a run nor OpenGL's copy of its arrays
// grow with the drawing.
constexpr std::size_t RunVertices = 1 << 16;

// A face that is not convex, as triangles: each corner is lit with the colour
// of the face vertex it stands for.
void DrawTriangles(const TGLFunctions& gl, const TDrawList& list, const DrawPolygon& face, bool flatShading,
                   std::vector<Rgb>& colors)
{
    const DrawCorner* corners = list.Corners.data() + face.FirstCorner;
    colors.clear();
    for (int32_t i = 0; i < face.CornerCount; ++i)
        colors.push_back(ColorOf(face, corners[i].ColorVertex >= 3 && !flatShading));
    gl.VertexPointer(3, GL_FLOAT, sizeof(DrawCorner), corners->Position.data());
    gl.ColorPointer(3, GL_FLOAT, 0, colors.data());
    gl.DrawArrays(GL_TRIANGLES, 0, face.CornerCount);
}

// Draws faces in their order from client-side arrays: runs of faces drawn
// whole with one call each, the other faces as their triangles. Each vertex's
// colour is its material (colour material), the value a glMaterial call before
// the vertex would set. Smooth shading lights the fourth vertex on with the
// darker colour, so a face of four or more corners shows a gradient; flat
// shading keeps one colour. The faces' vertices and corners lie in list.
void DrawFaces(const TGLFunctions& gl, const TDrawList& list, std::span<const DrawPolygon> faces,
               bool flatShading)
{
    std::vector<Rgb> colors; // of the run's vertices, from its first on
    std::vector<GLint> firsts;
    std::vector<GLsizei> counts;
    int32_t runStart = 0; // the run's first vertex in the list
    const auto drawRun = [&]
    {
        if (firsts.empty())
            return;
        gl.VertexPointer(3, GL_FLOAT, 0, list.Vertices.data() + runStart);
        gl.ColorPointer(3, GL_FLOAT, 0, colors.data());
        gl.MultiDrawArrays(GL_POLYGON, firsts.data(), counts.data(), GLsizei(firsts.size()));
        firsts.clear();
        counts.clear();
        colors.clear();
    };
    for (const DrawPolygon& face : faces)
    {
        if (face.CornerCount > 0)
        {
            drawRun();
            DrawTriangles(gl, list, face, flatShading, colors);
            colors.clear();
            continue;
        }
        // A run's vertices are read from its first one on, those of faces
        // left out between its faces too: a face before the run's last or
        // too far after its first starts a new one.
        const bool fits =
            face.FirstVertex >= runStart + int32_t(colors.size()) &&
            std::size_t(face.FirstVertex - runStart) + std::size_t(face.VertexCount) <= RunVertices;
        if (!fits)
            drawRun();
        if (firsts.empty())
            runStart = face.FirstVertex;
        firsts.push_back(GLint(face.FirstVertex - runStart));
        counts.push_back(face.VertexCount);
        colors.resize(std::size_t(face.FirstVertex - runStart));
        for (int32_t i = 0; i < face.VertexCount; ++i)
            colors.push_back(ColorOf(face, i >= 3 && !flatShading));
    }
    drawRun();
}

// Multiplies the current matrix by GLU's perspective projection, computed as
// gluPerspective computes it so that the pictures stay as they were; GLU
// itself would send its matrix to whichever libGL was loaded first.
void MultiplyPerspective(const TGLFunctions& gl, double fovy, double aspect, double zNear, double zFar)
{
    const double radians = fovy / 2 * M_PI / 180;
    const double deltaZ = zFar - zNear;
    const double sine = std::sin(radians);
    if (deltaZ == 0 || sine == 0 || aspect == 0)
        return;
    const double cotangent = std::cos(radians) / sine;
    GLdouble m[16] = {};
    m[0] = cotangent / aspect;
    m[5] = cotangent;
    m[10] = -(zFar + zNear) / deltaZ;
    m[11] = -1;
    m[14] = -2 * zNear * zFar / deltaZ;
    gl.MultMatrixd(m);
}

// The orthographic projection of the same eye, target and field of view: the
// picture's height is what the perspective shows at the target's distance.
void MultiplyOrthographic(const TGLFunctions& gl, const TCamera& camera, double aspect, TDepthRange depth)
{
    const double halfHeight = camera.TargetDistance * std::tan(camera.ViewAngle / 2 * M_PI / 180);
    if (!(halfHeight > 0) || !std::isfinite(halfHeight))
        return;
    gl.Ortho(-halfHeight * aspect, halfHeight * aspect, -halfHeight, halfHeight, depth.Near, depth.Far);
}

} // namespace

bool RenderView(TGLCanvasContext& context, TPicture& picture, const TRenderState& state)
{
    return RenderFaces(context, picture, state, state.DrawList, state.DrawList.Faces);
}

bool RenderFaces(TGLCanvasContext& context, TPicture& picture, const TRenderState& state,
                 const TDrawList& list, std::span<const DrawPolygon> faces)
{
    context.BeginDraw(&picture);
    const bool drawn = context.Active;
    const TGLFunctions* functions = GLFunctions();
    if (!functions)
        return false;
    const TGLFunctions& gl = *functions;

    gl.ClearColor(state.BackColor[0] / 255.0f, state.BackColor[1] / 255.0f, state.BackColor[2] / 255.0f,
                  0.0f);
    gl.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl.ShadeModel(GL_SMOOTH);
    gl.DepthFunc(GL_LEQUAL);
    gl.Enable(GL_DEPTH_TEST);

    gl.MatrixMode(GL_PROJECTION);
    gl.LoadIdentity();
    const TDepthRange depth = DepthRangeOf(list, state.Camera, state.Orthographic);
    if (state.Orthographic)
        MultiplyOrthographic(gl, state.Camera, state.AspectRatio, depth);
    else
        MultiplyPerspective(gl, state.Camera.ViewAngle, state.AspectRatio, depth.Near, depth.Far);
    gl.MatrixMode(GL_MODELVIEW);
    gl.LoadIdentity();
    gl.Viewport(0, 0, picture.Width, picture.Height);

    const TCamera& camera = state.Camera;
    gl.Rotatef(GLfloat(camera.Pitch), 1, 0, 0);
    gl.Rotatef(GLfloat(camera.Yaw), 0, 1, 0);
    gl.Translatef(GLfloat(-camera.EyePoint[0]), GLfloat(-camera.EyePoint[1]), GLfloat(-camera.EyePoint[2]));
    SetCutPlane(gl, list, state.CutHeight);

    gl.Enable(GL_NORMALIZE);
    SetLight(gl);
    gl.Enable(GL_LIGHTING);
    gl.Enable(GL_LIGHT0);
    gl.PolygonMode(GL_FRONT, GL_FILL);
    gl.PolygonMode(GL_BACK, GL_FILL);

    gl.ColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    gl.Enable(GL_COLOR_MATERIAL);
    gl.EnableClientState(GL_VERTEX_ARRAY);
    gl.EnableClientState(GL_COLOR_ARRAY);
    DrawFaces(gl, list, faces, state.FlatShading);
    if (state.Marker)
        DrawSpotMarker(gl, *state.Marker);
    gl.DisableClientState(GL_VERTEX_ARRAY);
    gl.DisableClientState(GL_COLOR_ARRAY);

    // The picture is complete before the context closes.
    gl.Finish();
    gl.Flush();
    context.DestroyContext();
    return drawn;
}
