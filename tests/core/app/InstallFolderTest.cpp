#include "core/app/InstallFolder.h"
#include "core/app/FileSystem.h"

#include <gtest/gtest.h>

using namespace lumaro;

TEST(InstallFolder, LumaroHomeWinsWhenSet)
{
    EXPECT_EQ(ResolveInstallFolder(std::string("/opt/site"), "/usr/bin"), fs::path("/opt/site"));
}

#ifndef _WIN32
TEST(InstallFolder, OtherwiseTheDataBesideThePrograms)
{
    EXPECT_EQ(ResolveInstallFolder(std::nullopt, "/usr/local/bin"), fs::path("/usr/local/share/lumaro"));
    // An empty LUMARO_HOME counts as unset.
    EXPECT_EQ(ResolveInstallFolder(std::string(), "/x/build/bin"), fs::path("/x/build/share/lumaro"));
}

TEST(InstallFolder, TheBuildTreeShipsItsCopyOfTheData)
{
    // Tests run from the build tree, whose install folder holds the settings file.
    const fs::path folder = ResolveInstallFolder(std::nullopt, ExecutableDir());
    EXPECT_TRUE(fs::exists(folder / datapath::Settings)) << folder;
}
#endif
