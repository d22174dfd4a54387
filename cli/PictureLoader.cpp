#include "cli/PictureLoader.h"

#include "core/layout/LampScanner.h"

#include <QImage>
#include <QImageReader>
#include <QString>

namespace lumaro::cli {

Result<CScaledPicture> LoadPicture(const std::string& path)
{
    QImageReader reader(QString::fromStdString(path));
    QImage image = reader.read();
    if (image.isNull())
        return Status::Fail(CLampScanner::kNoPictureKey, path + ": " + reader.errorString().toStdString());
    image = image.convertToFormat(QImage::Format_RGB32);
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

} // namespace lumaro::cli
