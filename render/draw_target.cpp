#include "render/draw_target.h"

#include <GL/glext.h>

bool OpenDrawTarget(TDrawTarget& target, int colorBits, int width, int height)
{
    glGenRenderbuffers(1, &target.ColorBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, target.ColorBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, colorBits <= 16 ? GL_RGB565 : GL_RGB8, width, height);

    glGenRenderbuffers(1, &target.DepthBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, target.DepthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT32, width, height);

    glGenFramebuffers(1, &target.Framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, target.Framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, target.ColorBuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, target.DepthBuffer);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

void CopyToContextBuffer(const TDrawTarget& target, int width, int height)
{
    // The target has no alpha, so the copy gives every pixel an opaque X byte.
    glBindFramebuffer(GL_READ_FRAMEBUFFER, target.Framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glFinish();
}
