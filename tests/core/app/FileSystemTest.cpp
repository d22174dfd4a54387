#include "core/app/FileSystem.h"

#include "../TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>

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

TEST(WriteFileAtomic, LeftoversOfAKilledWriteGoWhenTheyAreOlderThanAMinute)
{
    TempDir dir;
    const auto old = dir / ".ColorData.sav.lumaro-tmp123456";
    const auto fresh = dir / ".Setting.ini.lumaro-tmp42";
    const auto others = dir / ".notes.lumaro-tmpx";
    for (const auto& f : {old, fresh, others})
        WriteText(f, "half");
    fs::last_write_time(old, fs::file_time_type::clock::now() - std::chrono::minutes(2));
    fs::last_write_time(others, fs::file_time_type::clock::now() - std::chrono::minutes(2));
    ASSERT_TRUE(WriteFileAtomic(dir / "ColorData.sav", "new").ok());
    EXPECT_FALSE(fs::exists(old));
    EXPECT_TRUE(fs::exists(fresh)) << "maybe another write at work";
    EXPECT_TRUE(fs::exists(others)) << "not a name of ours";
}
