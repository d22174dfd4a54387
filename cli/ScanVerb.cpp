#include "cli/VerbSupport.h"
#include "cli/VerbTable.h"
#include "core/layout/LampScanner.h"
#include "core/project/LayoutFile.h"
#include "picture/PictureLoader.h"

#include <ostream>

namespace lumaro::cli {

namespace {

const VerbOption kScanOptions[] = {
    {.name = "-o", .valueName = "LAYOUT", .required = true},
    {.name = "--view", .valueName = "WxH"},
    {.name = "--scope", .valueName = "L,T,R,B"},
    {.name = "--background", .valueName = "auto|0xBBGGRR"},
    {.name = "--tolerance", .valueName = "N"},
    {.name = "--lamp-size", .valueName = "MM"},
    {.name = "--object-size", .valueName = "MM"},
};

int Usage(CliIo& io, std::string_view what)
{
    io.err << kScanVerb.name << ": " << what << '\n' << UsageLine(kScanVerb) << '\n';
    return kExitUsage;
}

int RunScan(const VerbArgs& args, CliIo& io)
{
    auto picture = LoadPicture(args.operands.front());
    if (!picture)
        return ReportFailure(io, kScanVerb, picture.status().detail);

    int viewW = picture->Width(), viewH = picture->Height();
    if (const std::string& view = args.Option("--view"); !view.empty()) {
        const auto wh = ParseIntegerList(view, 'x');
        if (!wh || wh->size() != 2 || (*wh)[0] <= 0 || (*wh)[1] <= 0 || (*wh)[0] > 100000 ||
            (*wh)[1] > 100000)
            return Usage(io, "--view wants two positive whole numbers, as 800x600");
        viewW = static_cast<int>((*wh)[0]);
        viewH = static_cast<int>((*wh)[1]);
    }

    CEditImgDoc doc;
    if (const Status opened = CLampScanner::OpenPicture(doc, picture.value(), viewW, viewH); !opened)
        return ReportFailure(io, kScanVerb, opened.detail);

    if (const std::string& scope = args.Option("--scope"); !scope.empty()) {
        const auto v = ParseIntegerList(scope);
        if (!v || v->size() != 4)
            return Usage(io, "--scope wants four whole numbers: left,top,right,bottom");
        for (std::int64_t x : *v)
            if (x < INT32_MIN || x > INT32_MAX)
                return Usage(io, "--scope values must fit 32 bits");
        doc.scanScope = CRect{static_cast<std::int32_t>((*v)[0]), static_cast<std::int32_t>((*v)[1]),
                              static_cast<std::int32_t>((*v)[2]), static_cast<std::int32_t>((*v)[3])}
                            .Normalized();
    }
    if (const std::string& bg = args.Option("--background"); !bg.empty() && bg != "auto") {
        const auto v = ParseInteger(bg);
        if (!v || *v < 0 || *v > 0xFFFFFF)
            return Usage(io, "--background wants auto or a colour 0xBBGGRR");
        doc.backgroundColour = static_cast<std::uint32_t>(*v);
    }
    // The same limits as the Other Value dialog.
    if (const std::string& t = args.Option("--tolerance"); !t.empty()) {
        const auto v = ParseInteger(t);
        if (!v || *v < 1 || *v > 254)
            return Usage(io, "--tolerance wants a whole number from 1 to 254");
        doc.backgroundTolerance = static_cast<std::int32_t>(*v);
    }
    if (const std::string& s = args.Option("--lamp-size"); !s.empty()) {
        const auto v = ParseReal(s);
        if (!v || !(*v > 1.0 && *v < 1000.0))
            return Usage(io, "--lamp-size wants millimetres above 1 and below 1000");
        doc.lampSize = static_cast<float>(*v);
    }
    if (const std::string& s = args.Option("--object-size"); !s.empty()) {
        const auto v = ParseReal(s);
        if (!v)
            return Usage(io, "--object-size wants millimetres");
        doc.objectSize = static_cast<float>(*v);
    }

    if (const Status begun = CLampScanner::Begin(doc); !begun)
        return ReportFailure(io, kScanVerb, begun.detail);
    if (const Status done = CLampScanner::Finish(doc, picture.value()); !done)
        return ReportFailure(io, kScanVerb, done.detail);
    if (const Status saved = CLayoutFile::Save(doc, args.Option("-o")); !saved)
        return ReportFailure(io, kScanVerb, saved.detail);
    const auto grid = CLampScanner::GridFor(doc.scanScope, doc.gridStep);
    io.err << doc.lamps.size() << " lamps; grid step " << doc.gridStep << ", " << grid->columns
           << " columns x " << grid->rows << " rows\n";
    return kExitOk;
}

} // namespace

const Verb kScanVerb{
    .name = "scan",
    .summary = "scan a picture into a new layout file",
    .operands = "PICTURE",
    .help = "Opens PICTURE (BMP, PNG, JPEG, ...) as Open Image does, applies the\n"
            "settings given, scans it and writes the lamps to LAYOUT, whatever their\n"
            "number. Without --view the view is the picture's own size (fit factor 1);\n"
            "--background auto (the default) takes the colour at view point (10, 10);\n"
            "without --scope the scope is Open Image's: 1, 1, shown width - 20, shown\n"
            "height. --tolerance is 1 to 254, --lamp-size above 1 and below 1000.\n"
            "The lamp count and the grid go to standard error.\n"
            "\n"
            "Exit status: 0 done, 1 the picture, the grid or the file failed, 2 usage error.\n",
    .options = kScanOptions,
    .minOperands = 1,
    .maxOperands = 1,
    .run = RunScan,
};

} // namespace lumaro::cli
