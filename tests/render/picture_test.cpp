#include "tests/render/render_helpers.h"

#include <gtest/gtest.h>

TEST(PaintFramedWhite, WhiteInsideAOnePixelBlackFrame)
{
    TPicture picture;
    picture.Pixels.assign(picture.Pixels.size(), Rgb(1, 2, 3));
    PaintFramedWhite(picture);
    int wrong = 0;
    for (int y = 0; y < picture.Height; ++y)
        for (int x = 0; x < picture.Width; ++x)
        {
            const bool edge = x == 0 || y == 0 || x == picture.Width - 1 || y == picture.Height - 1;
            wrong += PixelAt(picture, x, y) != (edge ? Rgb(0, 0, 0) : Rgb(255, 255, 255));
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(picture.Pixels.size(), 400u * 300u);
}
