#pragma once

#include <cstdint>
#include <vector>

// The picture the window shows, the renders draw into and the save command
// writes: pixels of 32 bits, bytes B, G, R, X in memory (QImage::Format_RGB32),
// row 0 at the top. The window's is 400 by 300; the companion may ask for
// other sizes.
struct TPicture
{
    static constexpr int WindowWidth = 400;
    static constexpr int WindowHeight = 300;
    int Width = WindowWidth;
    int Height = WindowHeight;
    std::vector<uint32_t> Pixels = std::vector<uint32_t>(WindowWidth * WindowHeight, 0xFFFFFFFFu);
};

// The picture before any render, at its Width and Height: white inside a
// one-pixel black frame.
void PaintFramedWhite(TPicture& picture);
