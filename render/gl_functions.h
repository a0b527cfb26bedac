#pragma once

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/osmesa.h>

// The OpenGL and OSMesa entry points the render pass calls. OSMesa, and the
// 100 MB LLVM of its llvmpipe driver, is loaded with the first picture rather
// than at program start, so that a run that draws nothing never pays for it.
#define KV_GL_FUNCTIONS(X)                                                                                   \
    X(BindFramebuffer)                                                                                       \
    X(BindRenderbuffer)                                                                                      \
    X(BlitFramebuffer)                                                                                       \
    X(CheckFramebufferStatus)                                                                                \
    X(Clear)                                                                                                 \
    X(ClearColor)                                                                                            \
    X(ClipPlane)                                                                                             \
    X(ColorMaterial)                                                                                         \
    X(ColorPointer)                                                                                          \
    X(DeleteFramebuffers)                                                                                    \
    X(DeleteRenderbuffers)                                                                                   \
    X(DepthFunc)                                                                                             \
    X(Disable)                                                                                               \
    X(DisableClientState)                                                                                    \
    X(DrawArrays)                                                                                            \
    X(Enable)                                                                                                \
    X(EnableClientState)                                                                                     \
    X(Finish)                                                                                                \
    X(Flush)                                                                                                 \
    X(FramebufferRenderbuffer)                                                                               \
    X(GenFramebuffers)                                                                                       \
    X(GenRenderbuffers)                                                                                      \
    X(GetError)                                                                                              \
    X(GetString)                                                                                             \
    X(Lightf)                                                                                                \
    X(Lightfv)                                                                                               \
    X(LineWidth)                                                                                             \
    X(LoadIdentity)                                                                                          \
    X(MatrixMode)                                                                                            \
    X(MultMatrixd)                                                                                           \
    X(MultiDrawArrays)                                                                                       \
    X(Ortho)                                                                                                 \
    X(PointSize)                                                                                             \
    X(PolygonMode)                                                                                           \
    X(RenderbufferStorage)                                                                                   \
    X(RenderbufferStorageMultisample)                                                                        \
    X(Rotatef)                                                                                               \
    X(ShadeModel)                                                                                            \
    X(Translatef)                                                                                            \
    X(VertexPointer)                                                                                         \
    X(Viewport)

#define KV_OSMESA_FUNCTIONS(X)                                                                               \
    X(CreateContextExt)                                                                                      \
    X(DestroyContext)                                                                                        \
    X(MakeCurrent)                                                                                           \
    X(PixelStore)

// Each field is named after its function without the "gl" or "OSMesa" prefix.
struct TGLFunctions
{
#define KV_GL_FIELD(name)                                                                                    \
    decltype(&::gl##name) name = nullptr; // NOLINT(bugprone-macro-parentheses): a field name
#define KV_OSMESA_FIELD(name)                                                                                \
    decltype(&::OSMesa##name) name = nullptr; // NOLINT(bugprone-macro-parentheses): a field name
    KV_GL_FUNCTIONS(KV_GL_FIELD)
    KV_OSMESA_FUNCTIONS(KV_OSMESA_FIELD)
#undef KV_GL_FIELD
#undef KV_OSMESA_FIELD
};

// OSMesa's entry points, loaded on the first call; null when OSMesa cannot be
// loaded (the reason is written to standard error once).
const TGLFunctions* GLFunctions();
