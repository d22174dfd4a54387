#include "core/firmware/FirmwareBuild.h"
#include "core/firmware/ControllerLimits.h"

#include "core/app/LangText.h"
#include "core/app/TextUtil.h"
#include "core/firmware/ControllerPlay.h"
#include "core/firmware/FirmwareData.h"
#include "core/firmware/FirmwareText.h"
#include "core/layout/PortTable.h"

#include <fstream>
#include <system_error>

namespace lumaro {

namespace {

constexpr std::size_t kProgramGroupCapacity = controller::kProgramGroups;
constexpr std::size_t kColourListCapacity = controller::kColourLists;
constexpr std::size_t kBandListCapacity = controller::kBandLists;
// The lamp-sequence capacity of each format: the older controllers of
// format 1 index 254 sequences, formats 2 and 3 the whole table of 512.
constexpr std::size_t kLampSequenceCapacity1 = controller::kLampSequenceCapacityFormat1;
constexpr std::size_t kLampSequenceCapacity23 = controller::kLampSequenceCapacity;
constexpr std::uintmax_t kCodeSpace = controller::kCodeSpace;

// Tenths of a per cent of a capacity, truncated, in whole numbers: a full
// table is 100.0, not the 99.9 a rounded factor can give.
std::string Decimal(double v)
{
    const auto tenths = static_cast<std::uint64_t>(v * 10 + 0.5);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

// "group 1 mode 2 CM_LEFTTORIGHT_GC": the program group as its menu counts
// it, the mode's position in the group from 0.
std::string SlowModeText(const CControllerPlay::Mode& m, double costMs)
{
    return FillPlaceholders(GetLangText(CFirmwareBuild::kSlowModeKey),
                            std::vector<std::string>{"group " + std::to_string(m.group) + " mode " +
                                                         std::to_string(m.index) + " " + m.type,
                                                     std::to_string(m.periodMs), Decimal(costMs)});
}

std::uint64_t Tenths(std::uint64_t count, std::uint64_t capacity)
{
    return count * 1000 / capacity;
}

Status Remove(const fs::path& file)
{
    std::error_code ec;
    fs::remove(file, ec);
    if (ec)
        return Status::Fail(msgkey::FileWriteError, "cannot remove " + file.string() + ": " + ec.message());
    return Status::Ok();
}

// Copies over what is there; false, with why, when it cannot.
bool CopyOver(const fs::path& from, const fs::path& to, std::string& why)
{
    std::error_code ec;
    if (!fs::is_regular_file(from, ec)) {
        why = "cannot find " + from.string();
        return false;
    }
    if (!fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec)) {
        why = "cannot copy " + from.string() + " to " + to.string() + ": " + ec.message();
        return false;
    }
    return true;
}

} // namespace

CFirmwareBuild::CFirmwareBuild(Setup setup) : m_setup(std::move(setup)) {}

fs::path CFirmwareBuild::Find(const std::string& name) const
{
    return FindPathNoCase(m_setup.buildFolder / name);
}

fs::path CFirmwareBuild::ImageFile() const
{
    return m_setup.buildFolder / ("DSP" + std::to_string(m_setup.fileFormat) + ".BIN");
}

fs::path CFirmwareBuild::HexFile() const
{
    return m_setup.buildFolder / ("DSP" + std::to_string(m_setup.fileFormat) + ".hex");
}

fs::path CFirmwareBuild::ListFile() const
{
    return m_setup.buildFolder / ("DSP" + std::to_string(m_setup.fileFormat) + ".LST");
}

fs::path CFirmwareBuild::CopyFile() const
{
    return m_setup.currentFolder / (BaseName(m_setup.title) + std::to_string(m_setup.fileFormat) + ".hex");
}

fs::path CFirmwareBuild::BatchFile() const
{
#ifdef _WIN32
    const char* extension = ".bat";
#else
    const char* extension = ".sh";
#endif
    return m_setup.buildFolder / ("lss" + std::to_string(m_setup.fileFormat) + extension);
}

Status CFirmwareBuild::Start(const CCompiledEffects& compiled, IExternalProcess& process,
                             const std::function<void(const Status&)>& notice)
{
    m_rounds = 0;
    m_limit = kLongestRounds;
    const std::string format = std::to_string(m_setup.fileFormat);
    const fs::path& build = m_setup.buildFolder;
    const fs::path& current = m_setup.currentFolder;

    // What an earlier build left must not pass for this one's output.
    std::vector<std::string> stale = {CFirmwareText::kGroupTablesFile, CPortTable::kFileName,
                                      CFirmwareText::kShowPatternFile, CControllerPlay::kFileName};
    for (const char* extension : {".OMF", ".OBJ", ".M51", ".LST", ".HEX", ".BIN"})
        stale.push_back("DSP" + format + extension);
    for (const std::string& name : stale)
        // A name may be there twice, in two cases.
        for (fs::path file = Find(name); fs::exists(file); file = Find(name))
            if (const Status removed = Remove(file); !removed)
                return removed;

    CFirmwareText text;
    const Status written = text.WriteTables(compiled, current);
    if (notice) {
        // Every table over its limit says so, each with its own message.
        for (const Status& over : text.overLimits)
            notice(over);
        if (!written && (text.overLimits.empty() || written.key != text.overLimits.front().key))
            notice(written);
    }

    std::string why;
    if (!CopyOver(FindPathNoCase(current / CPortTable::kFileName), build / CPortTable::kFileName, why))
        return Status::Fail(kNoPortTableKey, why);

    // A table left empty for being over its limit is no damage of the
    // files, but "CData.h" cannot be made without it.
    if (!text.overLimits.empty())
        return Status::Fail(kTablesOverLimitKey, "a table is over its limit; CData.h cannot be made");
    if (const Status data = CFirmwareData::Write(current, build, m_setup.fileFormat); !data)
        return data;

    // The controller's play, from the port table the build compiles.
    const auto portText = ReadFileBytes(FindPathNoCase(build / CPortTable::kFileName));
    if (!portText)
        return Status::Fail(kNoPortTableKey, portText.status().detail);
    const auto chains = CControllerPlay::ReadPortTable(portText.value());
    if (!chains)
        return chains.status();
    const CControllerPlay play = CControllerPlay::Make(compiled, m_setup.lampCount, chains.value());
    const std::size_t xram = CControllerPlay::ReadXram(build);
    if (const Status written = play.Write(build, m_setup.fileFormat, xram); !written)
        return written;

    const std::pair<const char*, const char*> moves[] = {
        {CFirmwareText::kShowPatternFile, kShowPatternCopyKey},
        {CFirmwareText::kGroupTablesFile, kGroupTablesCopyKey}};
    for (const auto& [name, key] : moves) {
        const fs::path from = FindPathNoCase(current / name);
        if (!CopyOver(from, build / name, why))
            return Status::Fail(key, why);
        if (const Status removed = Remove(from); !removed)
            return removed;
    }

    const fs::path batch = FindPathNoCase(BatchFile());
    std::error_code ec;
    if (!fs::is_regular_file(batch, ec))
        return Status::Fail(kCannotRunKey, "cannot find " + batch.string());
    if (!process.Start(batch, build))
        return Status::Fail(kCannotRunKey, "cannot run " + batch.string());

    m_counts = {};
    for (const auto& group : compiled.programGroups)
        m_counts.programGroups += group.empty() ? 0 : 1;
    m_counts.colourLists = text.colourListCount;
    m_counts.lampSequences = text.lampSequenceCount;
    m_counts.bandLists = text.bandListCount;
    m_counts.frameBytes = play.FrameBytes();
    m_counts.xram = xram;
    m_counts.longestChain = play.LongestChain();
    m_counts.frameMs = play.FrameMs();
    for (const CControllerPlay::Mode& m : play.SlowModes())
        m_counts.slowModes.push_back(SlowModeText(m, play.StepCostMs(m)));
    return Status::Ok();
}

CFirmwareBuild::Wait CFirmwareBuild::Poll(bool processRunning)
{
    ++m_rounds;
    std::error_code ec;
    const bool present = fs::is_regular_file(Find(ImageFile().filename().string()), ec);
    if (m_rounds < kLeastRounds)
        return Wait::Waiting;
    // A compiler still running may not have finished writing.
    if (present && !processRunning)
        return Wait::Found;
    if (m_rounds >= m_limit)
        return present ? Wait::Found : Wait::Ask;
    return processRunning ? Wait::Waiting : Wait::Ask;
}

void CFirmwareBuild::Retry()
{
    m_limit = m_rounds + kLongestRounds;
}

std::string CFirmwareBuild::Report() const
{
    std::error_code ec;
    const std::uintmax_t length = fs::file_size(Find(ImageFile().filename().string()), ec);
    return ReportText(m_counts, ec ? 0 : length, m_setup.fileFormat);
}

Status CFirmwareBuild::CopyImage()
{
    const fs::path copy = CopyFile();
    std::string why;
    if (!CopyOver(Find(HexFile().filename().string()), copy, why))
        return Status::Fail(kImageCopyKey, why);
    // Opened for reading and writing, so that a copy that has gone is not
    // made anew with the stamp alone.
    std::fstream out(copy, std::ios::in | std::ios::out | std::ios::binary | std::ios::ate);
    if (out) {
        const std::string stamp = Stamp(m_setup.lampCount);
        out.write(stamp.data(), static_cast<std::streamsize>(stamp.size()));
        out.close();
    }
    if (!out) {
        (void)Remove(copy);
        return Status::Fail(kStampKey, "cannot stamp " + copy.string());
    }
    return Status::Ok();
}

std::string CFirmwareBuild::ShareText(std::uint64_t tenths)
{
    std::string digits = std::to_string(tenths);
    if (digits.size() == 1)
        digits.insert(0, "0");
    digits.insert(digits.size() - 1, ".");
    return digits;
}

std::size_t CFirmwareBuild::LampSequenceCapacity(int fileFormat)
{
    return fileFormat == 1 ? kLampSequenceCapacity1 : kLampSequenceCapacity23;
}

std::size_t CFirmwareBuild::BandListCapacity()
{
    return kBandListCapacity;
}

std::size_t CFirmwareBuild::ColourListCapacity()
{
    return kColourListCapacity;
}

std::string CFirmwareBuild::ReportText(const Counts& counts, std::uintmax_t imageLength, int fileFormat)
{
    const std::size_t lampCapacity = LampSequenceCapacity(fileFormat);
    struct Line {
        const char* key;
        std::size_t count, capacity;
    };
    const Line lines[] = {{kColourListsKey, counts.colourLists, kColourListCapacity},
                          {kBandListsKey, counts.bandLists, kBandListCapacity},
                          {kLampSequencesKey, counts.lampSequences, lampCapacity},
                          {kProgramGroupsKey, counts.programGroups, kProgramGroupCapacity}};
    std::string report;
    bool over = false;
    for (const Line& line : lines) {
        const std::uint64_t tenths = Tenths(line.count, line.capacity);
        over = over || tenths > 1000;
        report += GetLangText(line.key) + "  " + std::to_string(line.count) + "  " + ShareText(tenths) +
                  "% of " + std::to_string(line.capacity) + "\n";
    }
    report += GetLangText(kImageSizeKey) + "  " + std::to_string(imageLength) + "(Byte)  " +
              ShareText(imageLength * 1000 / kCodeSpace) + "% of 64K";
    if (counts.xram > 0) {
        report += "\n" + GetLangText(kFrameMemoryKey) + "  " + std::to_string(counts.frameBytes) +
                  "(Byte)  " + ShareText(Tenths(counts.frameBytes, counts.xram)) + "% of " +
                  std::to_string(counts.xram);
        report += "\n" + SpeedText(counts);
    }
    if (over)
        report += "\n" + GetLangText(kOverCapacityKey);
    return report;
}

std::string CFirmwareBuild::FrameTimeText(double frameMs, std::size_t longestChain)
{
    return FillPlaceholders(GetLangText(kFrameTimeKey),
                            std::vector<std::string>{Decimal(frameMs), std::to_string(longestChain)});
}

std::string CFirmwareBuild::SpeedText(const Counts& counts)
{
    std::string text = FrameTimeText(counts.frameMs, counts.longestChain);
    for (const std::string& slow : counts.slowModes)
        text += "\n" + slow;
    return text;
}

std::string CFirmwareBuild::Stamp(std::size_t lampCount)
{
    std::string count = std::to_string(lampCount);
    if (count.size() < 5)
        count.insert(0, 5 - count.size(), '0');
    return "[LampNum]" + count;
}

std::string CFirmwareBuild::BaseName(const std::string& title)
{
    return title.substr(0, title.find('.'));
}

} // namespace lumaro
