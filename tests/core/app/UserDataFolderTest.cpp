#include "core/app/UserDataFolder.h"
#include "core/app/InstallFolder.h"

#include "../TestSupport.h"

#include <gtest/gtest.h>

using namespace lumaro;
using lumaro::test::ReadText;
using lumaro::test::TempDir;
namespace {

void WriteText(const fs::path& p, std::string_view bytes)
{
    fs::create_directories(p.parent_path());
    lumaro::test::WriteText(p, bytes);
}

// An installed system: a read-only install folder and a home of the user's.
class UserDataFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteText(Install(datapath::Settings), "[Setting]\nLanguage=English\n");
        WriteText(Install(datapath::Mullanguage / "English.ini"), "[String]\n");
        WriteText(Install(datapath::ColourData), "colours v1");
        WriteText(Install("sys/lss1.sh"), "build v1");
        WriteText(Install("sys/inc/DatTyp.h"), "types v1");
        WriteText(Install("Help/index.htm"), "help");
    }

    fs::path Install(const fs::path& relative = {}) const { return Below("usr/share/lumaro", relative); }
    fs::path User(const fs::path& relative = {}) const { return Below("home/.local/share/lumaro", relative); }
    fs::path Below(const fs::path& folder, const fs::path& relative) const
    {
        return relative.empty() ? m_root / folder : m_root / folder / relative;
    }

    Result<fs::path> Prepare(std::optional<std::string> xdg = std::nullopt) const
    {
        return CUserDataFolder::Prepare(
            {Install(), std::move(xdg), (m_root / "home").string(), [](const fs::path&) { return false; }});
    }

    TempDir m_root;
};

} // namespace

TEST(UserDataFolderPlace, XdgDataHomeElseHomeAndOnlyAbsolutePaths)
{
    EXPECT_EQ(CUserDataFolder::UserFolder(std::string("/x/data"), std::string("/home/a")),
              fs::path("/x/data/lumaro"));
    EXPECT_EQ(CUserDataFolder::UserFolder(std::nullopt, std::string("/home/a")),
              fs::path("/home/a/.local/share/lumaro"));
    EXPECT_EQ(CUserDataFolder::UserFolder(std::string("rel"), std::string("/home/a")),
              fs::path("/home/a/.local/share/lumaro"));
    EXPECT_EQ(CUserDataFolder::UserFolder(std::string(), std::nullopt), fs::path());
}

TEST_F(UserDataFolderTest, AWritableInstallFolderIsUsedAsItIs)
{
    const auto folder = CUserDataFolder::Prepare({Install(), std::nullopt, (m_root / "home").string(), {}});
    ASSERT_TRUE(folder.ok());
    EXPECT_EQ(folder.value(), Install());
    EXPECT_FALSE(fs::exists(User()));
}

TEST_F(UserDataFolderTest, FirstUseCopiesOnlyWhatTheProgramWrites)
{
    const auto folder = Prepare();
    ASSERT_TRUE(folder.ok()) << folder.status().detail;
    EXPECT_EQ(folder.value(), User());
    EXPECT_EQ(ReadText(User(datapath::Settings)), "[Setting]\nLanguage=English\n");
    EXPECT_EQ(ReadText(User(datapath::ColourData)), "colours v1");
    EXPECT_EQ(ReadText(User("sys/inc/DatTyp.h")), "types v1");
    EXPECT_TRUE(fs::exists(User(CUserDataFolder::ManifestName())));
    // Read-only data stays in the install folder.
    EXPECT_FALSE(fs::exists(User(datapath::Mullanguage / "English.ini")));
    EXPECT_FALSE(fs::exists(User("Help")));

    // XDG_DATA_HOME, when set, is the place instead.
    const auto xdg = Prepare((m_root / "xdg").string());
    ASSERT_TRUE(xdg.ok());
    EXPECT_EQ(xdg.value(), m_root / "xdg/lumaro");
    EXPECT_TRUE(fs::exists(m_root / "xdg/lumaro/sys/lss1.sh"));
}

TEST_F(UserDataFolderTest, AnUpgradeReplacesUntouchedCopiesAndKeepsTheUsersChanges)
{
    ASSERT_TRUE(Prepare().ok());
    // The user picks a language and builds once: the build leaves its own files.
    WriteText(User(datapath::Settings), "[Setting]\nLanguage=German\n");
    WriteText(User("sys/cport.h"), "generated");
    fs::remove(User("sys/inc/DatTyp.h"));

    WriteText(Install(datapath::Settings), "[Setting]\nLanguage=English\nWebSite=x\n");
    WriteText(Install(datapath::ColourData), "colours v2");
    WriteText(Install("sys/lss1.sh"), "build v2");
    ASSERT_TRUE(Prepare().ok());

    EXPECT_EQ(ReadText(User(datapath::Settings)), "[Setting]\nLanguage=German\n");
    EXPECT_EQ(ReadText(User(datapath::ColourData)), "colours v2");
    EXPECT_EQ(ReadText(User("sys/lss1.sh")), "build v2");
    EXPECT_EQ(ReadText(User("sys/cport.h")), "generated");
    EXPECT_EQ(ReadText(User("sys/inc/DatTyp.h")), "types v1") << "a removed copy comes back";

    // The kept copy stays the user's on later starts, even when it happens
    // to match what was installed before.
    WriteText(User(datapath::ColourData), "mine");
    WriteText(Install(datapath::ColourData), "colours v3");
    ASSERT_TRUE(Prepare().ok());
    EXPECT_EQ(ReadText(User(datapath::ColourData)), "mine");
    EXPECT_EQ(ReadText(User(datapath::Settings)), "[Setting]\nLanguage=German\n");
}

TEST_F(UserDataFolderTest, AFileThatCannotBeCopiedIsAFailureWithItsKey)
{
    // A plain file where the user folder should be: nothing can go below it.
    WriteText(m_root / "blocked", "");
    const auto folder = Prepare((m_root / "blocked").string());
    ASSERT_FALSE(folder.ok());
    EXPECT_EQ(folder.status().key, msgkey::UserDataCopyError);
    ASSERT_EQ(folder.status().args.size(), 2u);
    EXPECT_EQ(folder.status().args[1], (m_root / "blocked/lumaro").string());

    const auto homeless = CUserDataFolder::Prepare(
        {Install(), std::nullopt, std::nullopt, [](const fs::path&) { return false; }});
    ASSERT_FALSE(homeless.ok());
    EXPECT_EQ(homeless.status().key, msgkey::UserDataCopyError);
}

TEST(UserDataFolderProbe, TellsAWritableFolderFromAMissingOne)
{
    TempDir dir;
    EXPECT_TRUE(CUserDataFolder::IsWritableFolder(dir.path()));
    EXPECT_TRUE(fs::is_empty(dir.path())) << "the probe leaves nothing behind";
    EXPECT_FALSE(CUserDataFolder::IsWritableFolder(dir / "missing"));
}
