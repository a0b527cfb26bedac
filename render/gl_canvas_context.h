#pragma once

#include "render/picture.h"

#include <GL/osmesa.h>

// Binds an off-screen OpenGL context to a picture's pixels for one render.
class TGLCanvasContext
{
public:
    TPicture* DC = nullptr;    // the picture the context draws into
    OSMesaContext RC = nullptr; // the OpenGL context
    bool Active = false;       // RC made current by this object and not yet deleted

    // Colour depth of the screen the picture is shown on; 32 without a screen.
    int ScreenColorDepth = 32;

    void BeginDraw(TPicture* dc);
    void CreateContext(TPicture* dc, unsigned flags);
    void ReleaseCurrent();
    void DestroyContext();
};
