#include "core/app/IniFile.h"

#include "../TestSupport.h"

#include <gtest/gtest.h>

using namespace lumaro;
using lumaro::test::ReadText;
using lumaro::test::TempDir;
using lumaro::test::WriteText;

namespace {

std::optional<std::string> Find(std::string_view text, std::string_view section, std::string_view key)
{
    return CIniFile::Find(text, section, key);
}

} // namespace

TEST(IniFileRead, NamesAreComparedWithoutRegardToCase)
{
    const std::string text = "[String]\nID_FILE_OPEN=Open\n";
    EXPECT_EQ(Find(text, "string", "id_file_open"), "Open");
    EXPECT_EQ(Find(text, "STRING", "Id_File_Open"), "Open");
}

TEST(IniFileRead, FirstSectionAndFirstKeyWin)
{
    const std::string text = "[A]\nk=first\nk=second\n[a]\nk=third\nonly=later\n";
    EXPECT_EQ(Find(text, "A", "k"), "first");
    // Only the first section of a name is searched.
    EXPECT_EQ(Find(text, "A", "only"), std::nullopt);
}

TEST(IniFileRead, MissingSectionKeyOrFileGiveNothing)
{
    const std::string text = "[A]\nk=v\n";
    EXPECT_EQ(Find(text, "B", "k"), std::nullopt);
    EXPECT_EQ(Find(text, "A", "x"), std::nullopt);
    // A key of another section is not found through this one.
    EXPECT_EQ(Find("[A]\n[B]\nk=v\n", "A", "k"), std::nullopt);
    // Keys before any section belong to none.
    EXPECT_EQ(Find("k=v\n[A]\n", "A", "k"), std::nullopt);
    TempDir dir;
    EXPECT_EQ(CIniFile::ReadString(dir / "none.ini", "A", "k", "dflt"), "dflt");
    EXPECT_EQ(CIniFile::Read(dir / "none.ini", "A", "k"), std::nullopt);
}

TEST(IniFileRead, BlanksDroppedAndDoubleQuotesRemoved)
{
    const std::string text = "  [ Setting ]  \n  Language  =   English  \nq=\"  padded  \"\n"
                             "half=\"open\nsingle='kept'\nempty=\ninner=a=b\n";
    EXPECT_EQ(Find(text, "Setting", "Language"), "English");
    EXPECT_EQ(Find(text, "Setting", "q"), "  padded  ");
    EXPECT_EQ(Find(text, "Setting", "half"), "\"open");
    EXPECT_EQ(Find(text, "Setting", "single"), "'kept'");
    EXPECT_EQ(Find(text, "Setting", "empty"), "");
    EXPECT_EQ(Find(text, "Setting", "inner"), "a=b");
}

TEST(IniFileRead, LongValuesComeBackWhole)
{
    const std::string value(5000, 'x');
    EXPECT_EQ(Find("[S]\nk=" + value + "\n", "S", "k"), value);
}

TEST(IniFileRead, ByteOrderMarkAndCrLfAreHandled)
{
    const std::string text = "\xEF\xBB\xBF[String]\r\nA=\xE6\x96\x87\xE4\xBB\xB6\r\nB=two\r\n";
    EXPECT_EQ(Find(text, "String", "A"), "\xE6\x96\x87\xE4\xBB\xB6");
    EXPECT_EQ(Find(text, "String", "B"), "two");
}

TEST(IniFileRead, FileIsReadAfreshOnEveryLookUp)
{
    TempDir dir;
    const auto file = dir / "s.ini";
    WriteText(file, "[S]\nk=old\n");
    EXPECT_EQ(CIniFile::ReadString(file, "S", "k", ""), "old");
    WriteText(file, "[S]\nk=new\n");
    EXPECT_EQ(CIniFile::ReadString(file, "S", "k", ""), "new");
}

TEST(IniFileWrite, ReplacesOnlyTheKeysLine)
{
    const std::string text =
        "; comment\r\n[Setting]\r\n  Language = English  \r\nOther=1\r\n\r\n[X]\r\nLanguage=Keep\r\n";
    EXPECT_EQ(CIniFile::WithValue(text, "setting", "LANGUAGE", "French"),
              "; comment\r\n[Setting]\r\n  Language =French\r\nOther=1\r\n\r\n[X]\r\nLanguage=Keep\r\n");
}

TEST(IniFileWrite, AddsAtTheEndOfItsSection)
{
    EXPECT_EQ(CIniFile::WithValue("[A]\na=1\n\n[B]\nb=2\n", "A", "k", "v"), "[A]\na=1\nk=v\n\n[B]\nb=2\n");
    EXPECT_EQ(CIniFile::WithValue("[A]\na=1", "A", "k", "v"), "[A]\na=1\nk=v\n");
    EXPECT_EQ(CIniFile::WithValue("[A]\r\n", "A", "k", "v"), "[A]\r\nk=v\r\n");
    EXPECT_EQ(CIniFile::WithValue("[A]\na=1\r", "A", "k", "v"), "[A]\na=1\r\nk=v\n");
}

TEST(IniFileWrite, AddsTheSectionWhereMissing)
{
    EXPECT_EQ(CIniFile::WithValue("[A]\na=1\n", "Setting", "Language", "Italy"),
              "[A]\na=1\n[Setting]\nLanguage=Italy\n");
    EXPECT_EQ(CIniFile::WithValue("[A]\r\na=1", "S", "k", "v"), "[A]\r\na=1\r\n[S]\r\nk=v\r\n");
    // A byte-order mark stays where it is.
    EXPECT_EQ(CIniFile::WithValue("\xEF\xBB\xBF[S]\nk=1\n", "S", "k", "2"), "\xEF\xBB\xBF[S]\nk=2\n");
}

TEST(IniFileWrite, CreatesTheFileAndReplacesItWhole)
{
    TempDir dir;
    const auto file = dir / "Setting.ini";
    ASSERT_TRUE(CIniFile::Write(file, "Setting", "Language", "German").ok());
    EXPECT_EQ(CIniFile::ReadString(file, "Setting", "Language", ""), "German");
    ASSERT_TRUE(CIniFile::Write(file, "Setting", "Language", "Chinese").ok());
    EXPECT_EQ(CIniFile::ReadString(file, "Setting", "Language", ""), "Chinese");
    // Nothing but the file itself is left in the folder.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(IniFileWrite, FailureLeavesTheFileAlone)
{
    TempDir dir;
    const auto file = dir / "missing-folder" / "Setting.ini";
    const Status s = CIniFile::Write(file, "Setting", "Language", "German");
    EXPECT_FALSE(s.ok());
    EXPECT_FALSE(s.key.empty());
    EXPECT_FALSE(fs::exists(file.parent_path()));

    // A folder standing where the file should be cannot be replaced.
    const auto blocked = dir / "blocked.ini";
    fs::create_directory(blocked);
    WriteText(blocked / "inside", "x");
    EXPECT_FALSE(CIniFile::Write(blocked, "S", "k", "v").ok());
    EXPECT_EQ(ReadText(blocked / "inside"), "x");
}
