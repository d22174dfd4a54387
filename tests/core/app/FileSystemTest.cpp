#include "core/app/FileSystem.h"

#include "../TestSupport.h"

#include <gtest/gtest.h>

using namespace lumaro;
using lumaro::test::ReadText;
using lumaro::test::TempDir;
using lumaro::test::WriteText;

TEST(FindPathNoCase, ResolvesEveryComponent)
{
    TempDir dir;
    fs::create_directories(dir / "Mullanguage" / "Sub");
    WriteText(dir / "Mullanguage" / "Sub" / "English.ini", "x");
    EXPECT_EQ(FindPathNoCase(dir / "mullanguage" / "SUB" / "english.INI"),
              dir / "Mullanguage" / "Sub" / "English.ini");
    // An exact path is returned as it is.
    EXPECT_EQ(FindPathNoCase(dir / "Mullanguage"), dir / "Mullanguage");
    // Nothing matching: the path comes back unchanged, so callers report it missing.
    EXPECT_EQ(FindPathNoCase(dir / "mullanguage" / "French.ini"), dir / "mullanguage" / "French.ini");
}

TEST(WriteFileAtomic, ReplacesTheWholeFileAndLeavesNoTemporary)
{
    TempDir dir;
    const auto file = dir / "a.led";
    WriteText(file, std::string(10000, 'o'));
    ASSERT_TRUE(WriteFileAtomic(file, "new").ok());
    EXPECT_EQ(ReadText(file), "new");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(WriteFileAtomic, KeepsThePermissionsOfTheReplacedFile)
{
    TempDir dir;
    const auto file = dir / "Setting.ini";
    WriteText(file, "old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(WriteFileAtomic(file, "new").ok());
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(WriteFileAtomic, FailureReportsAndKeepsTheOldFile)
{
    TempDir dir;
    const Status missing = WriteFileAtomic(dir / "no" / "such" / "folder.led", "x");
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.detail.find("folder.led"), std::string::npos);

    fs::create_directory(dir / "taken");
    WriteText(dir / "taken" / "keep", "kept");
    EXPECT_FALSE(WriteFileAtomic(dir / "taken", "x").ok());
    EXPECT_EQ(ReadText(dir / "taken" / "keep"), "kept");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1); // no temporary left behind
}

TEST(ReadFileBytes, ReadsBinaryBytesAndReportsMissingFiles)
{
    TempDir dir;
    const std::string bytes("a\0b\r\n\xFF", 6);
    WriteText(dir / "f", bytes);
    auto r = ReadFileBytes(dir / "f");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value(), bytes);
    EXPECT_FALSE(ReadFileBytes(dir / "none").ok());
}
