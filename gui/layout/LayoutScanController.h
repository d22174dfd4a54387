#pragma once

#include "core/app/Status.h"
#include "core/layout/ScaledPicture.h"
#include "core/project/EditImgDoc.h"

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QSize>

#include <optional>

class QTimer;

namespace lumaro::gui {

class CLayoutDocument;

// Turning a site picture into lamps: the picture shown, the scan settings
// picked on it (scope, background colour), and the scan itself, which runs
// on a short timer so the view can show that it has begun. Also keeps
// which stage the view is in, which decides the commands it offers.
class CLayoutScanController : public QObject {
    Q_OBJECT
public:
    static constexpr int kScanDelayMs = 1200;

    explicit CLayoutScanController(CLayoutDocument* document, QObject* parent = nullptr);
    ~CLayoutScanController() override;

    // A picture is open and not scanned yet: back colour, scope, other
    // values and Scan are offered.
    bool PictureCommands() const { return m_pictureCommands; }
    // The scan has begun or the layout came with lamps: lamp editing and zoom.
    bool Editing() const { return m_editing; }
    // Scanning happens once per view, and never over a layout with lamps.
    bool ScanAllowed() const { return m_scanAllowed; }
    bool ScanPending() const;
    bool PictureShown() const { return m_pictureShown; }
    const CScaledPicture& Picture() const { return m_picture; }
    // The picture as shown: pixel for pixel the colours the scan reads.
    const QImage& PictureImage() const { return m_pictureImage; }

    // Starts editing at once when the document already has lamps.
    void TakeDocument();
    // Reads the picture at path and fits it into a client of clientSize.
    Status OpenPicture(const QString& path, QSize clientSize);
    // Scan and New/Open Empty Layout: begin now, finish on the timer.
    Status Scan();
    Status StartEmptyLayout();
    // Runs a pending scan now instead of waiting for the timer.
    void FinishNow();
    // Switch Window: between the picture and the lamps.
    void SwitchShown();

    // Back Color and Scan Scope arm the next double-click or drag.
    void ArmBackColour() { m_backColourArmed = true; }
    void ArmScope();
    // A double-click while Back Color is armed takes the colour under it;
    // false when not armed.
    bool PickBackColourAt(QPoint point);
    // A drag while Scan Scope is armed draws the scope, as one undo step of
    // mergeGroup.
    void PressAt(QPoint point, int mergeGroup);
    void DragTo(QPoint point, int mergeGroup);
    void ReleaseAt(QPoint point, int mergeGroup);

Q_SIGNALS:
    // The picture was opened, or is shown or hidden.
    void PictureChanged();
    // The scan the timer finished ran into a problem.
    void ScanFailed(const lumaro::Status& status);

private:
    Status StartScan(bool emptyLayout);
    void FinishScan();
    void EnterEditing();
    void SetScope(const CRect& scope, int mergeGroup);
    void SetPictureShown(bool shown);

    QPointer<CLayoutDocument> m_document;
    bool m_pictureCommands = false;
    bool m_editing = false;
    bool m_scanAllowed = true;
    bool m_pictureShown = false;
    bool m_scopeArmed = false;
    bool m_scopeDragging = false;
    bool m_backColourArmed = false;
    CScaledPicture m_picture;
    QImage m_pictureImage;
    std::optional<CEditImgDoc> m_scanWork; // the scan under way, until its timer
    QTimer* m_timer = nullptr;
};

} // namespace lumaro::gui
