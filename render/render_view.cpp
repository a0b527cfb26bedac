#include "render/render_view.h"

#include <GL/glu.h>

#include <cstddef>

namespace
{

constexpr double NearPlane = 500;
constexpr double FarPlane = 50000;

// The one point light, a fixed point of the scene.
void SetLight()
{
    const GLfloat ambient[] = {0.7f, 0.7f, 0.7f, 1.0f};
    const GLfloat diffuse[] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat specular[] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat position[] = {79000.0f, 6000.0f, 21000.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, 0.000005f);
}

void SetMaterial(const double (&color)[3])
{
    const GLfloat rgba[] = {GLfloat(color[0]), GLfloat(color[1]), GLfloat(color[2]), 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, rgba);
}

// Smooth shading lights the fourth vertex on with the darker colour, so a face
// of four or more corners shows a gradient; flat shading keeps one colour.
void DrawFace(const DrawPolygon& face, bool flatShading)
{
    glBegin(GL_POLYGON);
    SetMaterial(face.FaceColor);
    for (std::size_t i = 0; i < face.VertexList.size(); ++i)
    {
        if (i == 3 && !flatShading)
            SetMaterial(face.ShadeColor);
        const auto& v = face.VertexList[i];
        glVertex3d(v[0], v[1], v[2]);
    }
    glEnd();
}

// A face that is not convex, as triangles: each corner is lit with the colour
// of the face vertex it stands for.
void DrawTriangles(const DrawPolygon& face, bool flatShading)
{
    glBegin(GL_TRIANGLES);
    SetMaterial(face.FaceColor);
    bool shaded = false;
    for (const DrawCorner& corner : face.Triangles)
    {
        const bool shade = corner.ColorVertex >= 3 && !flatShading;
        if (shade != shaded)
            SetMaterial(shade ? face.ShadeColor : face.FaceColor);
        shaded = shade;
        glVertex3d(corner.Position[0], corner.Position[1], corner.Position[2]);
    }
    glEnd();
}

} // namespace

bool RenderView(TGLCanvasContext& context, TPicture& picture, const TRenderState& state)
{
    context.BeginDraw(&picture);
    const bool drawn = context.Active;

    glClearColor(state.BackColor[0] / 255.0f, state.BackColor[1] / 255.0f, state.BackColor[2] / 255.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glShadeModel(GL_SMOOTH);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(state.Camera.ViewAngle, state.AspectRatio, NearPlane, FarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glViewport(0, 0, picture.Width, picture.Height);

    const TCamera& camera = state.Camera;
    glRotatef(GLfloat(camera.Pitch), 1, 0, 0);
    glRotatef(GLfloat(camera.Yaw), 0, 1, 0);
    glTranslatef(GLfloat(-camera.EyePoint[0]), GLfloat(-camera.EyePoint[1]), GLfloat(-camera.EyePoint[2]));

    glEnable(GL_NORMALIZE);
    SetLight();
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glPolygonMode(GL_FRONT, GL_FILL);
    glPolygonMode(GL_BACK, GL_FILL);

    for (const DrawPolygon& face : state.DrawList)
    {
        if (face.Triangles.empty())
            DrawFace(face, state.FlatShading);
        else
            DrawTriangles(face, state.FlatShading);
    }

    // The picture is complete before the context closes.
    glFinish();
    glFlush();
    context.DestroyContext();
    return drawn;
}
