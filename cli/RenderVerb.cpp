#include "cli/VerbSupport.h"
#include "cli/VerbTable.h"
#include "core/app/AtomicFile.h"
#include "core/app/FileSystem.h"
#include "core/effects/EffectCompiler.h"
#include "core/preview/DemoMovie.h"
#include "core/preview/DemoTrace.h"
#include "core/project/LayoutFile.h"
#include "picture/PictureLoader.h"

#include <cstdint>
#include <fstream>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <stop_token>

namespace lumaro::cli {

namespace {

constexpr std::string_view kStandardOutput = "-";

const VerbOption kRenderOptions[] = {
    {.name = "--duration", .valueName = "MS", .required = true},
    {.name = "--trace", .valueName = "FILE"},
    {.name = "-o", .valueName = "OUT.gif|.mp4|.webm"},
    {.name = "--background", .valueName = "PICTURE"},
    {.name = "--size", .valueName = "WxH"},
    {.name = "--fps", .valueName = "25|30|50|60"},
    {.name = "--group", .valueName = "G"},
    {.name = "--order", .valueName = "sequential|parallel|partial"},
    {.name = "--range", .valueName = "FIRST,LAST"},
    {.name = "--shape", .valueName = "rect|round"},
};

int Usage(CliIo& io, std::string_view message)
{
    io.err << kRenderVerb.name << ": " << message << '\n' << UsageLine(kRenderVerb) << '\n';
    return kExitUsage;
}

// Reads the options into `options` and the group into `group` (-1 for the
// compiled mode list); a usage error gives its exit status.
std::optional<int> ReadOptions(const VerbArgs& args, CliIo& io, DemoTraceOptions& options, int& group,
                               std::int32_t& width, std::int32_t& height, std::int32_t& rate)
{
    if (args.Option("--trace").empty() && args.Option("-o").empty())
        return Usage(io, "wants --trace FILE, -o OUT or both");
    if (const std::string& size = args.Option("--size"); !size.empty()) {
        const auto v = ParseIntegerList(size, 'x');
        if (!v || v->size() != 2 || (*v)[0] < 16 || (*v)[1] < 16 || (*v)[0] > 4096 || (*v)[1] > 4096)
            return Usage(io, "--size wants WxH, each 16 to 4096 pixels");
        width = static_cast<std::int32_t>((*v)[0]);
        height = static_cast<std::int32_t>((*v)[1]);
    }
    if (!args.Option("--background").empty() && args.Option("-o").empty())
        return Usage(io, "--background belongs to -o");
    if (const std::string& fps = args.Option("--fps"); !fps.empty()) {
        if (args.Option("-o").empty() || DemoMovieFormatOf(args.Option("-o")) == DemoMovieFormat::Gif)
            return Usage(io, "--fps belongs to a video, -o OUT.mp4 or OUT.webm");
        const auto v = ParseInteger(fps);
        if (!v || (*v != 25 && *v != 30 && *v != 50 && *v != 60))
            return Usage(io, "--fps wants 25, 30, 50 or 60");
        rate = static_cast<std::int32_t>(*v);
    }

    const auto duration = ParseInteger(args.Option("--duration"));
    if (!duration || *duration < 0)
        return Usage(io, "--duration wants a number of milliseconds, 0 or more");
    options.durationMs = *duration;

    if (const std::string& g = args.Option("--group"); !g.empty()) {
        const auto v = ParseInteger(g);
        if (!v || *v < 0 || *v > 31)
            return Usage(io, "--group wants a program group from 0 to 31");
        group = static_cast<int>(*v);
    }

    const std::string& order = args.Option("--order");
    if (order.empty() || order == "parallel")
        options.order = DemoOrder::Parallel;
    else if (order == "sequential")
        options.order = DemoOrder::Sequential;
    else if (order == "partial")
        options.order = DemoOrder::Partial;
    else
        return Usage(io, "--order wants sequential, parallel or partial");

    const std::string& range = args.Option("--range");
    if (options.order == DemoOrder::Partial) {
        const auto v = ParseIntegerList(range);
        constexpr std::int64_t kMost = std::numeric_limits<std::int32_t>::max();
        if (!v || v->size() != 2 || (*v)[0] < 0 || (*v)[1] < 0 || (*v)[0] > kMost || (*v)[1] > kMost)
            return Usage(io, "partial play wants --range FIRST,LAST of mode indices");
        options.first = static_cast<std::int32_t>((*v)[0]);
        options.last = static_cast<std::int32_t>((*v)[1]);
    } else if (!range.empty()) {
        return Usage(io, "--range belongs to partial play");
    }

    const std::string& shape = args.Option("--shape");
    if (shape.empty() || shape == "rect")
        options.shape = DemoShape::Rectangle;
    else if (shape == "round")
        options.shape = DemoShape::RoundedSquare;
    else
        return Usage(io, "--shape wants rect or round");
    return std::nullopt;
}

void WriteDraw(std::ostream& out, const DemoTraceDraw& d)
{
    out << d.ms << ' ' << d.modeIndex << ' ' << d.lamp << ' ' << int{d.colour.red} << ' '
        << int{d.colour.green} << ' ' << int{d.colour.blue} << '\n';
}

// The picture fitted into the frame, its sides in proportion, centred.
void DrawFitted(CDemoFrame& frame, const CScaledPicture& picture)
{
    const double scale = std::min(static_cast<double>(frame.width) / picture.Width(),
                                  static_cast<double>(frame.height) / picture.Height());
    const auto w = static_cast<std::int32_t>(picture.Width() * scale);
    const auto h = static_cast<std::int32_t>(picture.Height() * scale);
    const std::int32_t left = (frame.width - w) / 2, top = (frame.height - h) / 2;
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x) {
            const std::uint32_t c =
                picture.ColourAt(std::min(static_cast<int>(x / scale), picture.Width() - 1),
                                 std::min(static_cast<int>(y / scale), picture.Height() - 1));
            frame.pixels[static_cast<std::size_t>(top + y) * static_cast<std::size_t>(frame.width) +
                         static_cast<std::size_t>(left + x)] =
                DemoPixel({static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
                           static_cast<std::uint8_t>(c >> 16)});
        }
}

// The picture the movie starts from: black, or PICTURE fitted and centred.
std::optional<int> Background(const VerbArgs& args, CliIo& io, CDemoFrame& frame)
{
    if (const std::string& background = args.Option("--background"); !background.empty()) {
        Result<CScaledPicture> picture = LoadPicture(background);
        if (!picture)
            return ReportFailure(io, kRenderVerb,
                                 picture.status().detail.empty() ? "cannot read the picture " + background
                                                                 : picture.status().detail);
        if (!picture->Empty())
            DrawFitted(frame, picture.value());
    }
    return std::nullopt;
}

int RunRender(const VerbArgs& args, CliIo& io)
{
    DemoTraceOptions options;
    int group = -1;
    std::int32_t width = 800, height = 600, rate = 25;
    if (const auto usage = ReadOptions(args, io, options, group, width, height, rate))
        return *usage;
    const auto doc = CLayoutFile::Load(args.operands.front());
    if (!doc)
        return ReportFailure(io, kRenderVerb, doc.status().detail);
    const CCompiledEffects compiled = CompileEffects(doc.value());
    const std::vector<CModeItem>& modes =
        group < 0 ? compiled.modes : compiled.programGroups[static_cast<std::size_t>(group)];
    // The lamps the compiler played on, as the demo window draws them.
    const std::vector<CLamp>& lamps = doc->lampPositions;

    // Both outputs are made as the play goes, so that no length of play is
    // held in memory.
    std::optional<CAtomicFile> movieFile;
    std::unique_ptr<IDemoMovieWriter> movieWriter;
    CDemoFrame frame(width, height);
    DemoMovieOptions movie;
    if (const std::string& out = args.Option("-o"); !out.empty()) {
        if (const auto failed = Background(args, io, frame))
            return *failed;
        // A GIF shows a window of that size; a video's size is a screen's,
        // whose shape is not the lamps': it fits both ways and cuts no lamp off.
        const std::int32_t zoom = DemoMovieFormatOf(out) == DemoMovieFormat::Gif
                                      ? CDemoGeometry::FitZoom(lamps, width, height)
                                      : CDemoGeometry::FitWholeZoom(lamps, width, height);
        movie.geometry = CDemoGeometry::Centre(lamps, zoom, width, height);
        movie.shape = options.shape;
        movie.durationMs = options.durationMs;
        movie.framesPerSecond = rate;
        movieFile.emplace(out);
        movieWriter = CDemoMovie::WriterFor(DemoMovieFormatOf(out), lamps, frame, movie, *movieFile);
        if (const Status opened = movieFile->Open(); !opened)
            return ReportFailure(io, kRenderVerb, opened.detail);
        if (const Status begun = movieWriter->Begin(); !begun)
            return ReportFailure(io, kRenderVerb, begun.detail);
    }
    const std::string& file = args.Option("--trace");
    std::ofstream traceFile;
    std::ostream* trace = nullptr;
    if (file == kStandardOutput) {
        trace = &io.out;
    } else if (!file.empty()) {
        traceFile.open(file, std::ios::binary);
        trace = &traceFile;
    }

    std::stop_source ended;
    options.cancel = ended.get_token();
    Status failed;
    StreamDemo(modes, compiled, lamps, options, [&](const DemoTraceDraw& d) {
        if (trace)
            WriteDraw(*trace, d);
        if (movieWriter && failed) {
            failed = movieWriter->Add(d);
            if (!failed)
                ended.request_stop();
        }
    });
    if (movieWriter) {
        if (failed)
            failed = movieWriter->Finish();
        if (failed)
            failed = movieFile->Commit();
        if (!failed)
            return ReportFailure(io, kRenderVerb, failed.detail);
    }
    if (!trace)
        return kExitOk;
    trace->flush();
    if (traceFile.is_open())
        traceFile.close();
    if (!*trace)
        return ReportFailure(io, kRenderVerb,
                             file == kStandardOutput ? "the trace could not be written"
                                                     : "cannot write " + file);
    return kExitOk;
}

} // namespace

const Verb kRenderVerb{
    .name = "render",
    .summary = "play a layout's modes on a virtual clock and list every lamp draw",
    .operands = "LAYOUT",
    .help = "Runs \"Creat Data\" on LAYOUT and plays its compiled modes, or program group\n"
            "G's (0 to 31), as the demo window would, without waiting.\n"
            "-o writes the play as a movie of WxH pixels (--size, default 800x600) with\n"
            "the lamps fitted and centred as the demo window shows them (a video fits\n"
            "them both ways, so that none is cut off), over PICTURE\n"
            "(--background) fitted and centred. OUT's extension says what: .gif an\n"
            "animated GIF, whose frames keep the painters' times (draws less than 20 ms\n"
            "apart share a frame); .mp4 an H.264 video, .webm a VP9 video, at --fps\n"
            "frames a second (25, 30, 50 or 60; default 25), each frame showing the play\n"
            "at its own time. A video's sides must be even.\n"
            "--trace FILE ('-' for standard output) gets one line per lamp draw,\n"
            "    <ms> <mode index> <lamp number> <red> <green> <blue>\n"
            "ordered by time and, at equal times, by mode index; ms counts from the\n"
            "start of the play and nothing is drawn at or after MS.\n"
            "--order (default parallel): sequential plays the modes one after another\n"
            "without start delays; parallel starts all, mode i after 2 s plus the hold\n"
            "times of the modes before it; partial does the same for the modes FIRST to\n"
            "LAST of --range. A \"CM_REGRESS\" mode starts a parallel play again from\n"
            "its first mode on a picture without lamps, as the window does: the line\n"
            "    <ms> -1 -1 0 0 0\n"
            "marks it. The lamps are the lamp positions of Transfer Data, as in the window.\n"
            "--shape (rect or round) is the lamp shape of the demo window.\n"
            "\n"
            "Exit status: 0 done, 1 the layout or the picture could not be read, an\n"
            "output could not be written or the encoder refused the size, 2 usage error.\n",
    .options = kRenderOptions,
    .minOperands = 1,
    .maxOperands = 1,
    .run = RunRender,
};

} // namespace lumaro::cli
