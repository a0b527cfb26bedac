#include "tests/render/render_helpers.h"

#include <gtest/gtest.h>

namespace
{

GLint Integer(GLenum name)
{
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}

} // namespace

TEST(TGLCanvasContext, BeginDrawBindsAFreshContextToThePicture)
{
    TPicture picture;
    TGLCanvasContext context;
    EXPECT_FALSE(context.Active);
    context.BeginDraw(&picture);
    ASSERT_TRUE(context.Active);
    EXPECT_EQ(context.DC, &picture);
    EXPECT_EQ(OSMesaGetCurrentContext(), context.RC);
    // The gl calls reach OSMesa, not another libGL that would drop them.
    EXPECT_NE(glGetString(GL_RENDERER), nullptr);

    const OSMesaContext rc = context.RC;
    const GLuint framebuffer = context.Target.Framebuffer;
    context.BeginDraw(&picture); // no new context, no new target
    EXPECT_TRUE(context.Active);
    EXPECT_EQ(context.RC, rc);
    EXPECT_EQ(context.Target.Framebuffer, framebuffer);
    EXPECT_EQ(OSMesaGetCurrentContext(), rc);

    context.DestroyContext();
    EXPECT_FALSE(context.Active);
    EXPECT_EQ(context.RC, nullptr);
    EXPECT_EQ(OSMesaGetCurrentContext(), nullptr);
}

TEST(TGLCanvasContext, InactiveObjectLeavesOtherContextsAlone)
{
    TPicture picture;
    TGLCanvasContext other;
    other.BeginDraw(&picture);
    ASSERT_TRUE(other.Active);

    TGLCanvasContext idle;
    idle.ReleaseCurrent();
    EXPECT_EQ(OSMesaGetCurrentContext(), other.RC);
    idle.DestroyContext();
    EXPECT_EQ(OSMesaGetCurrentContext(), other.RC);
    EXPECT_FALSE(idle.Active);

    other.DestroyContext();
}

TEST(TGLCanvasContext, ReleaseCurrentDetachesButKeepsActive)
{
    TPicture picture;
    TGLCanvasContext context;
    context.BeginDraw(&picture);
    context.ReleaseCurrent();
    EXPECT_EQ(OSMesaGetCurrentContext(), nullptr);
    EXPECT_TRUE(context.Active);
    context.DestroyContext();
    EXPECT_FALSE(context.Active);
}

TEST(TGLCanvasContext, NoPictureMeansNoContext)
{
    TGLCanvasContext context;
    context.BeginDraw(nullptr);
    EXPECT_FALSE(context.Active);
    EXPECT_EQ(context.RC, nullptr);
    EXPECT_EQ(OSMesaGetCurrentContext(), nullptr);
}

TEST(TGLCanvasContext, NothingIsCurrentAfterARender)
{
    TPicture picture;
    TGLCanvasContext context;
    RenderView(context, picture, LookingAlongMinusZ());
    EXPECT_FALSE(context.Active);
    EXPECT_EQ(OSMesaGetCurrentContext(), nullptr);
}

TEST(TGLCanvasContext, ColourAsDeepAsTheScreenAndA32BitDepthBuffer)
{
    struct
    {
        int ScreenDepth;
        GLint Red, Green, Blue;
    } cases[] = {{16, 5, 6, 5}, {24, 8, 8, 8}, {32, 8, 8, 8}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.ScreenDepth);
        TPicture picture;
        TGLCanvasContext context;
        context.ScreenColorDepth = c.ScreenDepth;
        context.BeginDraw(&picture);
        ASSERT_TRUE(context.Active);
        EXPECT_EQ(Integer(GL_RED_BITS), c.Red);
        EXPECT_EQ(Integer(GL_GREEN_BITS), c.Green);
        EXPECT_EQ(Integer(GL_BLUE_BITS), c.Blue);
        EXPECT_EQ(Integer(GL_ALPHA_BITS), 0);
        EXPECT_GE(Integer(GL_DEPTH_BITS), 32); // OSMesa alone would give 24
        EXPECT_EQ(Integer(GL_STENCIL_BITS), 0);
        context.DestroyContext();
    }
}

TEST(TGLCanvasContext, SixteenBitScreenGivesSixteenBitColours)
{
    TRenderState state = LookingAlongMinusZ();
    state.BackColor = {10, 128, 255};
    const uint32_t deep = Rendered(state, 32).Pixels[0];
    const uint32_t shallow = Rendered(state, 16).Pixels[0];
    EXPECT_EQ(deep, Rgb(10, 128, 255));
    EXPECT_NE(shallow, deep);
    EXPECT_NEAR(Red(shallow), 10, 8);
    EXPECT_NEAR(Green(shallow), 128, 4);
    EXPECT_EQ(Blue(shallow), 255);
}
