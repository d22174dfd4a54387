#include "core/preview/DemoTrace.h"

#include "core/preview/DemoPainter.h"
#include "core/preview/VirtualDemoClock.h"

#include <algorithm>
#include <condition_variable>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <queue>
#include <stop_token>
#include <thread>
#include <tuple>

namespace lumaro {

namespace {

constexpr std::int32_t kParallelBaseDelay = 20; // tenths of a second
// Draws a painter hands over at a time, and how many it may be ahead of
// the merge before it waits: what bounds the memory of a trace.
constexpr std::size_t kBatch = 256;
constexpr std::size_t kLaneCapacity = 16 * kBatch;

// One painter thread playing its modes in turn (one mode in Parallel and
// Partial play, all of them in Sequential play) on a virtual clock of its
// own, a bounded queue of draws between it and the merge.
class CTraceLane {
public:
    CTraceLane(const std::vector<CModeItem>& modes, std::vector<DemoStart> steps, std::int64_t startMs,
               const CCompiledEffects& tables, const std::vector<CLamp>& lamps,
               const DemoTraceOptions& options)
        : m_index(steps.empty() ? 0 : steps.front().modeIndex)
    {
        m_thread = std::jthread(
            [this, &modes, steps = std::move(steps), startMs, &tables, &lamps,
             &options](std::stop_token stop) { Run(stop, modes, steps, startMs, tables, lamps, options); });
    }
    ~CTraceLane() { End(); }
    CTraceLane(const CTraceLane&) = delete;
    CTraceLane& operator=(const CTraceLane&) = delete;

    // The mode's place in the play (Parallel and Partial lanes play one).
    std::int32_t Index() const { return m_index; }

    // The next draw, nullptr once the lane has ended; waits until it is known.
    const DemoTraceDraw* Head()
    {
        if (m_taken == m_local.size()) {
            m_local.clear();
            m_taken = 0;
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return !m_queue.empty() || m_done; });
            m_local.swap(m_queue);
            m_changed.notify_all();
        }
        return m_taken < m_local.size() ? &m_local[m_taken] : nullptr;
    }
    void Pop() { ++m_taken; }

    // Valid once Head() has answered nullptr.
    const CDemoPainter::Result& LastResult() const { return m_result; }
    std::int64_t EndMs() const { return m_endMs; }

    // Stops the painter and waits for its thread.
    void End()
    {
        if (!m_thread.joinable())
            return;
        m_thread.request_stop();
        m_thread.join();
    }

private:
    class Canvas : public IDemoCanvas {
    public:
        // `stop` ends the painter (its draw limit); `laneStop` is the
        // merge's end of the lane, which drops what is not handed over yet.
        Canvas(CTraceLane& lane, const CVirtualDemoClock& clock, std::int32_t modeIndex, std::size_t limit,
               std::stop_source stop, std::stop_token laneStop)
            : m_lane(lane), m_clock(clock), m_modeIndex(modeIndex), m_limit(limit), m_stop(std::move(stop)),
              m_laneStop(std::move(laneStop))
        {
        }
        void DrawLamp(std::int32_t lampNumber, DemoRgb colour, DemoShape) override
        {
            m_batch.push_back({m_clock.Now(), m_modeIndex, lampNumber, colour});
            if (++m_count >= m_limit)
                m_stop.request_stop();
            if (m_batch.size() >= kBatch)
                Flush();
        }
        void Flush() { m_lane.Hand(m_batch, m_laneStop); }

    private:
        CTraceLane& m_lane;
        const CVirtualDemoClock& m_clock;
        std::int32_t m_modeIndex;
        std::size_t m_limit;
        std::size_t m_count = 0;
        std::stop_source m_stop;
        std::stop_token m_laneStop;
        std::vector<DemoTraceDraw> m_batch;
    };

    // Waits while the merge is far behind; a stopped painter's draws go.
    void Hand(std::vector<DemoTraceDraw>& batch, std::stop_token stop)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, stop, [this] { return m_queue.size() < kLaneCapacity; });
        if (!stop.stop_requested())
            m_queue.insert(m_queue.end(), batch.begin(), batch.end());
        batch.clear();
        m_changed.notify_all();
    }

    void Run(std::stop_token stop, const std::vector<CModeItem>& modes, const std::vector<DemoStart>& steps,
             std::int64_t start, const CCompiledEffects& tables, const std::vector<CLamp>& lamps,
             const DemoTraceOptions& options)
    {
        for (const DemoStart& step : steps) {
            if (start >= options.durationMs)
                break;
            std::stop_source own;
            // The merge or a cancel ends the painter at its next draw or wait.
            const std::stop_callback ended(stop, [&own] { own.request_stop(); });
            const std::stop_callback cancelled(options.cancel, [&own] { own.request_stop(); });
            CVirtualDemoClock clock(start);
            clock.StopAt(options.durationMs, own);
            Canvas canvas(*this, clock, step.modeIndex, options.drawLimitPerMode, own, stop);
            CModeItem mode = modes[static_cast<std::size_t>(step.modeIndex)];
            mode.sceneEffect = step.startDelay;
            CDemoPainter painter(canvas, clock, tables, lamps, options.shape);
            const CDemoPainter::Result result = painter.Play(mode, own.get_token());
            canvas.Flush();
            m_result = result;
            m_endMs = clock.Now();
            start = m_endMs;
            if (stop.stop_requested())
                break;
        }
        std::scoped_lock lock(m_mutex);
        m_done = true;
        m_changed.notify_all();
    }

    std::int32_t m_index;
    std::mutex m_mutex;
    std::condition_variable_any m_changed;
    std::vector<DemoTraceDraw> m_queue; // guarded by m_mutex
    bool m_done = false;                // guarded by m_mutex
    // Written by the thread before it sets m_done, read after.
    CDemoPainter::Result m_result;
    std::int64_t m_endMs = 0;
    // The merge's side.
    std::vector<DemoTraceDraw> m_local;
    std::size_t m_taken = 0;
    std::jthread m_thread;
};

// The lanes' heads in the order of the trace: by time, at equal times the
// draws before a mode's end and those by place in the play.
struct HeadKey {
    std::int64_t ms = 0;
    bool end = false;
    std::int32_t index = 0;
    std::size_t lane = 0;
    std::uint64_t pass = 0;
    bool operator>(const HeadKey& o) const
    {
        return std::tie(ms, end, index) > std::tie(o.ms, o.end, o.index);
    }
};

} // namespace

std::vector<DemoStart> DemoStarts(const std::vector<CModeItem>& modes, DemoOrder order, std::int32_t first,
                                  std::int32_t last)
{
    const auto count = static_cast<std::int32_t>(modes.size());
    std::vector<DemoStart> starts;
    if (order == DemoOrder::Sequential) {
        for (std::int32_t i = 0; i < count; ++i)
            starts.push_back({i, 0});
        return starts;
    }
    if (order == DemoOrder::Parallel) {
        first = 0;
        last = count - 1;
    }
    std::int64_t held = 0;
    for (std::int32_t i = std::max(first, 0); i <= std::min(last, count - 1); ++i) {
        starts.push_back({i, static_cast<std::int32_t>(std::clamp<std::int64_t>(
                                 kParallelBaseDelay + held, 0, std::numeric_limits<std::int32_t>::max()))});
        held += modes[static_cast<std::size_t>(i)].holdTime;
    }
    return starts;
}

void StreamDemo(const std::vector<CModeItem>& modes, const CCompiledEffects& tables,
                const std::vector<CLamp>& lamps, const DemoTraceOptions& options,
                const std::function<void(const DemoTraceDraw&)>& sink)
{
    if (modes.empty() || options.durationMs <= 0)
        return;
    if (options.order == DemoOrder::Sequential) {
        // One lane: its modes end one after the other, so no mode ever has
        // draws left to drop, and there is no restart to make.
        CTraceLane lane(modes, DemoStarts(modes, DemoOrder::Sequential), 0, tables, lamps, options);
        for (const DemoTraceDraw* d = lane.Head(); d && !options.cancel.stop_requested();
             lane.Pop(), d = lane.Head())
            if (d->ms < options.durationMs)
                sink(*d);
        return;
    }

    const std::vector<DemoStart> starts = DemoStarts(modes, options.order, options.first, options.last);
    std::vector<std::unique_ptr<CTraceLane>> lanes;
    std::uint64_t pass = 0;
    std::priority_queue<HeadKey, std::vector<HeadKey>, std::greater<>> heads;
    // Puts lane k's next draw, or its end when it asks something, in line.
    auto queue = [&](std::size_t k) {
        CTraceLane& lane = *lanes[k];
        if (const DemoTraceDraw* d = lane.Head())
            heads.push({d->ms, false, lane.Index(), k, pass});
        else if (!lane.LastResult().stopped && lane.LastResult().request != CDemoPainter::Request::None)
            heads.push({lane.EndMs(), true, lane.Index(), k, pass});
    };
    auto begin = [&](std::int64_t offset) {
        lanes.clear(); // ends and joins the lanes of the pass before
        heads = {};
        ++pass;
        for (const DemoStart& s : starts)
            lanes.push_back(std::make_unique<CTraceLane>(modes, std::vector<DemoStart>{s}, offset, tables,
                                                         lamps, options));
        for (std::size_t k = 0; k < lanes.size(); ++k)
            queue(k);
    };
    std::vector<bool> ended;
    begin(0);
    ended.assign(lanes.size(), false);
    while (!heads.empty() && !options.cancel.stop_requested()) {
        const HeadKey key = heads.top();
        heads.pop();
        if (key.pass != pass || ended[key.lane])
            continue;
        CTraceLane& lane = *lanes[key.lane];
        if (!key.end) {
            const DemoTraceDraw& d = *lane.Head();
            if (d.ms < options.durationMs)
                sink(d);
            lane.Pop();
            queue(key.lane);
            continue;
        }
        if (lane.LastResult().request == CDemoPainter::Request::EndModesBefore) {
            // By place in the play: a program group's special mode carries
            // its place in the whole compiled list, which says nothing here.
            for (std::size_t k = 0; k < lanes.size(); ++k)
                if (lanes[k]->Index() < lane.Index() && !ended[k]) {
                    ended[k] = true;
                    lanes[k]->End();
                }
        } else if (options.order == DemoOrder::Parallel) {
            // The window clears its lamps and plays the list again from its
            // first mode, for as long as the play runs.
            const std::int64_t at = key.ms;
            if (at <= 0 || at >= options.durationMs)
                return;
            sink({at, kDemoRestart, kDemoRestart, {}});
            begin(at);
            ended.assign(lanes.size(), false);
        }
    }
}

std::vector<DemoTraceDraw> TraceDemo(const std::vector<CModeItem>& modes, const CCompiledEffects& tables,
                                     const std::vector<CLamp>& lamps, const DemoTraceOptions& options)
{
    std::vector<DemoTraceDraw> trace;
    StreamDemo(modes, tables, lamps, options, [&trace](const DemoTraceDraw& d) { trace.push_back(d); });
    return trace;
}

} // namespace lumaro
