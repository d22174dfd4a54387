#include "GuiTestSupport.h"

#include "core/app/LangText.h"
#include "core/layout/LampScanner.h"
#include "gui/app/MessageText.h"

#include <gtest/gtest.h>

namespace lumaro::gui::test {
namespace {

class MessageText : public ::testing::Test {
protected:
    CTestInstall install;
};

TEST_F(MessageText, FillsEveryPlaceholderInOnePass)
{
    install.WriteLanguageFile("Test.ini", "[String]\nKEY=%2 before %1, %3 as written\n");
    CLangText::SetLanguageFilePath(install.Folder() / "Mullanguage" / "Test.ini");
    // A value holding a placeholder is not filled again.
    EXPECT_EQ(LangTextWith("KEY", {"a%2", "b"}).toStdString(), "b before a%2, %3 as written");
    EXPECT_TRUE(LangTextWith("MISSING", {"x"}).isEmpty());
}

TEST_F(MessageText, ScanRefusalReadsInTheUsersLanguageWithItsValues)
{
    CLangText::SetLanguageFilePath(install.Folder() / "Mullanguage" / "German.ini");
    CEditImgDoc doc;
    doc.scanScope = {0, 0, 640, 480};
    doc.objectSize = 0.0f;
    const Status refused = CLampScanner::Begin(doc);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(DetailText(refused).toStdString(), "Die Rasterweite inf ist keine positive Zahl.");

    doc.objectSize = 999999.0f;
    doc.lampSize = 1.01f;
    EXPECT_EQ(DetailText(CLampScanner::Begin(doc)).toStdString(),
              "Die Rasterweite 0.000646401 ergibt im Bereich 0,0,640,480 990098 Spalten × 742573 "
              "Zeilen, mehr als 16777216 Abtastpunkte.");
    // A detail only for the command line stays out of the message box.
    EXPECT_TRUE(DetailText(Status::Fail("FRAMEWORK_FILE_READ_ERROR", "offset 12")).isEmpty());
}

} // namespace
} // namespace lumaro::gui::test
