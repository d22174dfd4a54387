#include "effects/EffectsTestSupport.h"

#include "core/effects/ModeCatalogue.h"
#include "core/effects/ModeEditState.h"
#include "core/effects/ModeParameters.h"
#include "gui/app/DialogLangText.h"
#include "gui/effects/Page2.h"
#include "gui/effects/Page3.h"
#include "gui/effects/Page5.h"
#include "gui/effects/page6.h"
#include "gui/preview/ModeTestState.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

namespace lumaro::gui::test {
namespace {

class Page6Test : public ModeEditorTest {
protected:
    void SetUp() override
    {
        ModeEditorTest::SetUp();
        page = sheet->ParameterPage();
        sheet->ColourListPage()->chooseColour = [](QWidget*) -> std::optional<QColor> {
            return QColor(1, 2, 3);
        };
        EditProject(document, [](CEditImgDoc& data) {
            data.lampPositions = LampRow(0, 4);
            data.modes = {Mode("CM_KERNELBD", "a"), Mode("CM_KERNELBD", "b")};
            CModeItem entry = Mode("CM_KERNELBD", "b");
            entry.layer = 1;
            data.programGroups[0] = {entry};
        });
        sheet->Open();
    }
    // The mode list page's button with type selected, then two colours
    // taken on the colour list page: the parameter page shows the record.
    void Begin(std::string_view type, int button = CPage3::AddId)
    {
        CPage3* modes = sheet->ModeListPage();
        const auto types = CatalogueTypes();
        modes->TypeList()->setCurrentRow(int(std::find(types.begin(), types.end(), type) - types.begin()));
        modes->Button(button)->click();
        CPage2* colours = sheet->ColourListPage();
        colours->Button(CPage2::AddId)->click();
        colours->Button(CPage2::AddId)->click();
        colours->Button(CPage2::SaveColourId)->click();
        ASSERT_EQ(CurrentTab(), CModeTestState::ParameterPage) << type;
    }
    void Set(int id, int value) { page->Edit(id)->setText(QString::number(value)); }
    bool ReadOnly(int id) const { return page->Edit(id)->isReadOnly(); }
    void Ok() { page->Button(Cpage6::OkId)->click(); }
    int CurrentTab() const { return sheet->Tabs()->currentIndex(); }
    const std::vector<CModeItem>& Modes() const { return document.Data().modes; }

    Cpage6* page = nullptr;
};

TEST_F(Page6Test, ControlsCarryTheirIdsAndTooltips)
{
    const int buttons[] = {1041, 1053, 1030, 1031, 1052};
    for (int tip = 0; tip < 5; ++tip) {
        const std::string key = "IDD112_m_p6tip" + std::to_string(tip + 1);
        EXPECT_EQ(page->Button(buttons[tip])->toolTip(), Text(key.c_str())) << buttons[tip];
    }
    EXPECT_EQ(page->WordColourMode()->toolTip(), Text("IDD112_m_p6tip6"));
    EXPECT_EQ(ControlIdOf(page->WordColourMode()), std::optional<int>(1120));
    EXPECT_EQ(page->Heading(Cpage6::CurrentModeId)->text(), Text("IDD112_1118"));
}

TEST_F(Page6Test, BandModeTakesPickedStartAndAreaAndOkAddsItAsOneUndoStep)
{
    CModeTestState::Of(document).SetZoom(10);
    Begin("CM_UPTODOWN_GC");
    ExpectPainted(Screenshot(sheet.get(), QStringLiteral("mode-editor-parameters")), *sheet);
    EXPECT_EQ(page->CurrentMode()->text(), QStringLiteral("CM_UPTODOWN_GC"));
    EXPECT_EQ(page->Heading(Cpage6::StepHeadingId)->text(), Text(CModeParameters::kStepRowsHeading));
    EXPECT_FALSE(ReadOnly(Cpage6::StepId));
    EXPECT_FALSE(page->WordColourMode()->isEnabled());

    page->Button(Cpage6::StartId)->click();
    EXPECT_TRUE(CModeTestState::Of(document).Picks().startPoint);
    EXPECT_FALSE(sheet->isVisible());
    Q_EMIT CModeTestState::Of(document).StartPointPicked(QPoint(21, 49));
    page->Button(Cpage6::AreaId)->click();
    EXPECT_TRUE(CModeTestState::Of(document).Picks().rectangle);
    Q_EMIT CModeTestState::Of(document).AreaPicked(QRect(QPoint(0, 50), QPoint(30, 50)));
    EXPECT_EQ(page->Edit(Cpage6::StartXId)->text(), QStringLiteral("21"));
    EXPECT_EQ(page->Edit(Cpage6::AreaRightId)->text(), QStringLiteral("30"));

    Set(Cpage6::IntervalId, 0);
    Ok();
    QString range = Text(CModeParameters::kIntervalKey);
    EXPECT_EQ(log.messages, QStringList{range.replace(QStringLiteral("%1"), QStringLiteral("1"))
                                            .replace(QStringLiteral("%2"), QStringLiteral("65535"))});
    EXPECT_EQ(Modes().size(), 2u);

    Set(Cpage6::IntervalId, 25);
    Set(Cpage6::StepId, 2);
    const int stepsBefore = document.UndoStack().count();
    Ok();
    ASSERT_EQ(Modes().size(), 3u);
    const CModeItem& added = Modes().back();
    EXPECT_EQ(added.type, "CM_UPTODOWN_GC");
    EXPECT_EQ(added.colours, (UIntArray{1, 2, 3, 1, 2, 3}));
    EXPECT_EQ(added.interval, 25);
    EXPECT_EQ(added.step, 2);
    EXPECT_EQ(std::pair(added.startX, added.startY), std::pair(2, 5)) << "pixels back to lamp cells";
    EXPECT_EQ(std::pair(added.areaLeft, added.areaRight), std::pair(0, 3));
    EXPECT_EQ(CurrentTab(), CModeTestState::ModeListPage);
    EXPECT_EQ(sheet->ModeListPage()->ModeList()->count(), 3);
    EXPECT_EQ(document.UndoStack().count(), stepsBefore + 1);

    document.UndoStack().undo();
    EXPECT_EQ(Modes().size(), 2u);
    EXPECT_EQ(sheet->ModeListPage()->ModeList()->count(), 2);
    document.UndoStack().redo();
    EXPECT_EQ(Modes().back().step, 2);
}

TEST_F(Page6Test, AZoomChangeBeforeOkKeepsTheCellsAndTheTypedNameIsStored)
{
    CModeTestState::Of(document).SetZoom(10);
    Begin("CM_UPTODOWN_GC");
    Q_EMIT CModeTestState::Of(document).StartPointPicked(QPoint(20, 50));
    Q_EMIT CModeTestState::Of(document).AreaPicked(QRect(QPoint(0, 50), QPoint(30, 50)));
    // The view refits to a resized window; a later pick comes at its new zoom.
    CModeTestState::Of(document).SetZoom(3);
    Q_EMIT CModeTestState::Of(document).AreaPicked(QRect(QPoint(3, 15), QPoint(9, 15)));
    EXPECT_EQ(page->Edit(Cpage6::StartXId)->text(), QStringLiteral("6")) << "cell 2 at zoom 3";
    page->CurrentMode()->setText(QStringLiteral("  Roof chase "));
    Ok();
    ASSERT_EQ(Modes().size(), 3u) << log.messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(std::pair(Modes().back().startX, Modes().back().startY), std::pair(2, 5));
    EXPECT_EQ(std::pair(Modes().back().areaLeft, Modes().back().areaRight), std::pair(1, 3));
    EXPECT_EQ(Modes().back().name, "Roof chase");

    // A second OK after another zoom change: the same cells; an emptied name
    // is the type's again.
    CModeTestState::Of(document).SetZoom(7);
    page->CurrentMode()->setText(QString());
    Ok();
    ASSERT_EQ(Modes().size(), 3u);
    EXPECT_EQ(std::pair(Modes().back().areaLeft, Modes().back().areaRight), std::pair(1, 3));
    EXPECT_EQ(Modes().back().name, "CM_UPTODOWN_GC");
}

TEST_F(Page6Test, CustomAndTextModesGoOnToTheGroupListPage)
{
    Begin("CM_CUSTOMMODE");
    EXPECT_EQ(page->Heading(Cpage6::LayerHeadingId)->text(), Text(CModeParameters::kLayerCodeHeading));
    EXPECT_TRUE(ReadOnly(Cpage6::StepId));
    Set(Cpage6::LayerId, 11);
    Ok();
    EXPECT_EQ(log.messages.size(), 1) << "class codes end at 10";
    Set(Cpage6::LayerId, 2);
    Ok();
    EXPECT_EQ(Modes().back().layer, 2);
    EXPECT_EQ(CurrentTab(), CModeTestState::GroupListPage);
    EXPECT_TRUE(sheet->EditState().customModePending);

    sheet->ShowPage(CModeTestState::ModeListPage);
    Begin("CM_LEFTTORIGHT_WORD");
    EXPECT_TRUE(page->WordColourMode()->isEnabled());
    EXPECT_FALSE(ReadOnly(Cpage6::WordStepId));
    page->WordColourMode()->setCurrentIndex(1);
    EXPECT_TRUE(ReadOnly(Cpage6::WordStepId));
    EXPECT_TRUE(ReadOnly(Cpage6::LoopId));
    page->WordColourMode()->setCurrentIndex(0);
    EXPECT_FALSE(ReadOnly(Cpage6::LoopId));
    page->WordColourMode()->setCurrentIndex(1);
    Ok();
    EXPECT_EQ(Modes().back().type, "CM_LEFTTORIGHT_WORD");
    EXPECT_EQ(Modes().back().wordColourMode, 1);
    EXPECT_EQ(CurrentTab(), CModeTestState::GroupListPage);
}

TEST_F(Page6Test, InsertRaisesLaterProgramGroupEntriesAndASecondOkReplaces)
{
    sheet->ModeListPage()->ModeList()->setCurrentRow(0);
    Begin("CM_KERNELBD", CPage3::InsertId);
    Set(Cpage6::HoldTimeId, 7);
    Ok();
    ASSERT_EQ(Modes().size(), 3u);
    EXPECT_EQ(Modes()[1].holdTime, 7);
    EXPECT_EQ(Modes()[2].name, "b");
    EXPECT_EQ(document.Data().programGroups[0][0].layer, 2) << "still plays b";

    sheet->ShowPage(CModeTestState::ParameterPage);
    Set(Cpage6::HoldTimeId, 8);
    Ok();
    ASSERT_EQ(Modes().size(), 3u);
    EXPECT_EQ(Modes()[1].holdTime, 8);
}

TEST_F(Page6Test, ASecondOkKeepsTheLampListGivenAfterTheFirst)
{
    Begin("CM_LEFTTORIGHT_WORD");
    Ok();
    ASSERT_EQ(CurrentTab(), CModeTestState::GroupListPage);
    EditProject(document, [](CEditImgDoc& data) { data.picks.lamps = {0, 1, 2}; });
    sheet->GroupListPage()->Button(CPage5::InputGroupId)->click();
    const std::int32_t order = Modes().back().lampOrderIndex;
    ASSERT_GE(order, 0);
    sheet->ShowPage(CModeTestState::ParameterPage);
    Set(Cpage6::HoldTimeId, 9);
    Ok();
    EXPECT_EQ(Modes().back().holdTime, 9);
    EXPECT_EQ(Modes().back().lampOrderIndex, order);
    EXPECT_EQ(Modes().size(), 3u);
}

TEST_F(Page6Test, EditingPicksFromTheModesOwnSupplementaryLamps)
{
    EditProject(document, [](CEditImgDoc& data) {
        CModeItem mode = Mode("CM_LEFTTORIGHT_GC", "column");
        mode.areaLeft = mode.areaRight = 1;
        mode.areaTop = mode.areaBottom = 5;
        mode.interval = mode.loop = mode.step = 1;
        mode.extraLamps = {2};
        data.modes.push_back(mode);
        data.picks.parameterLamps = {0, 1}; // left over from another mode
    });
    sheet->ModeListPage()->ModeList()->setCurrentRow(2);
    sheet->ModeListPage()->Button(CPage3::EditId)->click();
    ASSERT_EQ(CurrentTab(), CModeTestState::ParameterPage);
    EXPECT_EQ(page->Edit(Cpage6::AreaLeftId)->text(), QStringLiteral("1"));

    page->Button(Cpage6::AddLampId)->click();
    EXPECT_EQ(document.Data().picks.parameterLamps, UIntArray{2});
    EXPECT_EQ(CModeTestState::Of(document).Picks().parameter, CModeTestState::ParameterPick::Add);
    // The view's clicks add lamp 3.
    EditProject(document, [](CEditImgDoc& data) { data.picks.parameterLamps.push_back(3); });
    Ok();
    EXPECT_EQ(Modes()[2].extraLamps, (UIntArray{2, 3}));
    EXPECT_EQ(document.Data().picks.parameterLamps, UIntArray{CPickLists::kNoLamp});
}

} // namespace
} // namespace lumaro::gui::test
