#pragma once

#include <QImage>
#include <QSize>
#include <QWidget>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>

namespace lumaro::gui {

// The preview box of the mode list page: a catalogue type played on a
// sample layout of its own (CModePreviewSample) by one worker thread at a
// time. The thread never touches the widget: it draws each frame into an
// image of its own, hands it over under the lock and asks for a repaint.
class CModePreview : public QWidget {
    Q_OBJECT
public:
    explicit CModePreview(QWidget* parent = nullptr);
    ~CModePreview() override;

    // Stops the running animation, waits for its thread, and plays type.
    void Start(const std::string& type);
    void Stop();
    bool Running() const { return m_worker.joinable(); }

    // Frames drawn since the last Start, and the last of them.
    int FramesDrawn() const { return m_frames; }
    QImage Image() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Run(std::stop_token stop, const std::string& type);

    mutable std::mutex m_mutex; // guards m_image and m_size
    // A frame's wait ends early when the thread is asked to stop.
    std::condition_variable_any m_wake;
    QImage m_image;
    QSize m_size;
    std::atomic<int> m_frames{0};
    std::jthread m_worker;
};

} // namespace lumaro::gui
