#include "SampleDocument.h"

#include <cmath>

namespace lumaro::test {

std::vector<CLamp> MakeLampGrid(int n)
{
    const int side = std::max(1, static_cast<int>(std::ceil(std::sqrt(n))));
    std::vector<CLamp> lamps;
    lamps.reserve(n);
    for (int i = 0; i < n; ++i) {
        CLamp l(i / side, i % side, i, static_cast<std::int32_t>(kColourGreen), 8, 1);
        l.port = (i % 13);
        l.order = l.port ? i / 13 + 1 : 0;
        lamps.push_back(l);
    }
    return lamps;
}

CEditImgDoc MakeRichDocument()
{
    CEditImgDoc doc;
    doc.backgroundColour = 0x00FFFFFF;
    doc.scanScope = {-3, 12, 640, 481};
    doc.objectSize = 1234.5f;
    doc.reservedReal = 0.1f;
    doc.lampSize = 12.25f;
    doc.backgroundTolerance = 8421504;
    doc.gridStep = 5.12;
    doc.scenes[0][0] = {1, 200, {255, 0, 0, 128, 128, 255}};
    doc.scenes[15][7] = {11, 40, {0, 0, 0}};
    doc.lamps = MakeLampGrid(23);
    doc.lampPositions = doc.lamps;
    for (auto& l : doc.lampPositions) {
        l.colour = 255;
        l.size = 0;
        l.port = l.order = 0;
    }
    doc.lampPositions2 = {CLamp(4, 5, 0, 255, 0, 1)};

    CModeItem sweep;
    sweep.type = "CM_LEFTTORIGHT_GC";
    sweep.name = "Sweep \xE4\xB8\xAD";
    sweep.layer = 3;
    sweep.colours = {255, 0, 0, 0, 255, 0};
    sweep.interval = 10;
    sweep.areaLeft = 1;
    sweep.areaTop = 2;
    sweep.areaRight = 30;
    sweep.areaBottom = 40;
    sweep.loop = 5;
    sweep.holdTime = 7;
    sweep.startX = 3;
    sweep.startY = 4;
    sweep.step = 2;
    sweep.colourGroupId = 6;
    sweep.lampOrderIndex = -1;
    sweep.bandOrderIndex = -1;
    sweep.extraLamps = {9, 10};
    sweep.area2Left = 11;
    sweep.area2Top = 12;
    sweep.area2Right = 13;
    sweep.area2Bottom = 14;

    CModeItem word = sweep;
    word.type = "CM_UPTODOWN_WORD";
    word.name = std::string("Text\xFF\xFE", 6); // not UTF-8
    word.wordStep = 4;
    word.wordColourMode = 1;

    CModeItem circle = sweep;
    circle.type = "CM_CIRCULAR_AREA";
    circle.name = "Ring";
    circle.circleX = 100;
    circle.circleY = 120;
    circle.circleRadius = 33;
    circle.innerType = "CM_KERNELBD";
    circle.colours.clear();

    CModeItem empty;
    empty.type = "CM_EMPTYMODE";
    doc.modes = {sweep, word, circle, empty};

    for (int g = 0; g < kProgramGroupCount; g += 7) {
        for (int m = 0; m < 4; ++m) {
            CModeItem entry = doc.modes[static_cast<std::size_t>(m)];
            entry.layer = m;
            doc.programGroups[static_cast<std::size_t>(g)].push_back(entry);
        }
    }
    doc.lampGroups = {{1, 2, 3}, {}, {0xFFFFFFFF}};
    doc.groupLists = {{0, 2}};
    doc.layers[0] = {0, 1, 2};
    doc.layers[49] = {22};
    doc.layers.push_back({5}); // a 51st layer survives
    return doc;
}

} // namespace lumaro::test
