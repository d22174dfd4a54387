#pragma once

#include "core/app/Status.h"
#include "core/layout/ScaledPicture.h"

#include <cstdint>
#include <string>

class QImage;

namespace lumaro {

// A picture refused for its size; the message shows its width and height.
inline constexpr const char* kPictureTooLargeKey = "EDITIMGVIEW_ONOPENIMAGE_PTL";

// The most pixels a picture may have: as many 32-bit colours as Qt's default
// allocation limit of 256 MB holds. The loader keeps the picture as 32-bit
// colours whatever depth the file stores, so the file's own size says nothing.
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{64} * 1024 * 1024;

// Any picture Qt reads (BMP, PNG, JPEG, ...) as colours the scan can sample.
Result<CScaledPicture> LoadPicture(const std::string& path);
// The same from an image already in memory.
CScaledPicture PictureFromImage(const QImage& image);

} // namespace lumaro
