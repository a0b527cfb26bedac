#include "render/draw_target.h"

#include <GL/glext.h>

namespace
{

void Storage(GLenum format, int width, int height, int samples)
{
    if (samples > 1)
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, width, height);
    else
        glRenderbufferStorage(GL_RENDERBUFFER, format, width, height);
}

} // namespace

bool OpenDrawTarget(TDrawTarget& target, int colorBits, int width, int height, int samples)
{
    glGenRenderbuffers(1, &target.ColorBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, target.ColorBuffer);
    Storage(colorBits <= 16 ? GL_RGB565 : GL_RGB8, width, height, samples);

    glGenRenderbuffers(1, &target.DepthBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, target.DepthBuffer);
    Storage(GL_DEPTH_COMPONENT32, width, height, samples);

    glGenFramebuffers(1, &target.Framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, target.Framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, target.ColorBuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, target.DepthBuffer);
    // Too large a target leaves the storage unmade: out of memory.
    return glGetError() == GL_NO_ERROR && glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

void CopyToContextBuffer(const TDrawTarget& target, int width, int height)
{
    // The target has no alpha, so the copy gives every pixel an opaque X byte.
    glBindFramebuffer(GL_READ_FRAMEBUFFER, target.Framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glFinish();
}
