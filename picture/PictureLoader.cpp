#include "picture/PictureLoader.h"

#include "core/layout/LampScanner.h"

#include <QImage>
#include <QImageReader>
#include <QString>

namespace lumaro {

Result<CScaledPicture> LoadPicture(const std::string& path)
{
    QImageReader reader(QString::fromStdString(path));
    // Whatever the file says about its orientation, the scan sees the pixels as stored.
    reader.setAutoTransform(false);
    const QImage image = reader.read();
    if (image.isNull())
        return Status::Fail(CLampScanner::kNoPictureKey, path + ": " + reader.errorString().toStdString());
    return PictureFromImage(image);
}

CScaledPicture PictureFromImage(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb c = row[x];
            // Windows colour values: red in the low byte.
            pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)] =
                static_cast<std::uint32_t>(qRed(c)) | (static_cast<std::uint32_t>(qGreen(c)) << 8)
                | (static_cast<std::uint32_t>(qBlue(c)) << 16);
        }
    }
    return CScaledPicture(w, h, std::move(pixels));
}

} // namespace lumaro
