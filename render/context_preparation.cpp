#include "render/context_preparation.h"

#include "render/gl_functions.h"
#include "render/render_view.h"

#include <thread>

namespace
{

OSMesaContext PreparedContext = nullptr;

std::thread Preparation;

// Renders one square in a context of its own and keeps the context: llvmpipe
// compiles its shaders for the render state at the first draw, and every
// render sets the same state, so the first real render finds them compiled.
void PrepareContext(int screenColorDepth, int samples)
{
    const TGLFunctions* gl = GLFunctions();
    if (!gl)
        return;
    TGLCanvasContext canvas;
    // Made here, so that the render below does not wait for this very thread.
    canvas.RC = gl->CreateContextExt(OSMESA_BGRA, 0, 0, 0, nullptr);
    if (!canvas.RC)
        return;
    canvas.ScreenColorDepth = screenColorDepth;
    canvas.Samples = samples;
    TRenderState state;
    state.DrawList.Faces.push_back({{1, 1, 1}, {0.5f, 0.5f, 0.5f}, 0, 4, 0, 0});
    // 5000 in front of the default camera's eye, 2000 wide.
    state.DrawList.Vertices = {
        {4000, 1000, 55000}, {6000, 1000, 55000}, {6000, 3000, 55000}, {4000, 3000, 55000}};
    TPicture picture;
    RenderView(canvas, picture, state);
    PreparedContext = canvas.RC;
    canvas.RC = nullptr; // handed over, not destroyed with the canvas
}

} // namespace

TContextPreparation::TContextPreparation(int screenColorDepth, int samples)
{
    if (!Preparation.joinable())
        Preparation = std::thread(PrepareContext, screenColorDepth, samples);
}

TContextPreparation::~TContextPreparation()
{
    if (OSMesaContext unused = TakePreparedContext())
        GLFunctions()->DestroyContext(unused);
}

OSMesaContext TakePreparedContext()
{
    if (Preparation.joinable())
        Preparation.join();
    OSMesaContext context = PreparedContext;
    PreparedContext = nullptr;
    return context;
}
