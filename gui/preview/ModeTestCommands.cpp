#include "gui/preview/ModeTestCommands.h"

#include "core/app/LangText.h"
#include "core/app/Status.h"
#include "gui/app/ChildFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/DocTemplate.h"
#include "gui/app/EditorApp.h"
#include "gui/app/MainFrame.h"
#include "gui/app/Prompts.h"
#include "gui/document/LayoutDocument.h"
#include "gui/preview/DemoDoc.h"
#include "gui/preview/ModeTestState.h"

#include <QToolBar>

namespace lumaro::gui {

CModeTestCommands::CModeTestCommands(CEditorApp& app) : m_app(app)
{
    OnCommand(cmd::TransferData, [this] { OnTransferData(); });
}

void CModeTestCommands::OnTransferData()
{
    CMainFrame* main = m_app.MainFrame();
    auto* layout = main ? dynamic_cast<CLayoutDocument*>(main->GetActiveDocument()) : nullptr;
    if (!layout || !layout->Data().HasEnoughLamps())
        return;
    // Value copies: a lamp deleted later in the layout view leaves the
    // handed-over list intact.
    layout->Edit(QStringLiteral("Transfer Data"), Aspect::LampPositions, [](CEditImgDoc& data) {
        data.HandLampsToEffects();
        return true;
    });
    auto failed = [this, main] {
        m_app.Prompts().message(main, QString::fromStdString(GetLangText(msgkey::CommandFailed)),
                                QMessageBox::Warning, QMessageBox::Ok);
    };
    CChildFrame* active = main->GetActiveFrame();
    CDocTemplate* modeTest = m_app.ModeTestTemplate();
    if (!active || !active->GetActiveDocument() || !modeTest) {
        failed();
        return;
    }
    CChildFrame* frame = modeTest->CreateNewFrame(layout);
    if (!frame) {
        failed();
        return;
    }
    CModeTestState& state = CModeTestState::Of(*layout);
    state.Opened(frame, frame->View());
    modeTest->InitialUpdateFrame(frame);
    layout->WritePortTable();
    main->ChangeMenuLanguage();
    state.SetHandedOverLampCount(static_cast<int>(layout->Data().LampCount()));
}

bool CModeTestCommands::PlayInDemo(CEditorApp& app, const CPlayHandOver& handOver)
{
    CMainFrame* main = app.MainFrame();
    if (!main)
        return false;
    // The demo document enables it again when it closes.
    main->MainToolBar()->setEnabled(false);
    bool opened = false;
    if (app.OpenTemplateByName(QStringLiteral("Text"))) {
        if (auto* demo = qobject_cast<CDemoDoc*>(main->GetActiveDocument())) {
            demo->SetHandOver(handOver);
            opened = true;
        }
    }
    if (!opened)
        main->MainToolBar()->setEnabled(true);
    main->ChangeMenuLanguage();
    return opened;
}

bool CModeTestCommands::PlayLayoutInDemo(CEditorApp& app, CLayoutDocument& layout)
{
    if (!layout.Data().HasEnoughLamps())
        return false;
    CPlayHandOver handOver;
    handOver.lamps = layout.Data().lampPositions;
    handOver.chainedLamps = layout.Data().lamps;
    handOver.compiled = layout.CreateData();
    handOver.playMode = CPlayHandOver::Parallel;
    return PlayInDemo(app, handOver);
}

void CModeTestCommands::CloseModeTestViews()
{
    CDocTemplate* layouts = m_app.FindTemplate(130);
    if (!layouts)
        return;
    const std::vector<CDocument*> documents = layouts->Documents();
    for (CDocument* document : documents) {
        auto* layout = dynamic_cast<CLayoutDocument*>(document);
        CModeTestState* state = layout ? CModeTestState::Find(*layout) : nullptr;
        if (state && state->IsOpen() && state->Frame() && !state->Frame()->IsClosing())
            layout->RunCommand(cmd::FileClose);
    }
}

} // namespace lumaro::gui
