#include "core/app/LangText.h"

#include "../TestSupport.h"

#include <gtest/gtest.h>

using namespace lumaro;
using lumaro::test::TempDir;
using lumaro::test::WriteText;

namespace {

// Restores the process-wide language state after each case.
class LangTextTest : public ::testing::Test {
protected:
    void SetUp() override { m_saved = CLangText::LanguageFilePath(); }
    void TearDown() override { CLangText::SetLanguageFilePath(m_saved); }

    TempDir dir;

private:
    fs::path m_saved;
};

} // namespace

TEST_F(LangTextTest, MissingKeyOrFileGivesEmptyText)
{
    const auto file = dir / "English.ini";
    WriteText(file, "[String]\nA=Alpha\n");
    CLangText::SetLanguageFilePath(file);
    EXPECT_EQ(GetLangText("A"), "Alpha");
    EXPECT_EQ(GetLangText("B"), "");
    CLangText::SetLanguageFilePath(dir / "Missing.ini");
    EXPECT_EQ(GetLangText("A"), "");
    CLangText::SetLanguageFilePath({});
    EXPECT_EQ(GetLangText("A"), "");
}

TEST_F(LangTextTest, BackslashNBecomesALineFeedOnlyInMessageTexts)
{
    const auto file = dir / "English.ini";
    WriteText(file, "[String]\nMSG=First\\nSecond\\\\n\\x\nIDD100_Title=A\\nB\n");
    CLangText::SetLanguageFilePath(file);
    EXPECT_EQ(GetLangText("MSG"), "First\nSecond\\\n\\x");
    EXPECT_EQ(GetLangTextRaw("IDD100_Title"), "A\\nB");
}

TEST_F(LangTextTest, TextsAreCutTo999CharactersBeforeConversion)
{
    const auto file = dir / "English.ini";
    // 998 letters, then a backslash-n straddling the limit: only the backslash fits.
    WriteText(
        file, "[String]\nLONG=" + std::string(998, 'a') + "\\nb\nCJK=" + [] {
            std::string s;
            for (int i = 0; i < 1200; ++i)
                s += "\xE4\xB8\xAD"; // one Chinese character, three bytes
            return s;
        }() + "\n");
    CLangText::SetLanguageFilePath(file);
    EXPECT_EQ(GetLangText("LONG"), std::string(998, 'a').append("\\"));
    const std::string cjk = GetLangText("CJK");
    EXPECT_EQ(cjk.size(), 999u * 3u);
    EXPECT_EQ(cjk.substr(cjk.size() - 3), "\xE4\xB8\xAD");
}

TEST_F(LangTextTest, AFailureFillsItsArgumentsIntoTheText)
{
    const auto file = dir / "English.ini";
    WriteText(file, "[String]\nBIG=%2 by %1, %3 left, 100%\n");
    CLangText::SetLanguageFilePath(file);
    EXPECT_EQ(GetLangText(Status::Fail("BIG", "detail", {"7", "%1"})), "%1 by 7, %3 left, 100%");
    EXPECT_EQ(GetLangText(Status::Fail("BIG")), "%2 by %1, %3 left, 100%");
}

TEST_F(LangTextTest, LanguageFileIsFoundWithoutRegardToCase)
{
    fs::create_directory(dir / "Mullanguage");
    WriteText(dir / "Mullanguage" / "English.ini", "[String]\nA=Found\n");
    CLangText::SetLanguageFilePath(CLangText::LanguageFileIn(dir.path(), "english.ini"));
    EXPECT_EQ(GetLangText("A"), "Found");
    CLangText::SetLanguageFilePath(
        CLangText::LanguageFileIn(dir.path() / "MULLANGUAGE" / "..", "ENGLISH.INI"));
    EXPECT_EQ(GetLangText("a"), "Found");
}

TEST_F(LangTextTest, LookUpsSeeTheFileAsItIsNow)
{
    const auto file = dir / "French.ini";
    WriteText(file, "[String]\nA=Un\n");
    CLangText::SetLanguageFilePath(file);
    EXPECT_EQ(GetLangText("A"), "Un");
    WriteText(file, "[String]\nA=Deux\n");
    EXPECT_EQ(GetLangText("A"), "Deux");
    fs::remove(file);
    EXPECT_EQ(GetLangText("A"), "");
}

TEST(LangTextStartup, LanguageNameFromTheSettingsFile)
{
    TempDir dir;
    const auto settings = dir / "Setting.ini";
    EXPECT_EQ(CLangText::ReadLanguageFileName(settings), "English.ini");
    WriteText(settings, "[Setting]\nOther=1\n");
    EXPECT_EQ(CLangText::ReadLanguageFileName(settings), "English.ini");
    WriteText(settings, "[setting]\nlanguage = Chinese \n");
    EXPECT_EQ(CLangText::ReadLanguageFileName(settings), "Chinese.ini");
    WriteText(settings, "[Setting]\nLanguage=" + std::string(300, 'x') + "\n");
    EXPECT_EQ(CLangText::ReadLanguageFileName(settings), std::string(259, 'x').append(".ini"));
    // The settings file itself is found whatever the case of its name.
    fs::remove(settings);
    WriteText(dir / "SETTING.INI", "[Setting]\nLanguage=Italy\n");
    EXPECT_EQ(CLangText::ReadLanguageFileName(settings), "Italy.ini");
}
