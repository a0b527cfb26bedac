#include "render/draw_target.h"

#include "render/gl_functions.h"

namespace
{

void Storage(const TGLFunctions& gl, GLenum format, int width, int height, int samples)
{
    if (samples > 1)
        gl.RenderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, width, height);
    else
        gl.RenderbufferStorage(GL_RENDERBUFFER, format, width, height);
}

} // namespace

bool OpenDrawTarget(TDrawTarget& target, int colorBits, int width, int height, int samples)
{
    const TGLFunctions& gl = *GLFunctions();
    gl.GenRenderbuffers(1, &target.ColorBuffer);
    gl.BindRenderbuffer(GL_RENDERBUFFER, target.ColorBuffer);
    Storage(gl, colorBits <= 16 ? GL_RGB565 : GL_RGB8, width, height, samples);

    gl.GenRenderbuffers(1, &target.DepthBuffer);
    gl.BindRenderbuffer(GL_RENDERBUFFER, target.DepthBuffer);
    Storage(gl, GL_DEPTH_COMPONENT32, width, height, samples);

    gl.GenFramebuffers(1, &target.Framebuffer);
    gl.BindFramebuffer(GL_FRAMEBUFFER, target.Framebuffer);
    gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, target.ColorBuffer);
    gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, target.DepthBuffer);
    // Too large a target leaves the storage unmade: out of memory.
    return gl.GetError() == GL_NO_ERROR &&
           gl.CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

void CloseDrawTarget(TDrawTarget& target)
{
    const TGLFunctions& gl = *GLFunctions();
    gl.BindFramebuffer(GL_FRAMEBUFFER, 0);
    gl.DeleteFramebuffers(1, &target.Framebuffer);
    const GLuint buffers[] = {target.ColorBuffer, target.DepthBuffer};
    gl.DeleteRenderbuffers(2, buffers);
    target = {};
}

void CopyToContextBuffer(const TDrawTarget& target, int width, int height)
{
    const TGLFunctions& gl = *GLFunctions();
    // The target has no alpha, so the copy gives every pixel an opaque X byte.
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, target.Framebuffer);
    gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    gl.BlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    gl.Finish();
}
