#include "effects/EffectsTestSupport.h"

#include "core/app/LangText.h"
#include "core/firmware/FirmwareText.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRegistry.h"
#include "gui/app/MainFrame.h"
#include "gui/document/LayoutDocument.h"
#include "gui/firmware/FirmwareCommands.h"
#include "gui/widgets/StatusBarXP.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lumaro::gui::test {
namespace {

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The document's three text outputs, through the shell as a user reaches them.
TEST(FirmwareTextOutputs, DataFileIntoTheCurrentFolderTheOthersWhereTheUserSaysAndCancelWritesNothing)
{
    CTestInstall install;
    CStartedApp s(install);
    ASSERT_TRUE(s.started);
    auto* document = dynamic_cast<CLayoutDocument*>(s.app->MainFrame()->GetActiveDocument());
    ASSERT_NE(document, nullptr);
    EditProject(*document, [](CEditImgDoc& data) {
        data.lamps = LampRow(0, 4);
        data.HandLampsToEffects();
        CModeItem sweep = Mode("CM_LEFTTORIGHT_GC", "sweep");
        sweep.areaRight = 10;
        sweep.areaBottom = 10;
        sweep.colours = {255, 0, 0};
        data.modes = {sweep};
        data.programGroups[0] = {sweep};
    });
    const QString folder = install.FilePath(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(folder));
    s.app->SetCurrentDirectory(folder);
    auto* commands = s.app->FindCommandTarget<CFirmwareCommands>();
    ASSERT_NE(commands, nullptr);

    commands->OnOutText();
    const QByteArray shown = Read(QDir(folder).filePath(QStringLiteral("DSPPTN.H")));
    EXPECT_TRUE(shown.startsWith("code unsigned int ShowPattern0[] = {\r\n  ")) << shown.left(60).constData();
    EXPECT_TRUE(
        Read(QDir(folder).filePath(QStringLiteral("CSTGRP.h"))).startsWith("code unsigned int CstGroup0[]"));
    EXPECT_EQ(
        s.app->MainFrame()->StatusBarXP()->PaneText(0),
        QString::fromStdString(GetLangText("ID_MSG_TEXT_WRITTEN")).arg(QDir::toNativeSeparators(folder)));
    // A project with a file writes beside it, wherever the current directory is.
    const QString site = install.FilePath(QStringLiteral("site"));
    ASSERT_TRUE(QDir().mkpath(site));
    document->SetPathName(QDir(site).filePath(QStringLiteral("Show.LED")));
    commands->OnOutText();
    EXPECT_TRUE(QFile::exists(QDir(site).filePath(QStringLiteral("DSPPTN.H"))));
    document->SetPathName(QString());

    // Without an extension the save dialog's default one is added.
    s.log.saveName = install.FilePath(QStringLiteral("tables"));
    commands->OnOutCstGrp();
    EXPECT_TRUE(Read(s.log.saveName + QStringLiteral(".h")).contains("Cst_GroupGroup60[]"));
    s.log.saveName = install.FilePath(QStringLiteral("getters.c"));
    commands->OnOutGetPtn();
    EXPECT_TRUE(Read(s.log.saveName).startsWith("#include \"CstGrp1.H\"   \r\n"));

    s.log.saveName.clear(); // Cancel
    const QStringList before = QDir(install.FilePath(QString())).entryList(QDir::Files);
    commands->OnOutGetPtn();
    EXPECT_EQ(QDir(install.FilePath(QString())).entryList(QDir::Files), before);
    EXPECT_TRUE(s.log.messages.isEmpty()) << s.log.messages.join(QLatin1Char('|')).toStdString();
}

} // namespace
} // namespace lumaro::gui::test
