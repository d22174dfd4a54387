#include "effects/EffectsTestSupport.h"

#include "gui/app/CommandIds.h"
#include "gui/document/LayoutDocument.h"
#include "gui/preview/ModetestView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>

#include <algorithm>

namespace lumaro::gui::test {
namespace {

std::optional<bool> EnabledBy(CCommandTarget& target, int id)
{
    CCmdUI ui(id);
    if (!target.RunUpdate(ui))
        return std::nullopt;
    return ui.Enabled();
}

TEST(ModetestCreateData, CompilesAndOpensTheSixCommandsForGood)
{
    CLayoutDocument document;
    CEditImgDoc project;
    project.lamps = LampRow(0, 6);
    project.HandLampsToEffects();
    CModeItem sweep = Mode("CM_LEFTTORIGHT_GC", "sweep");
    sweep.areaRight = 10;
    sweep.areaBottom = 10;
    sweep.colours = {255, 0, 0};
    project.modes = {sweep};
    document.OpenProject(project);
    CModetestView view(&document);

    using F = CModetestView::CommandFlag;
    const F six[] = {F::ProducingDataFlag, F::ParallelPlayFlag, F::SequentialPlayFlag,
                     F::PartialPlayFlag,   F::OutputDspBinFlag, F::WriteCmosFlag};
    for (F flag : six)
        EXPECT_FALSE(view.CommandEnabled(flag)) << flag;
    EXPECT_TRUE(view.CommandEnabled(F::EditModeFlag));
    EXPECT_TRUE(view.CommandEnabled(F::CreateDataFlag));
    EXPECT_EQ(EnabledBy(view, cmd::CreateData), std::optional<bool>(true));
    EXPECT_EQ(EnabledBy(view, cmd::CreateBinFile), std::optional<bool>(false));

    ASSERT_TRUE(view.RunCommand(cmd::CreateData));
    ASSERT_NE(document.Compiled(), nullptr);
    ASSERT_EQ(document.Compiled()->modes.size(), 1u);
    EXPECT_EQ(document.Compiled()->modes[0].layer, 2) << "class code of a forward _GC band";
    EXPECT_EQ(document.Data().modes[0].layer, 0) << "the user's record is not compiled in place";
    for (F flag : six)
        EXPECT_TRUE(view.CommandEnabled(flag)) << flag;
    EXPECT_EQ(EnabledBy(view, cmd::CreateBinFile), std::optional<bool>(true));
    EXPECT_EQ(EnabledBy(view, cmd::WriteToController), std::optional<bool>(true));

    const CLayoutDocument::CompiledSnapshot first = document.Compiled();
    EditProject(document, [](CEditImgDoc& data) { data.modes.clear(); });
    view.RunCommand(cmd::CreateData);
    EXPECT_TRUE(document.Compiled()->modes.empty()) << "each compilation replaces the last";
    EXPECT_EQ(first->modes.size(), 1u) << "a snapshot taken before never changes";
    for (F flag : six)
        EXPECT_TRUE(view.CommandEnabled(flag)) << "nothing clears them again";
}

TEST(ModetestCreateData, ContextMenuOffersCreateDataButNotTheLanguageSwitchsId)
{
    const auto ids = CModetestView::ContextMenuIds();
    EXPECT_NE(std::find(ids.begin(), ids.end(), cmd::CreateData), ids.end());
    EXPECT_NE(std::find(ids.begin(), ids.end(), cmd::FileSaveAs), ids.end());
    // Refresh shares 31761 with the German language switch: the view keeps
    // it to itself instead of registering a command for it.
    CLayoutDocument document;
    CModetestView view(&document);
    EXPECT_FALSE(view.HasCommand(31761));
}

TEST(ModetestCreateData, ContextMenuTakesItsTextsFromTheLanguageFile)
{
    CLangText::SetLanguageFilePath(fs::path(LUMARO_SOURCE_DIR) / "data" / "Mullanguage" / "German.ini");
    CLayoutDocument document;
    CModetestView view(&document);
    view.resize(200, 200);
    view.show();
    QStringList texts;
    QList<bool> enabled;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator()) {
                texts << action->text();
                enabled << action->isEnabled();
            }
        }
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(1, 1), view.mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(&view, &event);
    ASSERT_EQ(texts.size(), 10);
    EXPECT_EQ(texts[2].toStdString(), GetLangText("ID_EDIT_CHANGE"));
    EXPECT_EQ(texts[6].toStdString(), GetLangText("ID_MODETESTVIEW_REFRESH"));
    EXPECT_EQ(texts[9].toStdString(), GetLangText("ID_FILE_SAVE_AS"));
    // Without a shell there is no route: only the view's own Refresh works.
    EXPECT_EQ(enabled.count(true), 1);
    EXPECT_TRUE(enabled[6]);
}

} // namespace
} // namespace lumaro::gui::test
