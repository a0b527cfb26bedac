#include "start/picture_file.h"

#include "common/errors.h"

#include <QImage>
#include <QSaveFile>
#include <QString>

void WritePicture(const TPicture& picture, const std::string& path, TPictureFormat format)
{
    // The pixels are already in QImage's RGB32 layout; the BMP takes 24 bits.
    QImage image(reinterpret_cast<const uchar*>(picture.Pixels.data()), TPicture::Width, TPicture::Height,
                 TPicture::Width * 4, QImage::Format_RGB32);
    QImage rgb = image.convertToFormat(QImage::Format_RGB888);

    QString name = QString::fromLocal8Bit(path.c_str());
    const bool png = format == TPictureFormat::ByName && name.endsWith(".png", Qt::CaseInsensitive);
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly) || !rgb.save(&file, png ? "PNG" : "BMP") || !file.commit())
        throw FileCreateError(path);
}
