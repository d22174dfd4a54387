#include "CliTestSupport.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>
#include <sys/wait.h>

namespace lumaro::cli::test {

namespace {

constexpr std::int32_t kMinInt = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMaxInt = std::numeric_limits<std::int32_t>::max();
constexpr std::uint32_t kMaxUInt = std::numeric_limits<std::uint32_t>::max();

CModeItem MakeMode(std::string type, std::string name, std::int32_t seed)
{
    CModeItem m;
    m.type = std::move(type);
    m.name = std::move(name);
    m.layer = seed;
    m.colours = {255, 0, 128, static_cast<std::uint32_t>(seed), kMaxUInt, 0};
    m.interval = 10 + seed;
    m.areaLeft = 1;
    m.areaTop = 2;
    m.areaRight = 3;
    m.areaBottom = 4;
    m.loop = -1;
    m.holdTime = 70;
    m.sceneEffect = 5;
    m.startX = 6;
    m.startY = 7;
    m.step = 8;
    m.colourGroupId = 9;
    m.lampOrderIndex = -1;
    m.bandOrderIndex = kMaxInt;
    m.extraLamps = {0, 3, 7};
    m.area2Left = 21;
    m.area2Top = 22;
    m.area2Right = 23;
    m.area2Bottom = kMinInt;
    return m;
}

// The position lists hold nothing else, so the other fields keep their
// defaults.
CLamp Position(std::int32_t x, std::int32_t y, std::int32_t number)
{
    CLamp lamp;
    lamp.x = x;
    lamp.y = y;
    lamp.number = number;
    return lamp;
}

} // namespace

CEditImgDoc MakeRichLayout()
{
    CEditImgDoc doc;
    doc.backgroundColour = 0x00FFEEDD;
    doc.scanScope = {kMinInt, -1, 0, kMaxInt};
    doc.objectSize = 0.1f;
    doc.reservedReal = 1e-45f; // the smallest denormal
    doc.lampSize = FLT_MAX;
    doc.backgroundTolerance = -7;
    doc.gridStep = 0.1;

    doc.scenes[0][0] = {1, 250, {255, 0, 0}};
    doc.scenes[7][3] = {11, kMaxInt, {0, 0, 255, 10, 20, 30}};
    doc.scenes[15][7] = {kMinInt, -1, {kMaxUInt}};

    for (std::int32_t i = 0; i < 5; ++i) {
        CLamp lamp(i * 3, i % 2, i, static_cast<std::int32_t>(kColourGreen), 8, i == 2 ? 0 : 1);
        lamp.port = i == 4 ? 12 : i;
        lamp.order = i;
        doc.lamps.push_back(lamp);
    }
    doc.lamps.back().colour = -1;
    doc.lampPositions = {Position(1, 2, 0), Position(kMaxInt, kMinInt, 1)};
    doc.lampPositions2 = {Position(5, 6, 7)};

    CModeItem word = MakeMode("CM_LEFTTORIGHT_WORD", "Grün ✓", 1);
    word.wordStep = 3;
    word.wordColourMode = 2;
    CModeItem circle = MakeMode("CM_CIRCULAR_AREA", "\xff\xfe not UTF-8", 2);
    circle.circleX = 100;
    circle.circleY = -100;
    circle.circleRadius = 50;
    circle.innerType = "CM_\xc0\xaf overlong";
    doc.modes = {
        word,
        circle,
        MakeMode("CM_FLASH", std::string("nul\0inside", 10), 3),
        MakeMode("\xed\xa0\x80 surrogate", "", 4),
        CModeItem{},
    };
    doc.programGroups[0] = {word, MakeMode("CM_FLASH", "caf\xc3", 0)};
    doc.programGroups[31] = {circle};

    doc.lampGroups = {{0, 1, 2}, {}, {kMaxUInt}};
    doc.groupLists = {{1}, {0, 2}};
    doc.layers.resize(52);
    doc.layers[0] = {0, 1, 2, 3, 4};
    doc.layers[51] = {kMaxUInt, 0};
    return doc;
}

Outcome RunProgram(const fs::path& folder, const std::string& arguments, const std::string& environment)
{
    const std::string command = "cd '" + folder.string() + "' && " + environment + " '" + LUMARO_CLI_PATH +
                                "' " + arguments + " >out.txt 2>err.txt </dev/null";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText(folder / "out.txt"),
            ReadText(folder / "err.txt")};
}

} // namespace lumaro::cli::test
