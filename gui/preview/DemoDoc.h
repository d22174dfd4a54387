#pragma once

#include "core/app/Status.h"
#include "core/effects/ModeItem.h"
#include "core/firmware/ControllerLimits.h"
#include "core/preview/DemoCanvas.h"
#include "core/preview/PlacementFile.h"
#include "core/preview/PlayHandOver.h"
#include "gui/app/Document.h"

#include <QPoint>
#include <QSize>
#include <QString>

#include <memory>
#include <vector>

namespace lumaro::gui {

// The demo document of template 131: its own copy of what a play command
// handed over (the lamps, a share of the compiled data, the play order and
// range), the modes of the program group it plays, and the background
// picture with its placement. Opened from a file it reads nothing; File
// Save writes the picture's placement record.
class CDemoDoc : public CDocument {
    Q_OBJECT
public:
    // The play mode as the view moves it along: the three orders, 4 to play
    // Parallel again from the start, and 0 or 5 once it has begun.
    enum PlayState {
        Idle = 0,
        PlaySequential = 1,
        PlayParallel = 2,
        PlayPartial = 3,
        Replay = 4,
        Playing = 5
    };
    static constexpr int kProgramGroups = static_cast<int>(controller::kProgramGroups);

    // The background picture and how the mouse edits it.
    struct Picture {
        bool shown = true;       // drawn, and the mouse edits it; Start clears it
        bool lampsShown = false; // the red lamps over it, once a picture was chosen
        QString path;            // "\" turned into "/"
        CPictureSpot spot;       // window position and scale
        bool moveMode = false;
        bool widenMode = false;
        bool minishMode = false;
        double step = 0.01;
        QPoint press;
    };

    // shape: the program's, shared by its demo documents.
    explicit CDemoDoc(std::shared_ptr<DemoShape> shape = std::make_shared<DemoShape>(DemoShape::Rectangle));
    bool OnOpenDocument(const QString& path) override;
    bool OnSaveDocument(const QString& path) override;

    void SetHandOver(CPlayHandOver handOver);
    const CPlayHandOver& HandOver() const { return m_handOver; }
    const std::vector<CModeItem>& Modes() const { return m_modes; }
    int ProgramGroup() const { return m_programGroup; }
    int PlayMode() const { return m_playMode; }
    void SetPlayMode(int mode) { m_playMode = mode; }
    int StartPlayMode() const { return m_startPlayMode; }

    // Program group g's compiled modes become the ones played, then Start.
    void SelectProgramGroup(int group);
    // Play again from the start: the view ends its play and paints anew.
    void Start();

    Picture& BackPicture() { return m_picture; }
    const Picture& BackPicture() const { return m_picture; }
    CPlacement& Placement() { return m_placement; }
    int CellSize() const { return m_cellSize; }
    void SetCellSize(int cells) { m_cellSize = cells; }
    QSize ClientSize() const { return m_clientSize; }
    void SetClientSize(QSize size) { m_clientSize = size; }

    // The placement record of the picture as shown now, and reading one
    // back (applied at the next paint).
    Status SavePlacement(const QString& path);
    Status LoadPlacement(const QString& path);

    // The shape the lamps are drawn in, the same for every demo document
    // of the program.
    DemoShape Shape() const { return *m_shape; }
    void SetShape(DemoShape shape) { *m_shape = shape; }

Q_SIGNALS:
    void HandOverChanged();
    // Start: the view ends every mode it plays before anything is replaced.
    void StartRequested();
    void PictureChanged();

private:
    void RegisterCommands();
    void OnSaveCode();
    void OnOpenCode();

    CPlayHandOver m_handOver;
    std::vector<CModeItem> m_modes;
    int m_playMode = Idle;
    int m_startPlayMode = Idle;
    int m_programGroup = 0;
    Picture m_picture;
    CPlacement m_placement;
    int m_cellSize = 6;
    QSize m_clientSize;
    std::shared_ptr<DemoShape> m_shape;
};

} // namespace lumaro::gui
