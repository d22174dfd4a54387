#include "gui/preview/DemoDoc.h"

#include "core/app/FileSystem.h"
#include "gui/app/CommandIds.h"
#include "gui/app/DocTemplate.h"
#include "gui/app/EditorApp.h"
#include "gui/app/FilePath.h"
#include "gui/app/MainFrame.h"
#include "gui/app/Prompts.h"

#include <QDir>
#include <QFileInfo>

namespace lumaro::gui {

CDemoDoc::CDemoDoc(std::shared_ptr<DemoShape> shape) : m_shape(std::move(shape))
{
    RegisterCommands();
}

void CDemoDoc::RegisterCommands()
{
    for (int g = 0; g < kProgramGroups; ++g) {
        OnCommand(cmd::ProgramGroup(g), [this, g] { SelectProgramGroup(g); });
        OnUpdate(cmd::ProgramGroup(g), [this, g](CCmdUI& ui) { ui.SetCheck(m_programGroup == g); });
    }
    OnCommand(cmd::DemoStop, [this] { OnCloseDocument(); });
    OnCommand(cmd::SavePlacement, [this] { OnSaveCode(); });
    OnCommand(cmd::LoadPlacement, [this] { OnOpenCode(); });
}

void CDemoDoc::SetHandOver(CPlayHandOver handOver)
{
    m_handOver = std::move(handOver);
    m_modes = m_handOver.compiled ? m_handOver.compiled->modes : std::vector<CModeItem>{};
    m_playMode = m_handOver.playMode;
    m_startPlayMode = m_playMode;
    Q_EMIT HandOverChanged();
}

void CDemoDoc::SelectProgramGroup(int group)
{
    if (group < 0 || group >= kProgramGroups)
        return;
    m_programGroup = group;
    m_modes = m_handOver.compiled ? m_handOver.compiled->programGroups[static_cast<std::size_t>(group)]
                                  : std::vector<CModeItem>{};
    Start();
}

void CDemoDoc::Start()
{
    // The view ends what plays before the play state changes under it.
    Q_EMIT StartRequested();
    m_playMode = m_startPlayMode;
    m_picture.shown = false;
    Q_EMIT PictureChanged();
}

bool CDemoDoc::OnOpenDocument(const QString& path)
{
    Result<std::string> bytes = ReadFileBytes(FindPathNoCase(PathOf(path)));
    if (!bytes) {
        ReportFailure(bytes.status().key);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool CDemoDoc::OnSaveDocument(const QString& path)
{
    if (const Status saved = SavePlacement(path); !saved) {
        ReportFailure(saved.key);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

Status CDemoDoc::SavePlacement(const QString& path)
{
    const int cells = m_cellSize > 0 ? m_cellSize : 1;
    m_placement = CPlacement::Of(m_picture.spot, cells, m_clientSize.width() / 2, m_clientSize.height() / 2);
    return WriteFileAtomic(PathOf(path), CPlacementFile::Bytes(m_placement));
}

Status CDemoDoc::LoadPlacement(const QString& path)
{
    Result<std::string> bytes = ReadFileBytes(FindPathNoCase(PathOf(path)));
    if (!bytes)
        return Status::Fail(CPlacementFile::kCannotOpenKey, bytes.status().detail);
    Result<CPlacement> placement = CPlacementFile::Read(bytes.value());
    if (!placement)
        return placement.status();
    m_placement = placement.value();
    Q_EMIT PictureChanged();
    return Status::Ok();
}

void CDemoDoc::OnSaveCode()
{
    CEditorApp* app = GetDocTemplate() ? &GetDocTemplate()->App() : nullptr;
    if (!app)
        return;
    QString path =
        app->Prompts().saveFileName(app->MainFrame(), QStringLiteral("Text Files(*.h);;All Files(*.*)"),
                                    QDir(app->CurrentDirectory()).filePath(QStringLiteral("bmp.h")));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".h");
    app->SetCurrentDirectoryFromFile(path);
    if (const Status saved = SavePlacement(path); !saved)
        ReportFailure(saved.key);
}

void CDemoDoc::OnOpenCode()
{
    CEditorApp* app = GetDocTemplate() ? &GetDocTemplate()->App() : nullptr;
    if (!app)
        return;
    const QString path =
        app->Prompts().openFileName(app->MainFrame(), QStringLiteral("Text Files(*.h);;All Files(*.*)"));
    if (path.isEmpty())
        return;
    app->SetCurrentDirectoryFromFile(path);
    if (const Status loaded = LoadPlacement(path); !loaded)
        ReportFailure(loaded.key);
}

} // namespace lumaro::gui
