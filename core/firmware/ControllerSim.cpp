#include "core/firmware/ControllerSim.h"

#include <charconv>
#include <cstdlib>
#include <map>

namespace lumaro {

namespace {

std::string_view NextLine(std::string_view& text)
{
    const std::size_t nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// One shift register chain of a port: 24 bits a lamp, the oldest bit at
// the far end.
struct Chain {
    std::vector<std::uint8_t> bits;
    std::size_t head = 0;

    void Shift(std::uint8_t bit)
    {
        if (bits.empty())
            return;
        bits[head] = bit;
        head = (head + 1) % bits.size();
    }
    std::uint8_t Byte(std::size_t from) const
    {
        std::uint8_t v = 0;
        for (std::size_t k = 0; k < 8; ++k)
            v = static_cast<std::uint8_t>(v << 1 | bits[(head + from + k) % bits.size()]);
        return v;
    }
};

} // namespace

Status CControllerSim::Prepare(const fs::path& folder, std::string_view hexImage, double seconds, int presses)
{
    // The records up to the end record: the lamp-count stamp comes after it.
    std::string image;
    for (std::string_view rest = hexImage; !rest.empty();) {
        const std::string_view line = NextLine(rest);
        image += std::string(line) + "\n";
        if (line.starts_with(":00000001"))
            break;
    }
    std::string commands = "file \"image.ihx\"\n"
                           "set hardware vcd[0] output \"" +
                           std::string(kPinsFile) +
                           "\"\n"
                           "set hardware vcd[0] add sfr 0x80\n"
                           "set hardware vcd[0] add sfr 0x90\n"
                           "set hardware vcd[0] add sfr 0xa0\n"
                           "set hardware vcd[0] start\n";
    const auto us = [](double ms) { return std::to_string(static_cast<long long>(ms * 1000)) + "us\n"; };
    for (int i = 0; i < presses; ++i)
        commands += "set hardware port[3] 0xfb\nstep " + us(kPressMs) +
                    "state\nset hardware port[3] 0xff\nstep " + us(kPressMs);
    commands += "step " + us(seconds * 1000) + "set hardware vcd[0] stop\nquit\n";
    std::string script = "# Runs the controller image in the 8051 simulator; pins to " +
                         std::string(kPinsFile) +
                         ".\ncd \"$(dirname \"$0\")\" || exit 1\n"
                         "exec s51 -t 8052 -X 12M -C firmsim.cmd </dev/null >" +
                         std::string(kLogFile) + " 2>&1\n";
    for (const auto& [name, text] :
         {std::pair{"image.ihx", &image}, std::pair{"firmsim.cmd", &commands}, std::pair{kScript, &script}})
        if (const Status s = WriteFileAtomic(folder / name, *text); !s)
            return s;
    std::error_code ec;
    fs::remove(folder / kPinsFile, ec);
    return Status::Ok();
}

std::vector<CControllerSim::Frame> CControllerSim::Decode(std::string_view vcd, const PortChains& chains,
                                                          std::size_t lampCount)
{
    std::array<Chain, 12> registers;
    for (std::size_t p = 0; p < 12; ++p)
        registers[p].bits.assign(24 * chains[p].size(), 0);

    std::map<std::string, int, std::less<>> ids; // VCD id -> 0 for P0, 1 P1, 2 P2
    std::array<unsigned, 3> value = {0xFF, 0xFF, 0xFF};
    std::vector<Frame> frames;
    std::vector<DemoRgb> shown(lampCount);
    double now = 0, lastEdge = -1, firstEdge = -1;

    const auto latch = [&] {
        for (std::size_t p = 0; p < 12; ++p)
            for (std::size_t i = 0; i < chains[p].size(); ++i)
                if (chains[p][i] < lampCount)
                    shown[chains[p][i]] = {registers[p].Byte(24 * i), registers[p].Byte(24 * i + 8),
                                           registers[p].Byte(24 * i + 16)};
        frames.push_back({firstEdge, lastEdge, lastEdge + kLatchIdleMs, shown});
        firstEdge = -1;
    };

    while (!vcd.empty()) {
        const std::string_view line = NextLine(vcd);
        if (line.starts_with("$var")) {
            // $var wire 8 ! P0 $end
            std::vector<std::string_view> words;
            for (std::string_view rest = line; !rest.empty();) {
                const std::size_t sp = rest.find(' ');
                if (sp != 0)
                    words.push_back(rest.substr(0, sp));
                rest = sp == std::string_view::npos ? std::string_view{} : rest.substr(sp + 1);
            }
            if (words.size() >= 5)
                for (int port = 0; port < 3; ++port)
                    if (words[4] == "P" + std::to_string(port))
                        ids[std::string(words[3])] = port;
        } else if (line.starts_with('#')) {
            long long ps = 0;
            std::from_chars(line.data() + 1, line.data() + line.size(), ps);
            now = static_cast<double>(ps) / 1e9;
        } else if (line.starts_with('b')) {
            const std::size_t sp = line.find(' ');
            if (sp == std::string_view::npos)
                continue;
            const auto id = ids.find(line.substr(sp + 1));
            if (id == ids.end())
                continue;
            unsigned v = 0;
            for (char c : line.substr(1, sp - 1))
                v = v << 1 | (c == '1' ? 1u : 0u);
            const int port = id->second;
            if (port == 0) {
                const unsigned rising = v & ~value[0];
                if (rising) {
                    if (lastEdge >= 0 && firstEdge >= 0 && now - lastEdge >= kLatchIdleMs)
                        latch();
                    if (firstEdge < 0)
                        firstEdge = now;
                    lastEdge = now;
                    for (unsigned pair = 0; pair < 6; ++pair)
                        if (rising & (1u << pair)) {
                            registers[2 * pair].Shift(static_cast<std::uint8_t>(value[1] >> pair & 1));
                            registers[2 * pair + 1].Shift(static_cast<std::uint8_t>(value[2] >> pair & 1));
                        }
                }
            }
            value[static_cast<std::size_t>(port)] = v;
        }
    }
    if (firstEdge >= 0 && now - lastEdge >= kLatchIdleMs)
        latch();
    return frames;
}

Result<CControllerSim::Run> CControllerSim::Read(const fs::path& folder, const PortChains& chains,
                                                 std::size_t lampCount)
{
    const auto pins = ReadFileBytes(folder / kPinsFile);
    if (!pins)
        return pins.status();
    Run run;
    run.frames = Decode(pins.value(), chains, lampCount);
    // "Total time since last reset= 0.5 sec" comes just before each release.
    if (const auto log = ReadFileBytes(folder / kLogFile)) {
        const std::string& text = log.value();
        const std::string label = "Total time since last reset=";
        if (const std::size_t at = text.rfind(label); at != std::string::npos)
            run.keyReleasedMs = std::strtod(text.c_str() + at + label.size(), nullptr) * 1000;
    }
    return run;
}

std::vector<CControllerSim::ModeTiming>
CControllerSim::Timings(const std::vector<Frame>& frames, double fromMs,
                        const std::vector<CControllerPlay::Mode>& modes)
{
    std::vector<ModeTiming> timings;
    std::vector<double> sums(modes.size());
    std::vector<std::size_t> periods(modes.size());
    for (const auto& m : modes)
        timings.push_back({m});
    std::size_t total = 0;
    for (const auto& m : modes)
        total += m.steps;
    if (total == 0)
        return timings;
    std::size_t first = 0;
    while (first < frames.size() && frames[first].latchMs < fromMs)
        ++first;
    std::size_t mode = 0, step = 0;
    for (std::size_t f = first; f < frames.size(); ++f) {
        while (step >= modes[mode].steps) {
            mode = (mode + 1) % modes.size();
            step = 0;
        }
        ++timings[mode].frames;
        if (f + 1 < frames.size()) {
            sums[mode] += frames[f + 1].latchMs - frames[f].latchMs;
            ++periods[mode];
        }
        ++step;
    }
    for (std::size_t m = 0; m < modes.size(); ++m)
        timings[m].meanPeriodMs = periods[m] ? sums[m] / static_cast<double>(periods[m]) : 0;
    return timings;
}

double CControllerSim::MeanFrameMs(const std::vector<Frame>& frames)
{
    if (frames.empty())
        return 0;
    double sum = 0;
    for (const Frame& f : frames)
        sum += f.endMs - f.startMs;
    return sum / static_cast<double>(frames.size());
}

} // namespace lumaro
