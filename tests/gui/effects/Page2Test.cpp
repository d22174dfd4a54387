#include "effects/EffectsTestSupport.h"

#include "core/effects/ModeEditState.h"
#include "gui/app/DialogLangText.h"
#include "gui/effects/ColourListEditor.h"
#include "gui/effects/Page2.h"
#include "gui/preview/ModeTestState.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

namespace lumaro::gui::test {
namespace {

class Page2Test : public ModeEditorTest {
protected:
    void SetUp() override
    {
        ModeEditorTest::SetUp();
        page = sheet->ColourListPage();
        page->chooseColour = [](QWidget*) -> std::optional<QColor> { return QColor(9, 8, 7); };
        page->askGroupName = [this](QWidget*, const QString& proposal) -> std::optional<QString> {
            proposals << proposal;
            return groupName;
        };
    }
    // A new record of type being added, with colours, and the page showing it.
    void Begin(const std::string& type, const UIntArray& colours,
               CModeEditState::Action action = CModeEditState::Action::Adding)
    {
        CModeItem record = Mode(type, type);
        record.colours = colours;
        sheet->EditState().Begin(record, action);
        sheet->Open();
        sheet->ShowPage(CModeTestState::ColourListPage);
    }
    void Click(int id)
    {
        QPushButton* button = page->Button(id);
        ASSERT_NE(button, nullptr) << id;
        button->click();
    }
    QStringList Lines() const
    {
        QStringList lines;
        for (int row = 0; row < page->ColourList()->count(); ++row)
            lines << page->ColourList()->item(row)->text();
        return lines;
    }
    int CurrentTab() const { return sheet->Tabs()->currentIndex(); }
    const CModeItem& Record() { return sheet->EditState().record; }

    CPage2* page = nullptr;
    QStringList proposals;
    std::optional<QString> groupName = QStringLiteral("Cool");
};

TEST_F(Page2Test, ControlsCarryTheirIdsAndTooltipsInOrder)
{
    const int buttons[] = {1105, 1113, 1104, 1114, 1128, 1129, 1130,
                           1131, 1111, 1112, 1106, 1107, 1108, 1100};
    for (int tip = 0; tip < 14; ++tip) {
        QPushButton* button = page->Button(buttons[tip]);
        ASSERT_NE(button, nullptr) << buttons[tip];
        EXPECT_EQ(button->toolTip(), QStringLiteral("tip %1").arg(tip + 1));
    }
    EXPECT_EQ(ControlIdOf(page->ColourList()), std::optional<int>(1101));
    EXPECT_EQ(ControlIdOf(page->GroupList()), std::optional<int>(1109));
    EXPECT_EQ(page->Button(CPage2::SaveColourId)->text(), Text("IDD108_1112"));
    EXPECT_EQ(ControlIdOf(page->StatusLine()), std::optional<int>(1015));
    EXPECT_TRUE(page->StatusLine()->isReadOnly());
}

TEST_F(Page2Test, PaintsEachColourOnItsOwnLine)
{
    Begin("CM_LEFTTORIGHT_GC", {255, 0, 0, 0, 128, 255, 20, 200, 20});
    const QImage grab = Screenshot(sheet.get(), QStringLiteral("mode-editor-colours"));
    ExpectPainted(grab, *sheet);
    QListWidget* list = page->ColourList();
    const QRect line =
        list->visualItemRect(list->item(1)).translated(list->viewport()->mapTo(sheet.get(), QPoint(0, 0)));
    EXPECT_TRUE(ShowsColour(grab, line, QColor(0, 128, 255)));
}

TEST_F(Page2Test, ShowsTheEditedRecordAndKeepsItsListUntilAnotherRecordBegins)
{
    Begin("CM_LEFTTORIGHT_GC", {255, 0, 0, 7, 80, 255});
    EXPECT_EQ(Lines(), (QStringList{QStringLiteral(" 255R   0G   0B"), QStringLiteral("   7R  80G 255B")}));
    EXPECT_EQ(page->StatusLine()->text(),
              Text("ID_MSG_PAGE2_CURMODE") + QStringLiteral(" CM_LEFTTORIGHT_GC"));
    Click(CPage2::RemoveAllId);
    sheet->ShowPage(CModeTestState::ModeListPage);
    sheet->ShowPage(CModeTestState::ColourListPage);
    EXPECT_TRUE(Lines().isEmpty()) << "a visit to another page keeps the list being built";
    Begin("CM_KERNELBD", {1, 2, 3});
    EXPECT_EQ(Lines(), QStringList{QStringLiteral("   1R   2G   3B")});
}

TEST_F(Page2Test, ColourButtonsChangeTheListNotTheProject)
{
    Begin("CM_LEFTTORIGHT_GC", {0, 0, 0, 255, 255, 255});
    Click(CPage2::InsertId);
    EXPECT_EQ(log.messages, QStringList{Text("PAGE2_ONBUTTON3_PSAK")});
    Click(CPage2::AddId);
    page->ColourList()->setCurrentRow(0);
    Click(CPage2::StartColourId);
    page->ColourList()->setCurrentRow(1);
    Click(CPage2::EndColourId);
    page->Editor().GradientCount()->setValue(3);
    Click(CPage2::SelectStepId);
    page->ColourList()->setCurrentRow(2);
    Click(CPage2::RemoveSingleId);
    Click(CPage2::ShowColourId);
    EXPECT_EQ(Lines(), (QStringList{QStringLiteral("   0R   0G   0B"), QStringLiteral(" 255R 255G 255B"),
                                    QStringLiteral("   0R   0G   0B"), QStringLiteral(" 180R 180G 180B"),
                                    QStringLiteral(" 255R 255G 255B")}));
    EXPECT_EQ(Record().colours, (UIntArray{0, 0, 0, 255, 255, 255})) << "the record waits for Save Color";
    EXPECT_EQ(document.UndoStack().count(), 0);
}

TEST_F(Page2Test, SaveColourTakesTheListIntoTheRecordAndGoesOnToTheParameterPage)
{
    Begin("CM_LEFTTORIGHT_GC", {1, 2, 3});
    Click(CPage2::AddId);
    Click(CPage2::SaveColourId);
    EXPECT_TRUE(log.messages.isEmpty());
    EXPECT_EQ(Record().colours, (UIntArray{1, 2, 3, 9, 8, 7}));
    EXPECT_EQ(CurrentTab(), CModeTestState::ParameterPage);
    EXPECT_EQ(document.UndoStack().count(), 0)
        << "the record reaches the project with the parameter page's OK";
}

TEST_F(Page2Test, SaveColourWithoutAModeBeingMadeSendsTheUserToTheModeList)
{
    Begin("CM_LEFTTORIGHT_GC", {1, 2, 3}, CModeEditState::Action::None);
    Click(CPage2::RemoveAllId);
    Click(CPage2::SaveColourId);
    EXPECT_EQ(log.messages, QStringList{Text("PAGE3_ONBUTTON1_PSAT")});
    EXPECT_EQ(CurrentTab(), CModeTestState::ModeListPage);
    EXPECT_EQ(Record().colours, (UIntArray{1, 2, 3}));
}

TEST_F(Page2Test, SaveColourRefusesTooFewColoursAndTellsAFadeWhatItUses)
{
    const struct {
        const char* type;
        UIntArray colours;
        const char* message; // nullptr: none
        bool taken;
    } cases[] = {
        {"CM_LEFTTORIGHT_GC", {}, "PAGE2_ONBUTTON4_YSAT", false},
        {"CM_EMPTYMODE", {}, nullptr, true},
        {"CM_LEFTTORIGHT_WORD", {1, 1, 1}, "PAGE2_ONBUTTON4_YAAT", false},
        {"CM_LEFTTORIGHT_WORD", {1, 1, 1, 2, 2, 2}, nullptr, true},
        {"CM_BRIGHTTODARK", {1, 1, 1, 2, 2, 2, 3, 3, 3}, "PAGE2_ONBUTTON4_TFCW", true},
        {"CM_BRIGHTTODARK", {1, 1, 1, 2, 2, 2}, nullptr, true},
        {"CM_CUSTOMMODE", {1, 1, 1}, nullptr, true},
    };
    for (const auto& c : cases) {
        log.messages.clear();
        Begin(c.type, {7, 7, 7});
        page->Editor().SetColours(c.colours);
        Click(CPage2::SaveColourId);
        EXPECT_EQ(log.messages, c.message ? QStringList{Text(c.message)} : QStringList()) << c.type;
        EXPECT_EQ(Record().colours, c.taken ? c.colours : (UIntArray{7, 7, 7})) << c.type;
        EXPECT_EQ(CurrentTab(), c.taken ? CModeTestState::ParameterPage : CModeTestState::ColourListPage)
            << c.type;
    }
}

TEST_F(Page2Test, GroupListHoldsTheFiftyNumberedGroupsThenTheNamedOnes)
{
    ASSERT_EQ(page->GroupList()->count(), 51);
    EXPECT_EQ(page->GroupList()->item(0)->text(), QStringLiteral("ColorGroup:0"));
    EXPECT_EQ(page->GroupList()->item(49)->text(), QStringLiteral("ColorGroup:49"));
    EXPECT_EQ(page->GroupList()->item(50)->text(), QStringLiteral("Warm"));
}

TEST_F(Page2Test, InputTakesAGroupsColoursAndSaveRecordsTheGroup)
{
    Begin("CM_LEFTTORIGHT_GC", {9, 9, 9});
    Click(CPage2::InputId);
    EXPECT_EQ(log.messages, QStringList{Text("PAGE2_ONBUTTON13_PSAC")});
    page->GroupList()->setCurrentRow(1);
    Click(CPage2::InputId);
    EXPECT_EQ(Lines(), (QStringList{QStringLiteral("   1R   2G   3B"), QStringLiteral("   4R   5G   6B")}));
    Click(CPage2::SaveColourId);
    EXPECT_EQ(Record().colours, (UIntArray{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Record().colourGroupId, 1);
}

TEST_F(Page2Test, OutputAppendsTheListToTheSelectedGroup)
{
    Begin("CM_LEFTTORIGHT_GC", {255, 0, 10});
    Click(CPage2::OutputId);
    EXPECT_EQ(log.messages, QStringList{Text("PAGE2_ONBUTTON12_PSAC")});
    page->GroupList()->setCurrentRow(1);
    Click(CPage2::OutputId);
    EXPECT_EQ(GroupLine(1), "ColorGroup:1]  1  2  3  4  5  6255  0 10");
    EXPECT_EQ(GroupLine(2), "ColorGroup:2]");
}

TEST_F(Page2Test, ClearEmptiesTheSelectedGroupOnlyAfterAYes)
{
    Click(CPage2::ClearId);
    EXPECT_EQ(log.messages, QStringList{Text("PAGE2_ONBUTTON14_PSAC")});
    page->GroupList()->setCurrentRow(1);
    log.answer = QMessageBox::No;
    Click(CPage2::ClearId);
    EXPECT_EQ(GroupLine(1), "ColorGroup:1]  1  2  3  4  5  6");
    log.answer = QMessageBox::Yes;
    Click(CPage2::ClearId);
    EXPECT_EQ(GroupLine(1), "ColorGroup:1]");
    EXPECT_EQ(log.messages.mid(1),
              (QStringList{Text("PAGE2_ONBUTTON14_DYRW"), Text("PAGE2_ONBUTTON14_DYRW")}));
}

TEST_F(Page2Test, AddGroupStoresTheListUnderTheNameTheUserGives)
{
    Begin("CM_LEFTTORIGHT_GC", {1, 2, 3});
    groupName = QStringLiteral("Co]ol");
    Click(CPage2::AddGroupId);
    EXPECT_EQ(proposals, QStringList{QStringLiteral("ColorGroup:50")});
    ASSERT_EQ(page->GroupList()->count(), 52);
    EXPECT_EQ(page->GroupList()->item(51)->text(), QStringLiteral("Cool"))
        << "a name cannot end its label early";
    EXPECT_EQ(GroupLine(51), "     [Cool]  1  2  3");
    groupName.reset();
    Click(CPage2::AddGroupId);
    EXPECT_EQ(page->GroupList()->count(), 52) << "cancelled";
}

TEST_F(Page2Test, AMissingColourFileIsReportedAndLeavesTheListEmpty)
{
    fs::remove(install.Folder() / "ColorData.sav");
    Begin("CM_LEFTTORIGHT_GC", {1, 2, 3});
    page->GroupList()->setCurrentRow(3);
    Click(CPage2::InputId);
    EXPECT_TRUE(Lines().isEmpty());
    Click(CPage2::OutputId);
    EXPECT_EQ(log.messages,
              (QStringList{Text("MYFUNCTION_GETCOLORDATE_CGD"), Text("MYFUNCTION_SAVECOLORDATE_TDFM")}));
}

} // namespace
} // namespace lumaro::gui::test
