#include "ExportGroup.h"

#include <numeric>

namespace lumaro::bench {

CModeItem BenchMode(int code, std::int32_t interval, std::int32_t loop, std::int32_t hold)
{
    CModeItem m;
    m.layer = code;
    m.interval = interval;
    m.loop = loop;
    m.holdTime = hold;
    m.colourGroupId = 0;
    m.lampOrderIndex = 0;
    m.bandOrderIndex = 0;
    m.colours = {255, 0, 0, 0, 0, 255};
    return m;
}

ExportGroup TwoThousandLampGroup()
{
    ExportGroup g;
    for (int i = 0; i < 2000; ++i)
        g.lamps.emplace_back(i % 50, i / 50, i, 0, 1, 1);
    g.tables.colourTable = {{255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0}};
    UIntArray all(2000);
    std::iota(all.begin(), all.end(), 0u);
    g.tables.lampSequenceTable = {all};
    for (std::uint32_t row = 0; row < 40; ++row) {
        UIntArray band;
        for (std::uint32_t x = 0; x < 50; ++x)
            band.push_back(row * 50 + x);
        g.tables.lampSequenceTable.push_back(band);
    }
    UIntArray bands(40);
    std::iota(bands.begin(), bands.end(), 1u);
    g.tables.bandTable = {bands};
    g.modes = {BenchMode(2, 10, 150, 150), BenchMode(5, 10, 150, 150), BenchMode(9, 1, 0, 100),
               BenchMode(0, 5, 50, 100)};
    return g;
}

} // namespace lumaro::bench
