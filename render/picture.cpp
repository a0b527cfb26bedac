#include "render/picture.h"

#include <cstddef>

namespace
{

constexpr uint32_t White = 0xFFFFFFFFu;
constexpr uint32_t Black = 0xFF000000u;

} // namespace

void PaintFramedWhite(TPicture& picture)
{
    picture.Pixels.assign(std::size_t(picture.Width) * picture.Height, White);
    for (int x = 0; x < picture.Width; ++x)
    {
        picture.Pixels[x] = Black;
        picture.Pixels[(picture.Height - 1) * picture.Width + x] = Black;
    }
    for (int y = 0; y < picture.Height; ++y)
    {
        picture.Pixels[y * picture.Width] = Black;
        picture.Pixels[y * picture.Width + picture.Width - 1] = Black;
    }
}
