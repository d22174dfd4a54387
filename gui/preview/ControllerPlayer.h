#pragma once

#include "core/app/ExternalProcess.h"
#include "core/app/Status.h"
#include "core/firmware/ControllerRun.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>

class QTemporaryDir;

namespace lumaro::gui {

// Controller Play of the demo window: a program group built into an image
// and run on the simulated controller in the background, then its frames
// played back at the pace the simulator gave them, looping as the
// controller loops the group. Everything runs from the event loop: the
// compiler and s51 are processes of their own, polled by a timer. Stop, or
// the player going, ends a process still running and removes its folder.
class CControllerPlayer : public QObject {
    Q_OBJECT
public:
    enum class State { Idle, Building, Simulating, Playing };
    static constexpr std::size_t kNoFrame = static_cast<std::size_t>(-1);

    explicit CControllerPlayer(QObject* parent = nullptr);
    ~CControllerPlayer() override;

    // Starts the build of group g; a failure before the compiler runs is
    // returned (and nothing runs).
    Status Start(const CCompiledEffects& compiled, const std::vector<CLamp>& lamps, int group,
                 const fs::path& buildFolder);
    void Stop();

    State Current() const { return m_state; }
    int Group() const { return m_group; }
    // Simulated seconds of the recording, and where the playback is in it.
    double Seconds() const;
    double PlayedMs() const;
    double FrameMs() const;
    const std::vector<CControllerSim::Frame>& Frames() const;
    std::size_t ShownFrame() const { return m_shown; }
    // Where the image is built and run; empty when idle.
    QString WorkFolder() const;

    // The process behind the compiler and the simulator; the tests give a fake.
    std::function<std::unique_ptr<IExternalProcess>()> makeProcess;

Q_SIGNALS:
    void StateChanged();
    void Failed(const lumaro::Status& failure);
    // The frame due now differs from the one shown before.
    void FrameDue(std::size_t index);

private:
    void OnRound();
    void Pace();
    void End();

    State m_state = State::Idle;
    int m_group = 0;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<IExternalProcess> m_process;
    std::optional<CControllerRun> m_run;
    QTimer m_timer;
    QElapsedTimer m_clock;
    double m_loopMs = 0;
    std::size_t m_shown = kNoFrame;
};

} // namespace lumaro::gui
