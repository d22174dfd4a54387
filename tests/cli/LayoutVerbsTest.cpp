#include "cli/Cli.h"
#include "cli/JsonError.h"

#include "CliTestSupport.h"
#include "core/effects/ColourData.h"
#include "core/layout/PortTable.h"
#include "core/project/LayoutFile.h"

#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

#include <set>
#include <sstream>

using namespace lumaro;
using namespace lumaro::cli;
using lumaro::cli::test::ReadText;
using lumaro::cli::test::TempDir;
using lumaro::cli::test::WriteText;

namespace {

struct CliRun {
    int status;
    std::string out, err;
};

CliRun Cli(std::vector<std::string> args)
{
    std::istringstream in;
    std::ostringstream out, err;
    CliIo io{in, out, err};
    const int status = RunCli(args, io);
    return {status, out.str(), err.str()};
}

// A black picture with green squares at the given pixel rectangles.
void SavePicture(const fs::path& file, int w, int h, std::initializer_list<QRect> spots,
                 const char* format = "BMP")
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (const QRect& r : spots)
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                image.setPixel(x, y, qRgb(0, 255, 0));
    ASSERT_TRUE(image.save(QString::fromStdString(file.string()), format));
}

class LayoutVerbs : public ::testing::Test {
protected:
    TempDir dir;
    std::string Path(const std::string& name) const { return (dir / name).string(); }
};

} // namespace

TEST_F(LayoutVerbs, ScanFindsTheSpotsInColumnOrder)
{
    // Step 10 (scope 1..201 wide, lamp 50 mm of a 1000 mm object).
    SavePicture(dir / "site.bmp", 220, 100, {QRect(50, 20, 3, 3), QRect(10, 60, 3, 3)});
    const CliRun r = Cli({"scan", Path("site.bmp"), "-o", Path("SITE.LED"), "--scope", "201,1,1,100",
                          "--lamp-size", "50", "--object-size", "1000"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("2 lamps; grid step 10, 20 columns x 9 rows"), std::string::npos) << r.err;
    auto doc = CLayoutFile::Load(dir / "SITE.LED");
    ASSERT_TRUE(doc.ok());
    ASSERT_EQ(doc->lamps.size(), 2u);
    EXPECT_EQ(doc->lamps[0].x, 1); // x = 11 is the sample of column 1
    EXPECT_EQ(doc->lamps[0].y, 6);
    EXPECT_EQ(doc->lamps[1].x, 5);
    EXPECT_EQ(doc->lamps[1].number, 1);
    EXPECT_EQ(doc->scanScope, (CRect{1, 1, 201, 100}));
    EXPECT_EQ(doc->backgroundColour, 0u);
}

TEST_F(LayoutVerbs, ScanReadsPngAndHonoursViewBackgroundAndTolerance)
{
    SavePicture(dir / "site.png", 100, 50, {QRect(0, 0, 100, 50)}, "PNG"); // all green
    // A view twice the picture's size: the scope covers the enlarged picture.
    CliRun r = Cli({"scan", Path("site.png"), "-o", Path("A.LED"), "--view", "200x100"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto doc = CLayoutFile::Load(dir / "A.LED");
    EXPECT_EQ(doc->scanScope, (CRect{1, 1, 180, 100}));
    EXPECT_TRUE(doc->lamps.empty()); // green at (10, 10) is the background
    r = Cli({"scan", Path("site.png"), "-o", Path("B.LED"), "--background", "0x00F00A", "--tolerance", "15"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(CLayoutFile::Load(dir / "B.LED")->lamps.empty());
    r = Cli({"scan", Path("site.png"), "-o", Path("C.LED"), "--background", "0x00F00A", "--tolerance", "14"});
    EXPECT_FALSE(CLayoutFile::Load(dir / "C.LED")->lamps.empty());
}

TEST_F(LayoutVerbs, ScanRefusals)
{
    SavePicture(dir / "site.bmp", 50, 50, {});
    for (const auto& bad : std::vector<std::vector<std::string>>{{"--tolerance", "255"},
                                                                 {"--tolerance", "0"},
                                                                 {"--lamp-size", "1"},
                                                                 {"--lamp-size", "1000"},
                                                                 {"--view", "0x10"},
                                                                 {"--scope", "1,2,3"},
                                                                 {"--background", "red"},
                                                                 {"--object-size", "big"}}) {
        std::vector<std::string> args = {"scan", Path("site.bmp"), "-o", Path("X.LED")};
        args.insert(args.end(), bad.begin(), bad.end());
        EXPECT_EQ(Cli(args).status, 2) << bad[0] << " " << bad[1];
    }
    const CliRun grid = Cli({"scan", Path("site.bmp"), "-o", Path("X.LED"), "--object-size", "0"});
    EXPECT_EQ(grid.status, 1);
    EXPECT_NE(grid.err.find("object size 0"), std::string::npos) << grid.err;
    EXPECT_FALSE(fs::exists(dir / "X.LED"));
    WriteText(dir / "broken.bmp", "BM not really");
    EXPECT_EQ(Cli({"scan", Path("broken.bmp"), "-o", Path("X.LED")}).status, 1);
    WriteText(dir / "huge.png", lumaro::test::PngHeader(100000, 70000));
    const CliRun huge = Cli({"scan", Path("huge.png"), "-o", Path("X.LED")});
    EXPECT_EQ(huge.status, 1);
    EXPECT_NE(huge.err.find("huge.png: the picture is 100000 x 70000 pixels, too large"), std::string::npos)
        << huge.err;
}

TEST_F(LayoutVerbs, CportGoesBesideTheLayoutOrIntoTheFolderGiven)
{
    CEditImgDoc doc;
    doc.lamps = {CLamp(0, 0, 0, 0xFF, 8, 1), CLamp(1, 0, 1, 0xFF, 8, 1)};
    doc.lamps[1].port = 1;
    doc.lamps[1].order = 1;
    ASSERT_TRUE(CLayoutFile::Save(doc, dir / "P.LED").ok());
    ASSERT_EQ(Cli({"cport", Path("P.LED")}).status, 0);
    EXPECT_EQ(ReadText(dir / "cport.h"), CPortTable::Text(doc.lamps));
    fs::create_directory(dir / "out");
    ASSERT_EQ(Cli({"cport", Path("P.LED"), "-o", Path("out")}).status, 0);
    EXPECT_TRUE(fs::exists(dir / "out" / "cport.h"));
    EXPECT_EQ(Cli({"cport", Path("P.LED"), "-o", Path("missing")}).status, 1);
}

TEST_F(LayoutVerbs, CompilePrintsTheTablesAndScenesConvert)
{
    CEditImgDoc doc;
    for (int x = 0; x < 4; ++x)
        doc.lamps.emplace_back(x, 0, x, static_cast<std::int32_t>(kColourGreen), 8, 1);
    doc.scenes[1][0] = {1, 50, {}};
    ASSERT_TRUE(CLayoutFile::Save(doc, dir / "S.LED").ok());
    ASSERT_EQ(Cli({"scenes", Path("S.LED"), "-o", Path("S2.LED")}).status, 0);
    const CliRun r = Cli({"compile", Path("S2.LED")});
    ASSERT_EQ(r.status, 0) << r.err;
    const Json json = Json::parse(r.out);
    ASSERT_EQ(json["compiledModes"].size(), 1u);
    EXPECT_EQ(json["compiledModes"][0]["type"], "CM_LEFTTORIGHT_GC");
    EXPECT_EQ(json["compiledModes"][0]["layer"], 2); // the class code
    ASSERT_EQ(json["programGroups"].size(), 32u);
    EXPECT_EQ(json["programGroups"][1].size(), 1u);
    EXPECT_EQ(json["colourTable"].size(), 1u);
    EXPECT_EQ(json["lampSequenceTable"].size(), 4u); // one band per column
    EXPECT_EQ(json["bandTable"][0], Json::parse("[0,1,2,3]"));
}

TEST_F(LayoutVerbs, EmitWritesTheFirmwareSources)
{
    CEditImgDoc doc;
    for (int x = 0; x < 4; ++x) {
        doc.lamps.emplace_back(x, 0, x, static_cast<std::int32_t>(kColourGreen), 8, 1);
        doc.lamps.back().port = 1 + x / 2;
        doc.lamps.back().order = 1 + x % 2;
    }
    doc.lampPositions = doc.lamps;
    doc.scenes[0][0] = {1, 50, {}};
    ASSERT_TRUE(CLayoutFile::Save(doc, dir / "E.LED").ok());
    ASSERT_EQ(Cli({"scenes", Path("E.LED"), "-o", Path("E2.LED")}).status, 0);
    fs::create_directory(dir / "out");
    const CliRun r = Cli({"emit", Path("E2.LED"), "-o", Path("out"), "--format", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* file : {"cport.h", "DSPPTN.H", "CSTGRP.h", "GETPTN.c"})
        EXPECT_TRUE(fs::exists(dir / "out" / file)) << file;
    const std::string data = ReadText(dir / "out" / "CData.h");
    EXPECT_TRUE(data.starts_with("#include <DatTyp2.h>\r\n#define TOTLMPCNT\t 4\r\n")) << data.substr(0, 60);
    EXPECT_NE(data.find("code unsigned int Port0[5]={0,2,2,0,0};"), std::string::npos);
    EXPECT_NE(data.find("code PTN ShowPtn1[1]={\r\n{0,"), std::string::npos);

    EXPECT_EQ(Cli({"emit", Path("E2.LED"), "-o", Path("out"), "--format", "4"}).status, 2);
    EXPECT_EQ(Cli({"emit", Path("E2.LED")}).status, 2);
    const CliRun missing = Cli({"emit", Path("E2.LED"), "-o", Path("missing")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cport.h"), std::string::npos) << missing.err;
}

TEST_F(LayoutVerbs, RenderListsTheLampDrawsInTimeOrder)
{
    CEditImgDoc doc;
    for (int x = 0; x < 4; ++x)
        doc.lamps.emplace_back(x, 0, x, static_cast<std::int32_t>(kColourGreen), 8, 1);
    doc.scenes[1][0] = {1, 50, {}};
    doc.scenes[1][1] = {2, 30, {}};
    ASSERT_TRUE(CLayoutFile::Save(doc, dir / "R.LED").ok());
    ASSERT_EQ(Cli({"scenes", Path("R.LED"), "-o", Path("R2.LED")}).status, 0);

    const CliRun r =
        Cli({"render", Path("R2.LED"), "--duration", "60000", "--trace", "-", "--shape", "round"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    std::string line;
    std::int64_t lastMs = -1, lastMode = -1, count = 0;
    std::set<std::int64_t> modes;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::int64_t ms, mode, lamp, red, green, blue;
        ASSERT_TRUE(fields >> ms >> mode >> lamp >> red >> green >> blue) << line;
        EXPECT_TRUE(fields.eof()) << line;
        EXPECT_TRUE(ms > lastMs || (ms == lastMs && mode >= lastMode)) << line;
        EXPECT_GE(ms, 2000);
        EXPECT_LT(ms, 60000);
        EXPECT_TRUE(lamp >= 0 && lamp < 4 && red >= 0 && red < 256 && green < 256 && blue < 256) << line;
        lastMs = ms;
        lastMode = mode;
        modes.insert(mode);
        ++count;
    }
    EXPECT_GT(count, 0);
    EXPECT_EQ(modes, (std::set<std::int64_t>{0, 1})); // the second after the first one's 50 s hold

    // Lamps moved and deleted after Transfer Data: the play is drawn on the
    // lamps it was compiled for, as the window draws it.
    auto transferred = CLayoutFile::Load(dir / "R2.LED");
    ASSERT_TRUE(transferred);
    transferred->lamps.resize(3);
    for (CLamp& lamp : transferred->lamps)
        lamp.x = lamp.x * 3 + 7;
    ASSERT_TRUE(CLayoutFile::Save(transferred.value(), dir / "R3.LED").ok());
    for (const char* name : {"R2", "R3"})
        ASSERT_EQ(Cli({"render", Path(std::string(name) + ".LED"), "--duration", "5000", "-o",
                       Path(std::string(name) + ".gif")})
                      .status,
                  0);
    EXPECT_EQ(ReadText(dir / "R3.gif"), ReadText(dir / "R2.gif"));

    const CliRun first = Cli(
        {"render", Path("R2.LED"), "--duration", "4000", "--trace", Path("t.txt"), "--order", "sequential"});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_TRUE(ReadText(dir / "t.txt").starts_with("0 0 ")) << ReadText(dir / "t.txt").substr(0, 40);
    const CliRun partial = Cli({"render", Path("R2.LED"), "--duration", "4000", "--trace", "-", "--order",
                                "partial", "--range", "1,9"});
    ASSERT_EQ(partial.status, 0) << partial.err;
    EXPECT_TRUE(partial.out.starts_with("2000 1 ")) << partial.out.substr(0, 40);

    // The play as an animated GIF, over a picture (a 2 × 1 BMP), with or without the trace.
    std::string bmp = "BM";
    for (std::uint32_t v : {62u, 0u, 54u, 40u, 2u, 1u}) // sizes, offset, header, width, height
        bmp.append(reinterpret_cast<const char*>(&v), 4);
    bmp += std::string("\x01\x00\x18\x00", 4) + std::string(24, '\0') + "\xff\x00\x00\x00\xff\x00\x00\x00";
    WriteText(dir / "site.bmp", bmp);
    const CliRun gif = Cli({"render", Path("R2.LED"), "--duration", "5000", "-o", Path("a.gif"),
                            "--background", Path("site.bmp"), "--size", "64x48"});
    ASSERT_EQ(gif.status, 0) << gif.err;
    EXPECT_TRUE(ReadText(dir / "a.gif").starts_with(std::string("GIF89a\x40\x00\x30\x00", 10)));
    EXPECT_EQ(Cli({"render", Path("R2.LED"), "--duration", "10", "-o", Path("a.gif"), "--background",
                   Path("none.bmp")})
                  .status,
              1);
    EXPECT_EQ(
        Cli({"render", Path("R2.LED"), "--duration", "10", "--trace", "-", "--background", Path("site.bmp")})
            .status,
        2);
    EXPECT_EQ(
        Cli({"render", Path("R2.LED"), "--duration", "10", "-o", Path("a.gif"), "--size", "8x8"}).status, 2);
    EXPECT_EQ(Cli({"render", Path("R2.LED"), "--duration", "10"}).status, 2);
    EXPECT_EQ(Cli({"render", Path("R2.LED"), "--duration", "10", "--trace", "-", "--order", "random"}).status,
              2);
    EXPECT_EQ(
        Cli({"render", Path("R2.LED"), "--duration", "10", "--trace", "-", "--order", "partial"}).status, 2);
    EXPECT_EQ(Cli({"render", Path("R2.LED"), "--trace", "-"}).status, 2);
    EXPECT_EQ(Cli({"render", Path("none.LED"), "--duration", "10", "--trace", "-"}).status, 1);
}

TEST_F(LayoutVerbs, ColourSubVerbs)
{
    const fs::path file = dir / "ColorData.sav";
    std::string text = "header\n";
    for (int g = 0; g < 50; ++g)
        text += "ColorGroup:" + std::to_string(g) + "]\n";
    WriteText(file, text);
    const std::string f = file.string();
    ASSERT_EQ(Cli({"colours", "append", "3", "255,0,0,0,0,255", "--file", f}).status, 0);
    EXPECT_EQ(Cli({"colours", "get", "3", "--file", f}).out, "[255,0,0,0,0,255]\n");
    ASSERT_EQ(Cli({"colours", "clear", "3", "--file", f}).status, 0);
    EXPECT_EQ(Cli({"colours", "get", "3", "--file", f}).out, "[]\n");
    ASSERT_EQ(Cli({"colours", "add", "Sunset", "255,128,0", "--file", f}).status, 0);
    EXPECT_EQ(Cli({"colours", "names", "--file", f}).out, "50\tSunset\n");
    EXPECT_EQ(Cli({"colours", "get", "50", "--file", f}).out, "[255,128,0]\n");
    EXPECT_EQ(Cli({"colours", "gradient", "0,0,0", "255,255,255", "3", "--curve", "cos"}).out,
              "[0,0,0,74,74,74,255,255,255]\n");
    EXPECT_EQ(Cli({"colours", "append", "3", "256,0,0", "--file", f}).status, 2);
    EXPECT_EQ(Cli({"colours", "add", "a]b", "--file", f}).status, 2);
    EXPECT_EQ(Cli({"colours", "paint", "--file", f}).status, 2);
    EXPECT_EQ(Cli({"colours", "get", "1", "--file", (dir / "none.sav").string()}).status, 1);
}
