#include "gui/effects/ModePreview.h"

#include "core/layout/Lamp.h"
#include "core/preview/ModePreviewSample.h"

#include <QPainter>
#include <QResizeEvent>

#include <algorithm>
#include <chrono>

namespace lumaro::gui {

namespace {

// Unlit lamps stay visible, so the sample layout shows what a mode leaves dark.
const QColor kUnlitLamp(45, 45, 45);

QImage RenderFrame(const CModePreviewSample& sample, std::size_t frame, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    const std::vector<CLamp>& lamps = sample.Lamps();
    if (lamps.empty())
        return image;
    const CRect box = LampBounds(lamps);
    const int columns = box.right - box.left + 1, rows = box.bottom - box.top + 1;
    const int cell = std::max(2, std::min(size.width() / (columns + 1), size.height() / (rows + 1)));
    const int left = (size.width() - columns * cell) / 2, top = (size.height() - rows * cell) / 2;
    const std::vector<std::int32_t> colours = sample.Frame(frame);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (const CLamp& lamp : lamps) {
        const auto at = static_cast<std::size_t>(lamp.number);
        const std::int32_t colour = at < colours.size() ? colours[at] : CModePreviewSample::kUnlit;
        painter.setBrush(colour == CModePreviewSample::kUnlit ? kUnlitLamp
                                                              : QColor::fromRgb(static_cast<QRgb>(colour)));
        const QRectF square(left + (lamp.x - box.left) * cell + 1, top + (lamp.y - box.top) * cell + 1,
                            cell - 2, cell - 2);
        painter.drawRoundedRect(square, cell * 0.3, cell * 0.3);
    }
    return image;
}

} // namespace

CModePreview::CModePreview(QWidget* parent) : QWidget(parent), m_size(160, 120)
{
    setMinimumSize(m_size);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CModePreview::~CModePreview()
{
    // The thread draws into members of this object: it ends before they do.
    Stop();
}

void CModePreview::Start(const std::string& type)
{
    Stop();
    m_frames = 0;
    {
        std::lock_guard lock(m_mutex);
        m_image = QImage();
    }
    m_worker = std::jthread([this, type](std::stop_token stop) { Run(stop, type); });
}

void CModePreview::Stop()
{
    if (!m_worker.joinable())
        return;
    m_worker.request_stop();
    m_worker.join();
}

QImage CModePreview::Image() const
{
    std::lock_guard lock(m_mutex);
    return m_image;
}

void CModePreview::Run(std::stop_token stop, const std::string& type)
{
    const CModePreviewSample sample(type);
    const auto frameTime = std::chrono::milliseconds(sample.FrameMilliseconds());
    for (std::size_t frame = 0; !stop.stop_requested(); ++frame) {
        QSize size;
        {
            std::lock_guard lock(m_mutex);
            size = m_size;
        }
        QImage image = RenderFrame(sample, frame, size);
        {
            std::lock_guard lock(m_mutex);
            m_image = std::move(image);
        }
        ++m_frames;
        // Queued to the widget's thread; dropped if the widget is gone by then.
        QMetaObject::invokeMethod(
            this, [this] { update(); }, Qt::QueuedConnection);
        if (sample.FrameCount() <= 1)
            return; // nothing moves
        std::unique_lock lock(m_mutex);
        m_wake.wait_for(lock, stop, frameTime, [] { return false; });
    }
}

void CModePreview::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QImage image = Image();
    if (!image.isNull())
        painter.drawImage(rect(), image);
}

void CModePreview::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (event->size().isEmpty())
        return;
    std::lock_guard lock(m_mutex);
    m_size = event->size();
}

} // namespace lumaro::gui
