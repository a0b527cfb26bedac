#include "render/context_preparation.h"
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

// What the context draws lands in the picture's own pixels, render after
// render, and no context stays current once it is destroyed; the same with a
// context prepared on another thread, which the first render takes.
TEST(TGLCanvasContext, DrawsIntoThePicturesPixels)
{
    for (bool prepared : {false, true})
    {
        TPicture picture;
        TGLCanvasContext context;
        if (prepared)
            context.Prepared = PrepareContext(32, 1);
        for (uint32_t colour : {Rgb(255, 0, 0), Rgb(0, 0, 255)})
        {
            context.BeginDraw(&picture);
            ASSERT_NE(OSMesaGetCurrentContext(), nullptr);
            // The gl calls reach OSMesa, not another libGL that would drop them.
            EXPECT_NE(glGetString(GL_RENDERER), nullptr);
            glClearColor(Red(colour) / 255.0f, Green(colour) / 255.0f, Blue(colour) / 255.0f, 1);
            glClear(GL_COLOR_BUFFER_BIT);
            CopyToContextBuffer(context.Target, picture.Width, picture.Height);
            EXPECT_EQ(picture.Pixels[0], colour);
            EXPECT_EQ(picture.Pixels.back(), colour);
            context.DestroyContext();
            EXPECT_EQ(OSMesaGetCurrentContext(), nullptr);
        }
        EXPECT_FALSE(context.Prepared.valid());
    }
}

TEST(TGLCanvasContext, InactiveObjectLeavesOtherContextsAlone)
{
    TPicture picture;
    TGLCanvasContext other;
    other.BeginDraw(&picture);
    OSMesaContext current = OSMesaGetCurrentContext();
    ASSERT_NE(current, nullptr);

    TGLCanvasContext idle;
    idle.ReleaseCurrent();
    EXPECT_EQ(OSMesaGetCurrentContext(), current);
    idle.DestroyContext();
    EXPECT_EQ(OSMesaGetCurrentContext(), current);
    idle.BeginDraw(nullptr); // no picture: nothing to bind
    EXPECT_EQ(OSMesaGetCurrentContext(), current);

    other.DestroyContext();
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
