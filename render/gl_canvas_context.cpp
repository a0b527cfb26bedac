#include "render/gl_canvas_context.h"

#include "render/gl_functions.h"

#include <cstddef>
#include <cstdio>

namespace
{

// Makes rc current on the picture's pixels, row 0 at the top, and opens the
// draw target. False when any step fails; rc is then not current.
bool MakeCurrentOnPicture(const TGLFunctions& gl, OSMesaContext rc, TPicture* picture, int colorBits,
                          int samples, TDrawTarget& target)
{
    if (!rc || !picture || picture->Width <= 0 || picture->Height <= 0 ||
        picture->Pixels.size() != std::size_t(picture->Width) * std::size_t(picture->Height))
        return false;
    if (!gl.MakeCurrent(rc, picture->Pixels.data(), GL_UNSIGNED_BYTE, picture->Width, picture->Height))
        return false;
    gl.PixelStore(OSMESA_Y_UP, 0);
    // A null renderer means the gl calls reach another libGL than OSMesa's,
    // which silently drops them all: the executable is linked wrongly.
    if (!gl.GetString(GL_RENDERER))
    {
        std::fputs("Kestrelview: OpenGL calls do not reach OSMesa; nothing can be drawn.\n", stderr);
        gl.MakeCurrent(nullptr, nullptr, 0, 0, 0);
        return false;
    }
    if (!OpenDrawTarget(target, colorBits, picture->Width, picture->Height, samples))
    {
        gl.MakeCurrent(nullptr, nullptr, 0, 0, 0);
        return false;
    }
    return true;
}

} // namespace

void TGLCanvasContext::BeginDraw(TPicture* dc)
{
    CreateContext(dc, PFD_DRAW_TO_BITMAP | PFD_SUPPORT_OPENGL);
}

// An OSMesa context always draws into memory with OpenGL, which is all the
// flags can ask for; the colour depth comes from the screen, not the picture.
void TGLCanvasContext::CreateContext(TPicture* dc, [[maybe_unused]] unsigned flags)
{
    if (Active)
        return;
    const int colorBits = ScreenColorDepth & 0xFF;
    DC = dc;
    Target = {};
    const TGLFunctions* gl = GLFunctions();
    if (!gl)
        return;
    if (!RC && Prepared.valid())
        RC = Prepared.get();
    if (!RC)
        RC = gl->CreateContextExt(OSMESA_BGRA, 0, 0, 0, nullptr);
    Active = MakeCurrentOnPicture(*gl, RC, DC, colorBits, Samples, Target);
    // A context that could not be made current is of no use to anyone.
    if (!Active && RC)
    {
        gl->DestroyContext(RC);
        RC = nullptr;
    }
}

void TGLCanvasContext::ReleaseCurrent()
{
    if (Active)
        GLFunctions()->MakeCurrent(nullptr, nullptr, 0, 0, 0);
}

void TGLCanvasContext::DestroyContext()
{
    if (!Active)
        return;
    CopyToContextBuffer(Target, DC->Width, DC->Height);
    CloseDrawTarget(Target);
    ReleaseCurrent();
    Active = false;
}

// A preparation no render took is waited for here, so that its thread has
// ended before the libraries' own clean-up at exit.
TGLCanvasContext::~TGLCanvasContext()
{
    ReleaseCurrent();
    if (Prepared.valid())
        if (OSMesaContext unused = Prepared.get())
            GLFunctions()->DestroyContext(unused);
    if (RC)
        GLFunctions()->DestroyContext(RC);
}
