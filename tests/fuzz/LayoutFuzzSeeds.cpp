#include "../core/SampleDocument.h"

#include "core/app/FileSystem.h"
#include "core/project/LayoutFile.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: layout_fuzz_seeds FOLDER\n";
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    lumaro::CEditImgDoc small;
    small.lamps = lumaro::test::MakeLampGrid(3);
    const lumaro::CEditImgDoc docs[] = {lumaro::CEditImgDoc{}, small, lumaro::test::MakeRichDocument()};
    int n = 0;
    for (const auto& doc : docs)
        if (!lumaro::WriteFileAtomic(dir / ("seed" + std::to_string(n++) + ".led"),
                                     lumaro::CLayoutFile::Serialize(doc)))
            return 1;
    return 0;
}
