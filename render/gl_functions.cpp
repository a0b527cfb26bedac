#include "render/gl_functions.h"

#include <dlfcn.h>

#include <cstdio>
#include <type_traits>

namespace
{

// The library is opened privately and every entry point is taken from it, so
// that glvnd's libOpenGL, which Qt brings in, never receives a call meant for
// OSMesa.
const TGLFunctions* Load()
{
    void* library = dlopen(KV_OSMESA_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (!library)
    {
        std::fprintf(stderr, "Kestrelview: %s\n", dlerror());
        return nullptr;
    }
    static TGLFunctions functions;
    bool complete = true;
    const auto take = [&](auto& field, const char* symbol)
    {
        field = reinterpret_cast<std::remove_reference_t<decltype(field)>>(dlsym(library, symbol));
        if (!field)
        {
            std::fprintf(stderr, "Kestrelview: %s has no %s\n", KV_OSMESA_LIBRARY, symbol);
            complete = false;
        }
    };
#define KV_TAKE_GL(name) take(functions.name, "gl" #name);
#define KV_TAKE_OSMESA(name) take(functions.name, "OSMesa" #name);
    KV_GL_FUNCTIONS(KV_TAKE_GL)
    KV_OSMESA_FUNCTIONS(KV_TAKE_OSMESA)
#undef KV_TAKE_GL
#undef KV_TAKE_OSMESA
    return complete ? &functions : nullptr;
}

} // namespace

const TGLFunctions* GLFunctions()
{
    static const TGLFunctions* const functions = Load();
    return functions;
}
