#include "core/preview/DemoMovieWriter.h"

#include "core/app/TextUtil.h"

namespace lumaro {

DemoMovieFormat DemoMovieFormatOf(const fs::path& path)
{
    const std::string extension = path.extension().string();
    if (EqualsNoCase(extension, ".mp4"))
        return DemoMovieFormat::Mp4;
    if (EqualsNoCase(extension, ".webm"))
        return DemoMovieFormat::WebM;
    return DemoMovieFormat::Gif;
}

bool DrawDemoMovieDraw(CDemoFrame& frame, const CDemoFrame& background, const std::vector<CLamp>& lamps,
                       const DemoMovieOptions& options, const DemoTraceDraw& draw)
{
    if (draw.lamp == kDemoRestart) {
        frame = background;
        return true;
    }
    if (draw.lamp < 0 || static_cast<std::size_t>(draw.lamp) >= lamps.size())
        return false;
    PaintDemoCell(frame.View(), options.geometry.CellOf(lamps[static_cast<std::size_t>(draw.lamp)]),
                  draw.colour, options.shape, options.geometry.CornerEllipse());
    return true;
}

} // namespace lumaro
