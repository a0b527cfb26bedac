#include "app/button_images.h"

#include <QImage>

namespace
{

constexpr int ImageSize = 16;

} // namespace

QPixmap FlatButtonImage()
{
    QImage image(ImageSize, ImageSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    return QPixmap::fromImage(image);
}

QPixmap GradButtonImage()
{
    QImage image(ImageSize, ImageSize, QImage::Format_RGB32);
    for (int y = 0; y < ImageSize; ++y)
        for (int x = 0; x < ImageSize; ++x)
        {
            const int grey = (x + y) * 8; // 0 at the top left, 240 at the bottom right
            image.setPixel(x, y, qRgb(grey, grey, grey));
        }
    return QPixmap::fromImage(image);
}
