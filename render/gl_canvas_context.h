#pragma once

#include "render/draw_target.h"
#include "render/picture.h"

#include <GL/osmesa.h>

#include <future>

// Pixel-format flags of a context request: draws into a memory bitmap, and
// supports OpenGL. BeginDraw asks for both (0x28).
inline constexpr unsigned PFD_DRAW_TO_BITMAP = 0x08;
inline constexpr unsigned PFD_SUPPORT_OPENGL = 0x20;

// Binds an off-screen OpenGL context to a picture's pixels for one render.
// The context itself is made (or taken from Prepared) with the first render
// and kept until the object goes: a new one would compile llvmpipe's shaders
// again on every render. DestroyContext ends the render's binding; the
// context stays for the next.
class TGLCanvasContext
{
public:
    TGLCanvasContext() = default;
    TGLCanvasContext(const TGLCanvasContext&) = delete;
    TGLCanvasContext& operator=(const TGLCanvasContext&) = delete;
    ~TGLCanvasContext();

    TPicture* DC = nullptr;     // the picture the context draws into
    OSMesaContext RC = nullptr; // the OpenGL context, kept between renders
    // A context being made on another thread, which the first render waits
    // for and takes instead of making one (render/context_preparation.h).
    std::future<OSMesaContext> Prepared;
    bool Active = false; // RC made current by this object and not yet released

    // Colour depth of the screen the picture is shown on; 32 without a screen.
    int ScreenColorDepth = 32;

    // Samples a pixel of the draw target: 1, or 4 for smoothed edges.
    int Samples = 1;

    // Where the render draws inside RC before it lands in DC's pixels.
    TDrawTarget Target;

    void BeginDraw(TPicture* dc);
    // OSMesa always gives a context that draws into memory with OpenGL, all
    // that flags can ask for, so they choose nothing here.
    void CreateContext(TPicture* dc, unsigned flags);
    void ReleaseCurrent();
    void DestroyContext();
};
