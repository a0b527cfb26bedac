#include "start/picture_file.h"

#include "common/errors.h"
#include "common/file_ending.h"
#include "common/output_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

void WritePicture(const TPicture& picture, const std::string& path, TPictureFormat format)
{
    // The pixels are already in QImage's RGB32 layout. Qt's BMP writer takes
    // that layout as it is and writes 24 bits a pixel; the PNG gets 24 bits.
    const QImage image(reinterpret_cast<const uchar*>(picture.Pixels.data()), picture.Width, picture.Height,
                       picture.Width * 4, QImage::Format_RGB32);
    const bool png = format == TPictureFormat::ByName && HasEnding(path, ".png");
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) ||
        !(png ? image.convertToFormat(QImage::Format_RGB888).save(&buffer, "PNG")
              : image.save(&buffer, "BMP")))
        throw FileCreateError(path);
    WriteOutputFile(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}
