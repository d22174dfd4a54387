#include "effects/EffectsTestSupport.h"

#include "core/effects/ModeCatalogue.h"
#include "core/effects/ModeEditState.h"
#include "core/effects/ModeEditorFlow.h"
#include "gui/app/DialogLangText.h"
#include "gui/effects/CirAreaDlg.h"
#include "gui/effects/ModePreview.h"
#include "gui/effects/Page3.h"
#include "gui/effects/page6.h"
#include "gui/preview/ModeTestState.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

namespace lumaro::gui::test {
namespace {

class Page3Test : public ModeEditorTest {
protected:
    void SetUp() override
    {
        ModeEditorTest::SetUp();
        page = sheet->ModeListPage();
        EditProject(document, [](CEditImgDoc& data) {
            data.lampPositions = LampRow(0, 4);
            data.modes = {Mode("CM_KERNELBD", "a"), Mode("CM_KERNELBD", "b"), Mode("CM_KERNELBD", "c")};
            // Group 0 plays b, then c.
            for (int mode : {1, 2}) {
                CModeItem entry = Mode("CM_KERNELBD", "entry");
                entry.layer = mode;
                data.programGroups[0].push_back(entry);
            }
        });
        sheet->Open();
    }
    void Click(int id)
    {
        QPushButton* button = page->Button(id);
        ASSERT_NE(button, nullptr) << id;
        button->click();
    }
    void Select(std::initializer_list<int> rows)
    {
        page->ModeList()->clearSelection();
        for (int row : rows)
            page->ModeList()->item(row)->setSelected(true);
    }
    void SelectType(std::string_view type)
    {
        const auto types = CatalogueTypes();
        page->TypeList()->setCurrentRow(int(std::find(types.begin(), types.end(), type) - types.begin()));
    }
    // The list's lines, joined by commas.
    QString Names() const
    {
        QStringList names;
        for (int row = 0; row < page->ModeList()->count(); ++row)
            names << page->ModeList()->item(row)->text();
        return names.join(QLatin1Char(','));
    }
    std::vector<int> GroupZero() const
    {
        std::vector<int> layers;
        for (const CModeItem& entry : document.Data().programGroups[0])
            layers.push_back(entry.layer);
        return layers;
    }
    int CurrentTab() const { return sheet->Tabs()->currentIndex(); }
    CModeEditState& Edit() { return sheet->EditState(); }

    CPage3* page = nullptr;
};

TEST_F(Page3Test, ControlsCarryTheirIdsTooltipsAndTheCatalogue)
{
    const int buttons[] = {1089, 1090, 1091, 1092, 1093, 1094, 1095, 1096};
    for (int tip = 0; tip < 8; ++tip) {
        const std::string key = "IDD109_m_p3tip" + std::to_string(tip + 1);
        EXPECT_EQ(page->Button(buttons[tip])->toolTip(), Text(key.c_str())) << buttons[tip];
    }
    EXPECT_EQ(page->Button(CPage3::ConfirmId)->text(), Text("IDD109_1097"));
    EXPECT_EQ(ControlIdOf(page->Preview()), std::optional<int>(1013));
    EXPECT_EQ(ControlIdOf(page->Description()), std::optional<int>(1008));
    EXPECT_EQ(page->TypeList()->count(), 70);
    EXPECT_EQ(page->TypeList()->item(69)->text(), QStringLiteral("CM_CIRCULAR_AREA"));
    EXPECT_EQ(Names(), QStringLiteral("a,b,c"));
    EXPECT_EQ(page->ModeList()->selectionMode(), QAbstractItemView::ExtendedSelection);
}

TEST_F(Page3Test, SelectingATypeDescribesAndPreviewsItUntilThePageIsLeft)
{
    SelectType("CM_KERNELBD");
    ExpectPainted(Screenshot(sheet.get(), QStringLiteral("mode-editor-mode-list")), *sheet);
    EXPECT_EQ(page->Description()->toPlainText(), Text(ModeInfoKey("CM_KERNELBD").c_str()));
    EXPECT_TRUE(page->Preview()->Running());
    sheet->ShowPage(CModeTestState::ColourListPage);
    EXPECT_FALSE(page->Preview()->Running());
    sheet->ShowPage(CModeTestState::ModeListPage);
    EXPECT_TRUE(page->Preview()->Running()) << "back on the page, the selected type plays again";
}

TEST_F(Page3Test, AddAndInsertBeginARecordOrSayWhatIsMissing)
{
    Click(CPage3::AddId);
    Click(CPage3::InsertId);
    EXPECT_EQ(log.messages, (QStringList{Text("PAGE3_ONBUTTON1_PSAT"), Text("PAGE3_ONBUTTON3_PSAT")}));
    EXPECT_EQ(Edit().action, CModeEditState::Action::None);

    SelectType("CM_CUSTOMMODE");
    Click(CPage3::AddId);
    EXPECT_EQ(Edit().action, CModeEditState::Action::Adding);
    EXPECT_EQ(Edit().record.type, "CM_CUSTOMMODE");
    EXPECT_TRUE(Edit().customModePending);
    EXPECT_EQ(CurrentTab(), CModeTestState::ColourListPage);

    sheet->ShowPage(CModeTestState::ModeListPage);
    Select({0, 1});
    SelectType("CM_KERNELBD");
    Click(CPage3::InsertId);
    EXPECT_EQ(Edit().action, CModeEditState::Action::Inserting);
    EXPECT_EQ(Edit().selectedIndex, 1) << "behind the last selected mode";
    EXPECT_FALSE(Edit().customModePending);
    EXPECT_EQ(document.UndoStack().count(), 1) << "only the set-up: the record waits for OK";
}

TEST_F(Page3Test, DeleteCopyPasteKeepProgramGroupsOnTheirModes)
{
    Click(CPage3::DeleteId);
    Click(CPage3::CopyId);
    Select({0});
    Click(CPage3::PasteId);
    EXPECT_EQ(log.messages, (QStringList{Text("PAGE3_ONBUTTON2_PSATO"), Text("PAGE3_ONBUTTON8_PSAT"),
                                         Text("PAGE3_ONBUTTON9_PCAMF")}));

    Select({2, 0});
    Click(CPage3::CopyId);
    ASSERT_TRUE(Edit().copied);
    EXPECT_EQ(Edit().copied->name, "c") << "the last selected";
    Select({});
    Click(CPage3::PasteId);
    EXPECT_EQ(log.messages.back(), Text("PAGE3_ONBUTTON9_PSAT"));
    Select({0});
    Click(CPage3::PasteId);
    EXPECT_EQ(Names(), QStringLiteral("a,c,b,c"));
    EXPECT_EQ(GroupZero(), (std::vector<int>{2, 3}));
    EXPECT_EQ(page->ModeList()->currentRow(), 1);

    Select({0, 2});
    Click(CPage3::DeleteId);
    EXPECT_EQ(Names(), QStringLiteral("c,c"));
    EXPECT_EQ(GroupZero(), (std::vector<int>{1})) << "b's entry goes with it, c's moves down";
    document.UndoStack().undo();
    EXPECT_EQ(Names(), QStringLiteral("a,c,b,c"));
}

TEST_F(Page3Test, AnEditAndThePlayRangeStayOnTheirModesWhateverChangesTheList)
{
    CModeTestState& state = CModeTestState::Of(document);
    Select({1});
    Click(CPage3::StartModeId);
    Select({2});
    Click(CPage3::EndModeId);
    Select({1});
    Click(CPage3::EditId); // b
    Select({0});
    Click(CPage3::DeleteId); // an unrelated mode
    EXPECT_EQ(Edit().action, CModeEditState::Action::Editing);
    EXPECT_EQ(Edit().selectedIndex, 0);
    EXPECT_EQ(std::pair(state.FirstSelectedMode(), state.LastSelectedMode()), std::pair(0, 1));
    document.UndoStack().undo(); // from the main window
    EXPECT_EQ(Edit().selectedIndex, 1);
    EXPECT_EQ(std::pair(state.FirstSelectedMode(), state.LastSelectedMode()), std::pair(1, 2));

    // The edited mode itself undone away: OK finds it gone rather than
    // replacing the mode that came to stand there.
    Select({1});
    Click(CPage3::CopyId);
    Click(CPage3::PasteId); // a,b,b',c
    Click(CPage3::EditId);
    ASSERT_EQ(Edit().selectedIndex, 2);
    document.UndoStack().undo();
    EXPECT_EQ(Edit().selectedIndex, -1);
    sheet->ParameterPage()->Button(Cpage6::OkId)->click();
    EXPECT_EQ(log.messages.back(), Text(CModeEditorFlow::kEditedModeGoneKey));
    EXPECT_EQ(Names(), QStringLiteral("a,b,c"));
}

TEST_F(Page3Test, EditStartEndAndConfirm)
{
    Click(CPage3::EditId);
    Click(CPage3::StartModeId);
    Click(CPage3::EndModeId);
    EXPECT_EQ(log.messages, (QStringList{Text("PAGE3_ONBUTTON4_PSAK"), Text("PAGE3_ONBUTTON6_PSAK"),
                                         Text("PAGE3_ONBUTTON7_PSAK")}));
    Select({1, 2});
    Click(CPage3::StartModeId);
    Click(CPage3::EndModeId);
    EXPECT_EQ(CModeTestState::Of(document).FirstSelectedMode(), 1);
    EXPECT_EQ(CModeTestState::Of(document).LastSelectedMode(), 2);

    Select({1});
    Click(CPage3::EditId);
    EXPECT_EQ(Edit().action, CModeEditState::Action::Editing);
    EXPECT_EQ(Edit().selectedIndex, 1);
    EXPECT_EQ(Edit().record.name, "b");
    EXPECT_EQ(CurrentTab(), CModeTestState::ParameterPage);
    sheet->ShowPage(CModeTestState::ModeListPage);
    Click(CPage3::ConfirmId);
    EXPECT_EQ(CurrentTab(), CModeTestState::ProgramGroupPage);
}

TEST_F(Page3Test, CircularAreaWaitsForTheDialogsChoice)
{
    CModeTestState::Of(document).SetZoom(10);
    SelectType("CM_CIRCULAR_AREA");
    Click(CPage3::AddId);
    CCirAreaDlg* dialog = page->CircularAreaDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_TRUE(Edit().circularAreaPending);
    EXPECT_EQ(Edit().action, CModeEditState::Action::None);

    FindControlButton(dialog, CCirAreaDlg::CentrePickId)->click();
    EXPECT_TRUE(CModeTestState::Of(document).Picks().circleCentre);
    // A click on the left or top half of a lamp's cell is that lamp, as in
    // the view's picking; the view refitting before OK changes nothing.
    Q_EMIT CModeTestState::Of(document).CircleCentrePicked(QPoint(36, 16));
    CModeTestState::Of(document).SetZoom(5);
    dialog->Edit(CCirAreaDlg::RadiusId)->setText(QStringLiteral("3"));
    dialog->List()->setCurrentRow(0);
    dialog->OnOk();
    EXPECT_FALSE(Edit().circularAreaPending);
    EXPECT_EQ(Edit().action, CModeEditState::Action::Adding);
    EXPECT_EQ(Edit().record.type, "CM_CIRCULAR_AREA");
    EXPECT_EQ(Edit().record.innerType, "CM_LEFTTORIGHT_GC");
    EXPECT_EQ(Edit().record.circleX, 4);
    EXPECT_EQ(Edit().record.circleY, 2);
    EXPECT_EQ(Edit().record.circleRadius, 3);
    EXPECT_EQ(CurrentTab(), CModeTestState::ColourListPage);
    CModeTestState::Of(document).SetZoom(10);

    // Edit shows a circular mode's own values; Cancel leaves the record as it was.
    EditProject(document, [](CEditImgDoc& data) {
        CModeItem circle = Mode("CM_CIRCULAR_AREA", "circle");
        circle.innerType = "CM_KERNELBD";
        circle.circleX = 1;
        data.modes.push_back(circle);
    });
    sheet->ShowPage(CModeTestState::ModeListPage);
    Select({3});
    Click(CPage3::EditId);
    dialog = page->CircularAreaDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->List()->currentItem()->text(), QStringLiteral("CM_KERNELBD"));
    EXPECT_EQ(dialog->Edit(CCirAreaDlg::CentreXId)->text(), QStringLiteral("10"));
    dialog->reject();
    EXPECT_EQ(Edit().record.innerType, "CM_LEFTTORIGHT_GC");
    EXPECT_EQ(CurrentTab(), CModeTestState::ModeListPage);
}

} // namespace
} // namespace lumaro::gui::test
