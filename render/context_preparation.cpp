#include "render/context_preparation.h"

#include "render/gl_functions.h"

#include <thread>

namespace
{

OSMesaContext PreparedContext = nullptr;

// Joined when the program ends, should no render have taken the context.
std::jthread Preparation;

void PrepareContext()
{
    if (const TGLFunctions* gl = GLFunctions())
        PreparedContext = gl->CreateContextExt(OSMESA_BGRA, 0, 0, 0, nullptr);
}

} // namespace

void StartPreparingContext()
{
    if (!Preparation.joinable())
        Preparation = std::jthread(PrepareContext);
}

OSMesaContext TakePreparedContext()
{
    if (Preparation.joinable())
        Preparation.join();
    OSMesaContext context = PreparedContext;
    PreparedContext = nullptr;
    return context;
}
