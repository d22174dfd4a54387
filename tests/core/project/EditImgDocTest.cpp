#include "core/project/EditImgDoc.h"
#include "core/project/LayoutFile.h"

#include <gtest/gtest.h>

#include <functional>

using namespace lumaro;

TEST(EditImgDocStoredData, EveryStoredMemberCountsAndNothingElse)
{
    const CEditImgDoc base;
    const std::string baseBytes = CLayoutFile::Serialize(base);
    const std::function<void(CEditImgDoc&)> storedChanges[] = {
        [](CEditImgDoc& d) { d.backgroundColour = 1; },
        [](CEditImgDoc& d) { d.scanScope.bottom = 1; },
        [](CEditImgDoc& d) { d.objectSize = 1.0f; },
        [](CEditImgDoc& d) { d.reservedReal = 1.0f; },
        [](CEditImgDoc& d) { d.lampSize = 1.0f; },
        [](CEditImgDoc& d) { d.backgroundTolerance = 1; },
        [](CEditImgDoc& d) { d.gridStep = 1.0; },
        [](CEditImgDoc& d) { d.scenes[15][7].speed = 1; },
        [](CEditImgDoc& d) { d.lamps.emplace_back(); },
        [](CEditImgDoc& d) { d.lampPositions.emplace_back(); },
        [](CEditImgDoc& d) { d.lampPositions2.emplace_back(); },
        [](CEditImgDoc& d) { d.modes.emplace_back(); },
        [](CEditImgDoc& d) { d.programGroups[31].emplace_back(); },
        [](CEditImgDoc& d) { d.lampGroups.emplace_back(); },
        [](CEditImgDoc& d) { d.groupLists.emplace_back(); },
        [](CEditImgDoc& d) { d.layers[49].push_back(1); },
    };
    for (std::size_t i = 0; i < std::size(storedChanges); ++i) {
        CEditImgDoc changed;
        storedChanges[i](changed);
        EXPECT_FALSE(changed.SameStoredData(base)) << "change " << i;
        EXPECT_TRUE(CLayoutFile::Serialize(changed) != baseBytes) << "change " << i;
    }

    // Of the lamp positions only place and number are stored.
    CEditImgDoc a, b;
    a.lampPositions = b.lampPositions = {CLamp(1, 2, 3, 0, 8, 1)};
    b.lampPositions[0].colour = 0x00FF00;
    b.lampPositions[0].port = 4;
    b.scanned = true;
    b.specialSaveMode = 2;
    EXPECT_TRUE(a.SameStoredData(b));
    b.lampPositions[0].number = 4;
    EXPECT_FALSE(a.SameStoredData(b));
}
