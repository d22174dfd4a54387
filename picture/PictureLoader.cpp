#include "picture/PictureLoader.h"

#include "picture/ColourRef.h"

#include "core/layout/LampScanner.h"

#include <QImage>
#include <QImageReader>
#include <QString>

namespace lumaro {

namespace {

// More pixels than the loader keeps, or more bytes than the reader's
// allocation limit lets it take for an image of that format.
bool TooLarge(const QSize& size, QImage::Format format)
{
    const std::int64_t w = size.width(), h = size.height();
    if (w * h > kMaxPicturePixels)
        return true;
    const std::int64_t limitMb = QImageReader::allocationLimit();
    if (limitMb <= 0)
        return false;
    const std::int64_t depth =
        format == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(format).bitsPerPixel();
    const std::int64_t bytesPerLine = (w * depth + 31) / 32 * 4;
    return bytesPerLine * h > limitMb * 1024 * 1024;
}

Status TooLargeFailure(const std::string& path, const QSize& size)
{
    const std::string w = std::to_string(size.width()), h = std::to_string(size.height());
    return Status::Fail(kPictureTooLargeKey,
                        path + ": the picture is " + w + " x " + h + " pixels, too large to read", {w, h});
}

} // namespace

Result<CScaledPicture> LoadPicture(const std::string& path)
{
    QImageReader reader(QString::fromStdString(path));
    // Whatever the file says about its orientation, the scan sees the pixels as stored.
    reader.setAutoTransform(false);
    // The header's size, known before any pixel memory is taken.
    if (const QSize size = reader.size(); size.isValid() && TooLarge(size, reader.imageFormat()))
        return TooLargeFailure(path, size);
    const QImage image = reader.read();
    if (image.isNull())
        return Status::Fail(CLampScanner::kNoPictureKey, path + ": " + reader.errorString().toStdString());
    // A format whose header does not tell the size.
    if (TooLarge(image.size(), image.format()))
        return TooLargeFailure(path, image.size());
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
            pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)] =
                ColourRefFromRgb(row[x]);
        }
    }
    return CScaledPicture(w, h, std::move(pixels));
}

} // namespace lumaro
