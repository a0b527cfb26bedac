#include "render/picture.h"

namespace
{

constexpr uint32_t White = 0xFFFFFFFFu;
constexpr uint32_t Black = 0xFF000000u;

} // namespace

void PaintFramedWhite(TPicture& picture)
{
    picture.Pixels.assign(TPicture::Width * TPicture::Height, White);
    for (int x = 0; x < TPicture::Width; ++x)
    {
        picture.Pixels[x] = Black;
        picture.Pixels[(TPicture::Height - 1) * TPicture::Width + x] = Black;
    }
    for (int y = 0; y < TPicture::Height; ++y)
    {
        picture.Pixels[y * TPicture::Width] = Black;
        picture.Pixels[y * TPicture::Width + TPicture::Width - 1] = Black;
    }
}
