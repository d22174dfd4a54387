#include "effects/EffectsTestSupport.h"

#include "core/effects/ModeCatalogue.h"
#include "gui/app/DialogLangText.h"
#include "gui/effects/CirAreaDlg.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace lumaro::gui::test {
namespace {

class CirAreaDlgTest : public EffectsDialogTest {
protected:
    void SetUp() override
    {
        EffectsDialogTest::SetUp();
        dialog = std::make_unique<CCirAreaDlg>(prompts);
    }
    QPushButton* ButtonWithId(int id) const
    {
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (ControlIdOf(button) == id)
                return button;
        }
        return nullptr;
    }
    std::unique_ptr<CCirAreaDlg> dialog;
};

TEST_F(CirAreaDlgTest, ListsTheSixtyOneInnerModesInOrder)
{
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("CM_CIRCULAR_AREA"));
    ASSERT_EQ(dialog->List()->count(), 61);
    const auto names = CircularInnerTypes();
    for (int i = 0; i < 61; ++i)
        EXPECT_EQ(dialog->List()->item(i)->text().toStdString(), names[i]) << i;
    EXPECT_EQ(dialog->List()->item(0)->text(), QStringLiteral("CM_LEFTTORIGHT_GC"));
    EXPECT_EQ(dialog->List()->item(60)->text(), QStringLiteral("CM_ASIDEFRAME_SCROLL"));
    EXPECT_EQ(ButtonWithId(CCirAreaDlg::CentrePickId)->text(), QStringLiteral("Center Of Circle"));
}

TEST_F(CirAreaDlgTest, OkWithoutASelectionWarnsAndStaysOpen)
{
    dialog->SetValues(10, 20, 5, QStringLiteral("CM_NOT_LISTED"));
    dialog->OnOk();
    EXPECT_EQ(log.messages, QStringList{Text("CIRAREADLG_ONOK_PS")});
    EXPECT_FALSE(log.messages.front().isEmpty());
    EXPECT_FALSE(dialog->Done());
    EXPECT_NE(dialog->result(), QDialog::Accepted);
}

TEST_F(CirAreaDlgTest, OkStoresTheChosenInnerTypeAndTheEdits)
{
    dialog->SetValues(10, 20, 5, QStringLiteral("CM_KERNELBD"));
    EXPECT_EQ(dialog->List()->currentItem()->text(), QStringLiteral("CM_KERNELBD"));
    dialog->List()->setCurrentRow(57);
    dialog->Edit(CCirAreaDlg::RadiusId)->setText(QStringLiteral("9"));
    dialog->Edit(CCirAreaDlg::CentreXId)->setText(QStringLiteral("33"));
    ButtonWithId(1)->click();
    EXPECT_TRUE(dialog->Done());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->InnerType(), QStringLiteral("CM_RIGHTUP_SCROLL"));
    EXPECT_EQ(dialog->CentreX(), 33);
    EXPECT_EQ(dialog->CentreY(), 20);
    EXPECT_EQ(dialog->Radius(), 9);
}

TEST_F(CirAreaDlgTest, CentrePickStoresTheEditsRaisesTheSharedFlagAndMinimises)
{
    int viewFlag = 0;
    dialog->SetPickFlag(&viewFlag);
    dialog->show();
    dialog->Edit(CCirAreaDlg::CentreYId)->setText(QStringLiteral("44"));
    ButtonWithId(CCirAreaDlg::CentrePickId)->click();
    EXPECT_EQ(viewFlag, 1);
    EXPECT_TRUE(dialog->PickRequested());
    EXPECT_EQ(dialog->CentreY(), 44);
    EXPECT_FALSE(dialog->isVisible());

    dialog->SetPickedCentre(120, 80);
    EXPECT_EQ(viewFlag, 0);
    EXPECT_EQ(dialog->Edit(CCirAreaDlg::CentreXId)->text(), QStringLiteral("120"));
    EXPECT_EQ(dialog->Edit(CCirAreaDlg::CentreYId)->text(), QStringLiteral("80"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->Done()) << "picking is not choosing";
}

} // namespace
} // namespace lumaro::gui::test
