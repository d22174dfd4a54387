#pragma once

#include "core/app/Status.h"
#include "core/layout/ScaledPicture.h"

#include <string>

namespace lumaro::cli {

// Any picture Qt reads (BMP, PNG, JPEG, ...) as colours the scan can sample.
Result<CScaledPicture> LoadPicture(const std::string& path);

} // namespace lumaro::cli
