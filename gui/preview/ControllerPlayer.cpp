#include "gui/preview/ControllerPlayer.h"

#include "gui/firmware/BuildProcess.h"

#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

namespace lumaro::gui {

namespace {

// Often enough for a frame of 1 ms; building and simulating poll slower.
constexpr int kPaceMs = 5;
constexpr int kWaitMs = 50;

const std::vector<CControllerSim::Frame> kNoFrames;

} // namespace

CControllerPlayer::CControllerPlayer(QObject* parent) : QObject(parent)
{
    makeProcess = [] { return std::make_unique<CBuildProcess>(); };
    connect(&m_timer, &QTimer::timeout, this, &CControllerPlayer::OnRound);
}

CControllerPlayer::~CControllerPlayer()
{
    End();
}

Status CControllerPlayer::Start(const CCompiledEffects& compiled, const std::vector<CLamp>& lamps, int group,
                                const fs::path& buildFolder)
{
    Stop();
    m_folder = std::make_unique<QTemporaryDir>();
    if (!m_folder->isValid()) {
        m_folder.reset();
        return Status::Fail(CControllerRun::kBuildFailedKey, "cannot make a work folder");
    }
    m_group = group;
    m_process = makeProcess();
    m_run.emplace(CControllerRun::Setup{buildFolder, fs::path(m_folder->path().toStdString()), group});
    if (const Status started = m_run->Start(compiled, lamps, *m_process); !started) {
        End();
        return started;
    }
    m_state = State::Building;
    m_timer.start(kWaitMs);
    Q_EMIT StateChanged();
    return Status::Ok();
}

void CControllerPlayer::Stop()
{
    const bool was = m_state != State::Idle;
    End();
    if (was)
        Q_EMIT StateChanged();
}

void CControllerPlayer::End()
{
    m_timer.stop();
    // The process first: it ends a compiler or simulator still at work
    // before its folder goes.
    m_process.reset();
    m_run.reset();
    m_folder.reset();
    m_state = State::Idle;
    m_shown = kNoFrame;
}

QString CControllerPlayer::WorkFolder() const
{
    return m_folder ? m_folder->path() : QString();
}

double CControllerPlayer::Seconds() const
{
    return m_run ? m_run->Seconds() : 0;
}

double CControllerPlayer::FrameMs() const
{
    return m_run ? m_run->FrameMs() : 0;
}

const std::vector<CControllerSim::Frame>& CControllerPlayer::Frames() const
{
    return m_run ? m_run->Frames() : kNoFrames;
}

double CControllerPlayer::PlayedMs() const
{
    if (m_state != State::Playing || m_loopMs <= 0)
        return 0;
    return std::fmod(static_cast<double>(m_clock.nsecsElapsed()) / 1e6, m_loopMs);
}

void CControllerPlayer::OnRound()
{
    if (m_state == State::Playing) {
        Pace();
        return;
    }
    if (!m_run || !m_process)
        return;
    const CControllerRun::Phase phase = m_run->Poll(*m_process);
    if (phase == CControllerRun::Phase::Failed) {
        const Status failure = m_run->Failure();
        Stop();
        Q_EMIT Failed(failure);
        return;
    }
    if (phase == CControllerRun::Phase::Simulating && m_state != State::Simulating) {
        m_state = State::Simulating;
        Q_EMIT StateChanged();
    } else if (phase == CControllerRun::Phase::Done) {
        m_process.reset();
        const auto& frames = m_run->Frames();
        // One frame period past the last, so that the loop keeps the pace.
        const double period =
            frames.size() > 1 ? frames.back().latchMs - frames[frames.size() - 2].latchMs : m_run->FrameMs();
        m_loopMs = std::max(frames.back().latchMs + period, 1.0);
        m_state = State::Playing;
        m_shown = kNoFrame;
        m_clock.start();
        m_timer.start(kPaceMs);
        Q_EMIT StateChanged();
        Pace();
    }
}

void CControllerPlayer::Pace()
{
    const auto& frames = Frames();
    if (frames.empty())
        return;
    const double now = PlayedMs();
    auto due = std::upper_bound(frames.begin(), frames.end(), now,
                                [](double ms, const CControllerSim::Frame& f) { return ms < f.latchMs; });
    const std::size_t index = due == frames.begin() ? 0 : static_cast<std::size_t>(due - frames.begin()) - 1;
    if (index == m_shown)
        return;
    m_shown = index;
    Q_EMIT FrameDue(index);
}

} // namespace lumaro::gui
