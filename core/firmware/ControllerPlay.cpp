#include "core/firmware/ControllerPlay.h"

#include "core/app/IniFile.h"
#include "core/app/TextUtil.h"
#include "core/firmware/FirmwareData.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <limits>
#include <map>

namespace lumaro {

namespace {

constexpr std::uint32_t kMax32 = std::numeric_limits<std::uint32_t>::max();

// Firmware costs in machine cycles, from frame.asm and main.c (the C parts
// measured on the simulator).
constexpr double kShiftPerLampTime = 24 * 14 + 4;
constexpr double kShiftOverhead = 40;
constexpr double kPaintPerSlot = 24 * 9.6 + 45;
constexpr double kPaintPerEntry = 160;
constexpr double kClearPerByte = 6;
constexpr double kShowOverhead = 300;
// The millisecond interrupt takes about 24 cycles of every 1000.
constexpr double kInterruptShare = 1.024;

std::uint32_t Clamp32(std::int64_t v)
{
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(v, 0, kMax32));
}

const UIntArray& At(const std::vector<UIntArray>& table, std::int64_t index)
{
    static const UIntArray kEmpty;
    return index >= 0 && static_cast<std::size_t>(index) < table.size()
               ? table[static_cast<std::size_t>(index)]
               : kEmpty;
}

using Triple = std::array<std::uint8_t, 3>;

// Triple k from the start, or counted back from the end, of a colour list,
// one byte a channel as the painters take it.
Triple FromStart(const UIntArray& list, std::size_t k)
{
    return {static_cast<std::uint8_t>(list[3 * k]), static_cast<std::uint8_t>(list[3 * k + 1]),
            static_cast<std::uint8_t>(list[3 * k + 2])};
}

Triple FromEnd(const UIntArray& list, std::size_t k)
{
    const std::size_t at = list.size() - 3 * k - 3;
    return {static_cast<std::uint8_t>(list[at]), static_cast<std::uint8_t>(list[at + 1]),
            static_cast<std::uint8_t>(list[at + 2])};
}

template <class T> void AppendValues(std::string& text, const std::vector<T>& values)
{
    if (values.empty()) {
        text += "0";
        return;
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i)
            text += (i % 16 == 0) ? ",\r\n" : ",";
        text += std::to_string(values[i]);
    }
}

} // namespace

Result<PortChains> CControllerPlay::ReadPortTable(std::string_view text)
{
    PortChains chains;
    for (int p = 1; p <= 12; ++p) {
        const std::string name = "CPort" + std::to_string(p) + "[]";
        const std::size_t at = text.find(name);
        if (at == std::string_view::npos)
            continue;
        const std::size_t open = text.find('{', at);
        const std::size_t close = text.find('}', at);
        if (open == std::string_view::npos || close == std::string_view::npos || close < open)
            return Status::Fail(CFirmwareData::kDamagedInputKey, "cport.h: " + name + " is not closed");
        std::string_view body = text.substr(open + 1, close - open - 1);
        while (!body.empty()) {
            const std::size_t comma = body.find(',');
            const std::string_view token = TrimBlanks(body.substr(0, comma));
            body = comma == std::string_view::npos ? std::string_view{} : body.substr(comma + 1);
            if (token.empty() || token == "0xFFFF" || token == "0xffff")
                continue;
            std::uint32_t v = 0;
            const auto [ptr, ec] = std::from_chars(token.data(), token.data() + token.size(), v);
            if (ec != std::errc() || ptr != token.data() + token.size())
                return Status::Fail(CFirmwareData::kDamagedInputKey,
                                    "cport.h: " + name + " holds " + std::string(token.substr(0, 20)));
            chains[static_cast<std::size_t>(p - 1)].push_back(v);
        }
    }
    return chains;
}

std::size_t CControllerPlay::ReadXram(const fs::path& buildFolder)
{
    const std::string value =
        CIniFile::ReadString(FindPathNoCase(buildFolder / kSettingsFile), "Controller", "XRAM", "");
    std::size_t v = 0;
    const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), v);
    return ec == std::errc() && ptr == value.data() + value.size() && v > 0 ? v : kDefaultXram;
}

CControllerPlay CControllerPlay::Make(const CCompiledEffects& compiled, std::size_t lampCount,
                                      const PortChains& chains)
{
    CControllerPlay play;
    play.m_longest = LongestChain(chains);

    // Where each lamp's bits lie in the frame; mask 0 paints nowhere.
    struct Slot {
        std::uint32_t offset = 0;
        std::uint8_t mask = 0;
    };
    std::vector<Slot> slotOf(lampCount);
    for (std::size_t p = 0; p < chains.size(); ++p) {
        const auto& chain = chains[p];
        for (std::size_t i = 0; i < chain.size(); ++i) {
            const std::size_t lampTime = play.m_longest - chain.size() + i;
            if (chain[i] < lampCount && slotOf[chain[i]].mask == 0)
                slotOf[chain[i]] = {static_cast<std::uint32_t>(lampTime * kBytesPerLampTime + p % 2),
                                    static_cast<std::uint8_t>(1u << (p / 2))};
        }
    }
    auto shown = [&](std::uint32_t lamp) { return lamp < lampCount && slotOf[lamp].mask != 0; };

    // Lamp lists and colour lists, each stored once. A list painted in one
    // colour (a band, a fade) is merged: lamps whose bits share frame bytes
    // become one slot under the joined mask, and lamps on no port go.
    struct ListKey {
        std::int64_t index;
        bool reversed, merged;
        auto operator<=>(const ListKey&) const = default;
    };
    std::map<ListKey, std::pair<std::uint32_t, std::uint32_t>> lampLists; // slot offset, slots
    auto lampList = [&](std::int64_t index, bool reversed, bool merged) {
        const ListKey key{index, reversed, merged};
        if (auto it = lampLists.find(key); it != lampLists.end())
            return it->second;
        UIntArray order = At(compiled.lampSequenceTable, index);
        if (reversed)
            std::ranges::reverse(order);
        std::vector<Slot> slots;
        for (std::uint32_t lamp : order)
            slots.push_back(lamp < lampCount ? slotOf[lamp] : Slot{});
        if (merged) {
            std::map<std::uint32_t, std::uint8_t> joined;
            for (const Slot& slot : slots)
                if (slot.mask)
                    joined[slot.offset] |= slot.mask;
            slots.clear();
            for (const auto& [offset, mask] : joined)
                slots.push_back({offset, mask});
        }
        const auto at = static_cast<std::uint32_t>(play.m_slots.size());
        for (const Slot& slot : slots)
            play.m_slots.insert(play.m_slots.end(), {static_cast<std::uint8_t>(slot.offset & 0xFF),
                                                     static_cast<std::uint8_t>(slot.offset >> 8), slot.mask});
        const auto list = std::make_pair(at, static_cast<std::uint32_t>(slots.size()));
        lampLists.emplace(key, list);
        return list;
    };
    std::map<std::int64_t, std::uint32_t> seqs;
    auto seq = [&](std::int64_t index) {
        if (auto it = seqs.find(index); it != seqs.end())
            return it->second;
        const auto [at, n] = lampList(index, false, true);
        play.m_seqs.push_back({at, n});
        return seqs.emplace(index, static_cast<std::uint32_t>(play.m_seqs.size() - 1)).first->second;
    };
    std::map<std::vector<std::uint8_t>, std::uint32_t> colourLists;
    auto colourList = [&](const std::vector<Triple>& triples) {
        std::vector<std::uint8_t> bytes;
        for (const Triple& t : triples)
            bytes.insert(bytes.end(), t.begin(), t.end());
        if (auto it = colourLists.find(bytes); it != colourLists.end())
            return it->second;
        const auto at = static_cast<std::uint32_t>(play.m_colours.size());
        play.m_colours.insert(play.m_colours.end(), bytes.begin(), bytes.end());
        colourLists.emplace(bytes, at);
        return at;
    };
    auto slotsOfBand = [&](std::int64_t index) { return std::uint64_t{play.m_seqs[seq(index)][1]}; };

    for (int g = 0; g < 32; ++g) {
        const auto& group = compiled.programGroups[static_cast<std::size_t>(g)];
        play.m_groups[static_cast<std::size_t>(g)] = {static_cast<std::uint32_t>(play.m_modes.size()), 0,
                                                      group.empty() ? 0u : 1u};
        int empties = 0;
        for (std::size_t i = 0; i < group.size(); ++i) {
            const CModeItem& m = group[i];
            const int code = m.layer;
            // Two empty modes in a row end the group in the emitted tables.
            empties = code == 254 ? empties + 1 : 0;
            if (empties == 2)
                break;

            Mode mode{g, static_cast<std::int32_t>(i), m.type};
            Record r;
            const UIntArray& colours = At(compiled.colourTable, m.colourGroupId);
            const std::size_t c = colours.size() / 3;
            const std::int64_t interval = m.interval;
            if (code >= 1 && code <= 4) {
                const UIntArray& bands = At(compiled.bandTable, m.bandOrderIndex);
                if (c == 0 || m.loop < 1)
                    continue;
                const bool forward = code == 2 || code == 3, fromEnd = code == 3 || code == 4;
                std::vector<Triple> triples;
                for (std::size_t k = 0; k < c; ++k)
                    triples.push_back(fromEnd ? FromEnd(colours, k) : FromStart(colours, k));
                r.kind = Kind::ChaseBands;
                r.falling = !forward;
                r.first = forward || bands.empty() ? 0 : static_cast<std::uint32_t>((bands.size() - 1) % c);
                r.list = static_cast<std::uint32_t>(play.m_bands.size());
                for (std::size_t v = bands.size(); v-- > 0;) {
                    play.m_bands.push_back(seq(bands[v]));
                    mode.slotsPerStep += slotsOfBand(bands[v]);
                }
                r.count = static_cast<std::uint32_t>(bands.size());
                r.colours = static_cast<std::uint32_t>(c);
                r.colour = colourList(triples);
                r.steps = static_cast<std::uint32_t>(m.loop);
                r.period = Clamp32(interval * 10);
            } else if (code == 5 || code == 6) {
                const UIntArray& order = At(compiled.lampSequenceTable, m.lampOrderIndex);
                if (c == 0 || m.loop < 1)
                    continue;
                std::vector<Triple> triples;
                for (std::size_t k = 0; k < c; ++k)
                    triples.push_back(code == 6 ? FromEnd(colours, k) : FromStart(colours, k));
                r.kind = Kind::ChaseLamps;
                r.list = lampList(m.lampOrderIndex, code == 6, false).first;
                r.count = static_cast<std::uint32_t>(order.size());
                r.colours = static_cast<std::uint32_t>(c);
                r.colour = colourList(triples);
                r.steps = static_cast<std::uint32_t>(m.loop);
                r.period = Clamp32(interval * 10);
                mode.slotsPerStep = static_cast<std::uint64_t>(std::ranges::count_if(order, shown));
            } else if (code == 7 || code == 8) {
                UIntArray bands = At(compiled.bandTable, m.bandOrderIndex);
                if (c == 0 || bands.empty())
                    continue;
                if (code == 8)
                    std::ranges::reverse(bands);
                std::vector<Triple> triples;
                for (std::size_t k = 0; k < c; ++k)
                    triples.push_back(FromStart(colours, k));
                r.kind = Kind::FillBands;
                r.list = static_cast<std::uint32_t>(play.m_bands.size());
                for (std::uint32_t b : bands) {
                    play.m_bands.push_back(seq(b));
                    mode.slotsPerStep = std::max(mode.slotsPerStep, slotsOfBand(b));
                }
                r.count = static_cast<std::uint32_t>(bands.size());
                r.colours = static_cast<std::uint32_t>(c);
                r.colour = colourList(triples);
                r.steps = r.count;
                r.period = Clamp32(interval * 9);
            } else if (code == 9 || code == 10) {
                const UIntArray& order = At(compiled.lampSequenceTable, m.lampOrderIndex);
                if (c == 0 || order.empty())
                    continue;
                std::vector<Triple> triples;
                for (std::size_t k = 0; k < c; ++k)
                    triples.push_back(FromStart(colours, k));
                r.kind = Kind::FillLamps;
                r.list = lampList(m.lampOrderIndex, code == 10, false).first;
                r.count = static_cast<std::uint32_t>(order.size());
                r.colours = static_cast<std::uint32_t>(c);
                r.colour = colourList(triples);
                r.steps = r.count;
                r.period = Clamp32(interval * 10);
                mode.slotsPerStep = 1;
            } else if (code == 0) {
                // A fade takes its own two colours, not the colour-list table's.
                const UIntArray& own = m.colours;
                const Triple start = own.size() >= 3 ? FromStart(own, 0) : Triple{};
                const Triple goal = own.size() >= 6 ? FromStart(own, 1) : Triple{};
                int distance = 0;
                for (int ch = 0; ch < 3; ++ch)
                    distance = std::max(distance, std::abs(int{goal[static_cast<std::size_t>(ch)]} -
                                                           int{start[static_cast<std::size_t>(ch)]}));
                const std::int64_t step = m.loop != 0 ? std::abs(distance / m.loop) : distance;
                const std::int64_t fadeInterval = interval != 0 ? interval : 1;
                const std::int64_t frames = std::int64_t{m.holdTime} * 10 / fadeInterval;
                if (frames <= 0)
                    continue;
                const auto [at, slots] = lampList(m.lampOrderIndex, false, true);
                r.kind = Kind::Fade;
                r.list = at;
                r.count = slots;
                r.colours = 2;
                r.colour = colourList({start, goal});
                r.fadeStep = static_cast<std::uint8_t>(step);
                r.steps = Clamp32(frames);
                r.period = Clamp32(fadeInterval * 10);
                mode.slotsPerStep = slots;
            } else if (code == 254) {
                r.kind = Kind::Black;
                r.steps = 1;
            } else {
                continue; // regroup, regress: nothing to do one mode after another
            }
            mode.kind = r.kind;
            mode.steps = r.steps;
            mode.periodMs = r.period;
            mode.entries = r.count;
            play.m_modes.push_back(std::move(mode));
            play.m_records.push_back(r);
            ++play.m_groups[static_cast<std::size_t>(g)][1];
        }
    }
    return play;
}

std::size_t CControllerPlay::LongestChain(const PortChains& chains)
{
    std::size_t longest = 0;
    for (const auto& chain : chains)
        longest = std::max(longest, chain.size());
    return longest;
}

std::vector<CControllerPlay::Mode> CControllerPlay::GroupModes(int group) const
{
    std::vector<Mode> modes;
    for (const Mode& m : m_modes)
        if (m.group == group)
            modes.push_back(m);
    return modes;
}

double CControllerPlay::FrameMs(std::size_t longestChain)
{
    if (longestChain == 0)
        return 0;
    return (kShiftPerLampTime * static_cast<double>(longestChain) + kShiftOverhead) * kInterruptShare / 1000;
}

double CControllerPlay::StepCostMs(const Mode& mode) const
{
    double cycles = kShowOverhead;
    if (mode.kind == Kind::Black)
        cycles += kClearPerByte * static_cast<double>(FrameBytes());
    else if (mode.kind == Kind::ChaseBands || mode.kind == Kind::ChaseLamps)
        cycles += kPaintPerEntry * mode.entries;
    else
        cycles += kPaintPerEntry;
    cycles += kPaintPerSlot * static_cast<double>(mode.slotsPerStep);
    return FrameMs() + cycles * kInterruptShare / 1000;
}

std::vector<CControllerPlay::Mode> CControllerPlay::SlowModes() const
{
    std::vector<Mode> slow;
    for (const Mode& m : m_modes)
        if (m.kind != Kind::Black && m.steps > 0 && m.periodMs < StepCostMs(m))
            slow.push_back(m);
    return slow;
}

std::string CControllerPlay::Text(int fileFormat, std::size_t xramBytes) const
{
    std::string t;
    t += "/* What the controller plays, made by Lumaro for every build: the modes of\r\n"
         " * the 32 program groups and the lamps by their chains. See PlayTyp.h. */\r\n";
    t += "#include \"PlayTyp.h\"\r\n";
    t += "#define PLAY_FORMAT " + std::to_string(fileFormat) + "\r\n";
    t += "#define PLAY_XRAM " + std::to_string(xramBytes) + "u\r\n";
    t += "#define PLAY_LAMPTIMES " + std::to_string(m_longest) + "u\r\n";
    t += "#define PLAY_FRAMEBYTES " + std::to_string(FrameBytes()) + "u\r\n";

    t += "code unsigned char PlaySlots[]={\r\n";
    AppendValues(t, m_slots);
    t += "};\r\ncode PLAYSEQ PlaySeqs[]={\r\n";
    if (m_seqs.empty())
        t += "{0,0}";
    for (std::size_t i = 0; i < m_seqs.size(); ++i)
        t += (i ? ",\r\n{" : "{") + std::to_string(m_seqs[i][0]) + "," + std::to_string(m_seqs[i][1]) + "}";
    t += "};\r\ncode unsigned int PlayBands[]={\r\n";
    AppendValues(t, m_bands);
    t += "};\r\ncode unsigned char PlayColours[]={\r\n";
    AppendValues(t, m_colours);
    t += "};\r\ncode PLAYMODE PlayModes[]={\r\n";
    if (m_records.empty())
        t += "{0,0,0,0,0,0,0,0,0,0}";
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        const Record& r = m_records[i];
        t += i ? ",\r\n{" : "{";
        for (std::uint64_t v : {std::uint64_t(r.kind), std::uint64_t(r.falling), std::uint64_t(r.steps),
                                std::uint64_t(r.period), std::uint64_t(r.count), std::uint64_t(r.list),
                                std::uint64_t(r.colours), std::uint64_t(r.colour), std::uint64_t(r.first)})
            t += std::to_string(v) + ",";
        t += std::to_string(r.fadeStep) + "}";
    }
    t += "};\r\ncode PLAYGROUP PlayGroups[32]={\r\n";
    for (std::size_t g = 0; g < m_groups.size(); ++g)
        t += (g ? ",\r\n{" : "{") + std::to_string(m_groups[g][0]) + "," + std::to_string(m_groups[g][1]) +
             "," + std::to_string(m_groups[g][2]) + "}";
    t += "};\r\n";
    return t;
}

Status CControllerPlay::Write(const fs::path& buildFolder, int fileFormat, std::size_t xramBytes) const
{
    if (FrameBytes() > xramBytes)
        return Status::Fail(kFrameTooLargeKey,
                            "the frame needs " + std::to_string(FrameBytes()) +
                                " bytes of XRAM, the controller has " + std::to_string(xramBytes),
                            {std::to_string(FrameBytes()), std::to_string(xramBytes)});
    if (const Status s = WriteFileAtomic(buildFolder / kFileName, Text(fileFormat, xramBytes)); !s)
        return Status::Fail(kCannotCreateKey, s.detail);
    return Status::Ok();
}

} // namespace lumaro
