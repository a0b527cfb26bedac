#pragma once

#include <GL/gl.h>

// The framebuffer a render draws into inside the OSMesa context: OSMesa's own
// buffers give no more than 24 depth bits, this one has the 32 asked for.
struct TDrawTarget
{
    GLuint Framebuffer = 0;
    GLuint ColorBuffer = 0;
    GLuint DepthBuffer = 0;
};

// In the current context: creates a width by height target with colour as
// deep as colorBits (16 or less: 5-6-5, otherwise 8 bits a channel, no alpha)
// and a 32-bit depth buffer, with samples samples a pixel (1: a plain
// target), and draws into it from now on. False when the implementation cannot
// draw into such a target. Its objects go with the context.
bool OpenDrawTarget(TDrawTarget& target, int colorBits, int width, int height, int samples);

// Deletes the target's objects in the current context, which is kept for the
// next render.
void CloseDrawTarget(TDrawTarget& target);

// Copies the target's colour into the context's own buffer, the picture, each
// pixel the mean of its samples, and waits until it is there.
void CopyToContextBuffer(const TDrawTarget& target, int width, int height);
