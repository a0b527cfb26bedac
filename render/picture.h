#pragma once

#include <cstdint>
#include <vector>

// The picture the window shows, the renders draw into and the save command
// writes: 400 by 300 pixels of 32 bits, bytes B, G, R, X in memory
// (QImage::Format_RGB32), row 0 at the top.
struct TPicture
{
    static constexpr int Width = 400;
    static constexpr int Height = 300;
    std::vector<uint32_t> Pixels = std::vector<uint32_t>(Width * Height, 0xFFFFFFFFu);
};

// The picture before any render: white inside a one-pixel black frame.
void PaintFramedWhite(TPicture& picture);
