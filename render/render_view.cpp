#include "render/render_view.h"

#include "render/gl_functions.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace
{

constexpr double NearPlane = 500;
constexpr double FarPlane = 50000;

// The one point light, a fixed point of the scene.
void SetLight(const TGLFunctions& gl)
{
    const GLfloat ambient[] = {0.7f, 0.7f, 0.7f, 1.0f};
    const GLfloat diffuse[] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat specular[] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat position[] = {79000.0f, 6000.0f, 21000.0f, 1.0f};
    gl.Lightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    gl.Lightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    gl.Lightfv(GL_LIGHT0, GL_SPECULAR, specular);
    gl.Lightfv(GL_LIGHT0, GL_POSITION, position);
    gl.Lightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, 0.000005f);
}

void SetMaterial(const TGLFunctions& gl, const double (&color)[3])
{
    const GLfloat rgba[] = {GLfloat(color[0]), GLfloat(color[1]), GLfloat(color[2]), 1.0f};
    gl.Materialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, rgba);
}

// Smooth shading lights the fourth vertex on with the darker colour, so a face
// of four or more corners shows a gradient; flat shading keeps one colour.
void DrawFace(const TGLFunctions& gl, const TDrawList& list, const DrawPolygon& face, bool flatShading)
{
    gl.Begin(GL_POLYGON);
    SetMaterial(gl, face.FaceColor);
    const std::array<double, 3>* vertices = list.Vertices.data() + face.FirstVertex;
    for (int32_t i = 0; i < face.VertexCount; ++i)
    {
        if (i == 3 && !flatShading)
            SetMaterial(gl, face.ShadeColor);
        const auto& v = vertices[i];
        gl.Vertex3d(v[0], v[1], v[2]);
    }
    gl.End();
}

// A face that is not convex, as triangles: each corner is lit with the colour
// of the face vertex it stands for.
void DrawTriangles(const TGLFunctions& gl, const TDrawList& list, const DrawPolygon& face, bool flatShading)
{
    gl.Begin(GL_TRIANGLES);
    SetMaterial(gl, face.FaceColor);
    bool shaded = false;
    const DrawCorner* corners = list.Corners.data() + face.FirstCorner;
    for (int32_t i = 0; i < face.CornerCount; ++i)
    {
        const DrawCorner& corner = corners[i];
        const bool shade = corner.ColorVertex >= 3 && !flatShading;
        if (shade != shaded)
            SetMaterial(gl, shade ? face.ShadeColor : face.FaceColor);
        shaded = shade;
        gl.Vertex3d(corner.Position[0], corner.Position[1], corner.Position[2]);
    }
    gl.End();
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

} // namespace

bool RenderView(TGLCanvasContext& context, TPicture& picture, const TRenderState& state)
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
    MultiplyPerspective(gl, state.Camera.ViewAngle, state.AspectRatio, NearPlane, FarPlane);
    gl.MatrixMode(GL_MODELVIEW);
    gl.LoadIdentity();
    gl.Viewport(0, 0, picture.Width, picture.Height);

    const TCamera& camera = state.Camera;
    gl.Rotatef(GLfloat(camera.Pitch), 1, 0, 0);
    gl.Rotatef(GLfloat(camera.Yaw), 0, 1, 0);
    gl.Translatef(GLfloat(-camera.EyePoint[0]), GLfloat(-camera.EyePoint[1]), GLfloat(-camera.EyePoint[2]));

    gl.Enable(GL_NORMALIZE);
    SetLight(gl);
    gl.Enable(GL_LIGHTING);
    gl.Enable(GL_LIGHT0);
    gl.PolygonMode(GL_FRONT, GL_FILL);
    gl.PolygonMode(GL_BACK, GL_FILL);

    for (const DrawPolygon& face : state.DrawList.Faces)
    {
        if (face.CornerCount == 0)
            DrawFace(gl, state.DrawList, face, state.FlatShading);
        else
            DrawTriangles(gl, state.DrawList, face, state.FlatShading);
    }

    // The picture is complete before the context closes.
    gl.Finish();
    gl.Flush();
    context.DestroyContext();
    return drawn;
}
