#include "render/context_preparation.h"

#include "render/gl_canvas_context.h"
#include "render/gl_functions.h"
#include "render/render_view.h"

namespace
{

// Renders one square in a context of its own and keeps the context: llvmpipe
// compiles its shaders for the render state at the first draw, and every
// render sets the same state, so the first real render finds them compiled.
OSMesaContext PrepareOnThisThread(int screenColorDepth, int samples)
{
    const TGLFunctions* gl = GLFunctions();
    if (!gl)
        return nullptr;
    TGLCanvasContext canvas;
    canvas.RC = gl->CreateContextExt(OSMESA_BGRA, 0, 0, 0, nullptr);
    if (!canvas.RC)
        return nullptr;
    canvas.ScreenColorDepth = screenColorDepth;
    canvas.Samples = samples;
    TRenderState state;
    state.DrawList.Faces.push_back({{1, 1, 1}, {0.5f, 0.5f, 0.5f}, 0, 4, 0, 0});
    // 5000 in front of the default camera's eye, 2000 wide.
    state.DrawList.Vertices = {
        {4000, 1000, 55000}, {6000, 1000, 55000}, {6000, 3000, 55000}, {4000, 3000, 55000}};
    TPicture picture;
    RenderView(canvas, picture, state);
    OSMesaContext prepared = canvas.RC;
    canvas.RC = nullptr; // handed over, not destroyed with the canvas
    return prepared;
}

} // namespace

std::future<OSMesaContext> PrepareContext(int screenColorDepth, int samples)
{
    return std::async(std::launch::async, PrepareOnThisThread, screenColorDepth, samples);
}
