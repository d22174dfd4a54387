#include "gui/layout/LayoutScanController.h"

#include "picture/ColourRef.h"

#include "core/layout/LampScanner.h"
#include "gui/document/LayoutDocument.h"
#include "picture/PictureLoader.h"

#include <QTimer>

#include <algorithm>
#include <cmath>

namespace lumaro::gui {

CLayoutScanController::CLayoutScanController(CLayoutDocument* document, QObject* parent)
    : QObject(parent), m_document(document)
{
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    m_timer->setInterval(kScanDelayMs);
    connect(m_timer, &QTimer::timeout, this, &CLayoutScanController::FinishScan);
}

CLayoutScanController::~CLayoutScanController() = default;

bool CLayoutScanController::ScanPending() const
{
    return m_timer->isActive();
}

void CLayoutScanController::EnterEditing()
{
    m_pictureCommands = false;
    m_editing = true;
}

void CLayoutScanController::TakeDocument()
{
    if (m_document && !m_document->Data().lamps.empty()) {
        EnterEditing();
        m_scanAllowed = false;
    }
}

void CLayoutScanController::SetPictureShown(bool shown)
{
    m_pictureShown = shown;
    Q_EMIT PictureChanged();
}

void CLayoutScanController::SwitchShown()
{
    SetPictureShown(!m_pictureShown);
}

Status CLayoutScanController::OpenPicture(const QString& path, QSize clientSize)
{
    if (!m_document)
        return Status::Ok();
    Result<CScaledPicture> loaded = LoadPicture(path.toStdString());
    if (!loaded)
        return loaded.status();
    CScaledPicture picture = std::move(loaded).value();
    Status opened = Status::Ok();
    m_document->Edit(QStringLiteral("Open Image"), Aspect::ScanSettings, [&](CEditImgDoc& data) {
        opened = CLampScanner::OpenPicture(data, picture, clientSize.width(), clientSize.height());
        return opened.ok();
    });
    if (!opened)
        return opened;
    m_picture = std::move(picture);
    // The display shows, pixel for pixel, the colours the scan reads, so
    // what the user sees is exactly what becomes lamps.
    const int shownWidth = static_cast<int>(std::ceil(m_picture.Width() * m_picture.Fit()));
    const int shownHeight = static_cast<int>(std::ceil(m_picture.Height() * m_picture.Fit()));
    QImage image(std::max(shownWidth, 1), std::max(shownHeight, 1), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            row[x] = RgbFromColourRef(m_picture.ColourAt(x, y));
        }
    }
    m_pictureImage = std::move(image);
    if (m_scanAllowed)
        m_pictureCommands = true;
    SetPictureShown(true);
    return Status::Ok();
}

Status CLayoutScanController::Scan()
{
    if (!m_scanAllowed)
        return Status::Ok();
    return StartScan(false);
}

Status CLayoutScanController::StartEmptyLayout()
{
    return StartScan(true);
}

Status CLayoutScanController::StartScan(bool emptyLayout)
{
    if (!m_document)
        return Status::Ok();
    // The scan works on a copy; the document takes the result as one edit.
    CEditImgDoc work = m_document->Data();
    Status begun = emptyLayout ? CLampScanner::BeginEmptyLayout(work) : CLampScanner::Begin(work);
    if (!begun)
        return begun;
    m_scanWork = std::move(work);
    m_timer->start();
    EnterEditing();
    if (!emptyLayout)
        m_scanAllowed = false;
    return Status::Ok();
}

void CLayoutScanController::FinishNow()
{
    if (!m_timer->isActive())
        return;
    m_timer->stop();
    FinishScan();
}

void CLayoutScanController::FinishScan()
{
    m_timer->stop();
    if (!m_document || !m_scanWork)
        return;
    Status finished = CLampScanner::Finish(*m_scanWork, m_picture);
    constexpr Aspects kScanned = Aspect::Lamps | Aspect::Ports | Aspect::ScanSettings;
    const CProjectState result = CProjectState::Capture(*m_scanWork, kScanned);
    m_scanWork.reset();
    if (!finished)
        Q_EMIT ScanFailed(finished);
    SetPictureShown(false);
    m_document->Edit(QStringLiteral("Scan"), kScanned, [&](CEditImgDoc& data) {
        result.ApplyTo(data);
        return true;
    });
}

// --- picking on the picture ------------------------------------------------

void CLayoutScanController::ArmScope()
{
    if (m_scanAllowed)
        m_scopeArmed = true;
}

bool CLayoutScanController::PickBackColourAt(QPoint point)
{
    if (!m_backColourArmed || !m_document)
        return false;
    const std::uint32_t colour = m_picture.ColourAt(point.x(), point.y());
    m_document->Edit(QStringLiteral("Back Color"), Aspect::ScanSettings, [colour](CEditImgDoc& data) {
        data.backgroundColour = colour;
        return true;
    });
    m_backColourArmed = false;
    return true;
}

void CLayoutScanController::SetScope(const CRect& scope, int mergeGroup)
{
    if (!m_document)
        return;
    m_document->Edit(
        QStringLiteral("Scan Scope"), Aspect::ScanSettings,
        [&scope](CEditImgDoc& data) {
            data.scanScope = scope;
            return true;
        },
        mergeGroup);
}

void CLayoutScanController::PressAt(QPoint point, int mergeGroup)
{
    if (!m_scopeArmed || !m_scanAllowed || !m_document)
        return;
    SetScope(CRect{point.x(), point.y(), point.x(), point.y()}, mergeGroup);
    m_scopeDragging = true;
}

void CLayoutScanController::DragTo(QPoint point, int mergeGroup)
{
    if (!m_scopeDragging || !m_document)
        return;
    CRect scope = m_document->Data().scanScope;
    scope.right = point.x();
    scope.bottom = point.y();
    SetScope(scope, mergeGroup);
}

void CLayoutScanController::ReleaseAt(QPoint point, int mergeGroup)
{
    if (!m_scopeDragging || !m_document)
        return;
    CRect scope = m_document->Data().scanScope;
    scope.right = point.x();
    scope.bottom = point.y();
    SetScope(scope.Normalized(), mergeGroup);
    m_scopeDragging = false;
    m_scopeArmed = false;
}

} // namespace lumaro::gui
