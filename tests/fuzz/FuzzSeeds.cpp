#include "../core/SampleDocument.h"
#include "../core/effects/RandomProjects.h"

#include "core/app/FileSystem.h"
#include "core/effects/EffectCompiler.h"
#include "core/firmware/FirmwareEmitter.h"
#include "core/preview/PlacementFile.h"
#include "core/project/LayoutFile.h"

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;
using lumaro::CEditImgDoc;

std::vector<std::string> LayoutSeeds()
{
    CEditImgDoc small;
    small.lamps = lumaro::test::MakeLampGrid(3);
    std::vector<std::string> seeds;
    for (const CEditImgDoc& doc : {CEditImgDoc{}, small, lumaro::test::MakeRichDocument()})
        seeds.push_back(lumaro::CLayoutFile::Serialize(doc));
    return seeds;
}

// Projects with modes of every kind, layers and program groups, for the
// operations to get past their first checks.
std::vector<std::string> OperationSeeds()
{
    std::vector<std::string> seeds = LayoutSeeds();
    for (std::uint32_t seed = 1; seed <= 6; ++seed)
        seeds.push_back(lumaro::CLayoutFile::Serialize(lumaro::test::RandomProject(seed)));
    CEditImgDoc scenes;
    scenes.lamps = lumaro::test::MakeLampGrid(40);
    for (int slot = 0; slot < 12; ++slot)
        scenes.scenes[static_cast<std::size_t>(slot)][0] = {slot, 10 * slot, {}};
    seeds.push_back(lumaro::CLayoutFile::Serialize(scenes));
    return seeds;
}

std::string Shipped(const fs::path& name)
{
    auto bytes = lumaro::ReadFileBytes(fs::path(LUMARO_SOURCE_DIR) / "data" / name);
    return bytes ? std::move(bytes.value()) : std::string();
}

std::vector<std::string> IniSeeds()
{
    return {Shipped("Mullanguage/English.ini"), Shipped("Mullanguage/Chinese.ini"),
            Shipped("Mullanguage/Setting.ini"), "\xEF\xBB\xBF[string]\r\n k = \"v\" \r\n\r\n[Other]\r\nk=w",
            "[Setting]\nLanguage=German\n[String]\nLANGUAGE=\n"};
}

std::vector<std::string> ColourDataSeeds()
{
    // Line feeds, with a few lines in other endings.
    std::string mixed = "header\n";
    for (int g = 0; g < 50; ++g)
        mixed += "ColorGroup:" + std::to_string(g) + "]" + (g % 2 ? "255  0  0" : "") +
                 (g % 7 == 3   ? "\r\n"
                  : g % 7 == 5 ? "\r\r\n"
                               : "\n");
    mixed += "     [Warm]255128  0\nSection";
    return {Shipped("ColorData.sav"), mixed};
}

// The three tables "CData.h" is read from, a NUL byte between them.
std::vector<std::string> FirmwareDataSeeds()
{
    std::vector<std::string> seeds;
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        const CEditImgDoc doc = lumaro::test::RandomProject(seed);
        const auto texts = lumaro::MakeFirmwareSources(lumaro::CompileEffects(doc), doc.lamps, 1);
        seeds.push_back(texts.portTable + '\0' + texts.showPattern + '\0' + texts.groupTables);
    }
    return seeds;
}

} // namespace

// Writes the files each fuzz target's corpus starts from.
int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: fuzz_seeds layout|operations|ini|colour_data|firmware_data|placement FOLDER\n";
        return 2;
    }
    const std::string_view target = argv[1];
    std::vector<std::string> seeds;
    if (target == "layout")
        seeds = LayoutSeeds();
    else if (target == "operations")
        seeds = OperationSeeds();
    else if (target == "ini")
        seeds = IniSeeds();
    else if (target == "colour_data")
        seeds = ColourDataSeeds();
    else if (target == "firmware_data")
        seeds = FirmwareDataSeeds();
    else if (target == "placement")
        seeds = {lumaro::CPlacementFile::Bytes({12.5, -3.25, 0.75, 2}), std::string("\xff"
                                                                                    "1,2,0.000000,1,")};
    else {
        std::cerr << "fuzz_seeds: no seeds for " << target << "\n";
        return 2;
    }
    const fs::path dir = argv[2];
    fs::create_directories(dir);
    int n = 0;
    for (const std::string& seed : seeds)
        if (seed.empty() || !lumaro::WriteFileAtomic(dir / ("seed" + std::to_string(n++)), seed))
            return 1;
    return 0;
}
