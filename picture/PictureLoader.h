#pragma once

#include "core/app/Status.h"
#include "core/layout/ScaledPicture.h"

#include <string>

class QImage;

namespace lumaro {

// Any picture Qt reads (BMP, PNG, JPEG, ...) as colours the scan can sample.
Result<CScaledPicture> LoadPicture(const std::string& path);
// The same from an image already in memory.
CScaledPicture PictureFromImage(const QImage& image);

} // namespace lumaro
