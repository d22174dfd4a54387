#include "core/project/LayoutFile.h"

#include "core/app/ArchiveReader.h"
#include "core/app/ArchiveWriter.h"
#include "core/effects/ModeItemStream.h"

#include <algorithm>

namespace lumaro {

namespace {

// Object tags of the framework's archive.
constexpr std::uint16_t kNullTag = 0x0000;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint32_t kBigClassTag = 0x80000000;

constexpr std::size_t kLampFieldBytes = 8 * 4;
constexpr std::size_t kLampPositionBytes = 3 * 4;

std::size_t EstimatedSize(const CEditImgDoc& doc)
{
    auto modeBytes = [](const std::vector<CModeItem>& modes) {
        std::size_t n = 0;
        for (const auto& m : modes)
            n += 140 + m.type.size() + m.name.size() + m.innerType.size()
                 + 4 * (m.colours.size() + m.extraLamps.size());
        return n;
    };
    auto listBytes = [](const ArrayList& list) {
        std::size_t n = 4;
        for (const auto& a : list)
            n += 4 + 4 * a.size();
        return n;
    };
    std::size_t n = 64 + doc.lamps.size() * (kLampFieldBytes + 2) + 16
                    + (doc.lampPositions.size() + doc.lampPositions2.size()) * kLampPositionBytes
                    + modeBytes(doc.modes) + listBytes(doc.lampGroups) + listBytes(doc.groupLists)
                    + listBytes(doc.layers);
    for (const auto& scene : doc.scenes)
        for (const auto& slot : scene)
            n += 12 + 4 * slot.colours.size();
    for (const auto& g : doc.programGroups)
        n += 4 + modeBytes(g);
    return n;
}

void WriteLamp(CArchiveWriter& out, const CLamp& l)
{
    out.I32(l.x);
    out.I32(l.y);
    out.I32(l.number);
    out.I32(l.colour);
    out.I32(l.size);
    out.I32(l.shown);
    out.I32(l.port);
    out.I32(l.order);
}

void WriteLampPositions(CArchiveWriter& out, const std::vector<CLamp>& lamps)
{
    out.I32(static_cast<std::int32_t>(lamps.size()));
    for (const auto& l : lamps) {
        out.I32(l.x);
        out.I32(l.y);
        out.I32(l.number);
    }
}

void WriteModes(CArchiveWriter& out, const std::vector<CModeItem>& modes)
{
    out.I32(static_cast<std::int32_t>(modes.size()));
    for (const auto& m : modes)
        WriteModeItem(out, m);
}

// The lamp list as the framework stores a list of objects: the class is named
// once, every further object refers back to it.
std::vector<CLamp> ReadLampObjects(CArchiveReader& in)
{
    const std::uint32_t count =
        in.CheckedCount(in.Count("the lamp count"), 2 + kLampFieldBytes, "the lamp list");
    std::vector<CLamp> lamps;
    lamps.reserve(count);
    std::vector<std::uint32_t> lampClassIndices;
    std::uint32_t mapCount = 1; // index 0 stands for the null object
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t tagAt = in.Offset();
        const std::uint16_t tag = in.U16();
        std::uint32_t classIndex = 0;
        if (tag == kNewClassTag) {
            const std::uint16_t schema = in.U16(); // any schema: the class is versionable
            (void)schema;
            const std::uint16_t len = in.U16();
            if (len > in.Remaining())
                in.Fail("class name length " + std::to_string(len) + " is larger than the bytes left");
            std::string name(len, '\0');
            for (auto& c : name)
                c = static_cast<char>(in.U8());
            if (name != CLayoutFile::kLampClassName)
                in.FailAt(tagAt, "lamp " + std::to_string(i) + " is of class \"" + name
                                     + "\", expected \"CLamp\"");
            classIndex = mapCount++;
            lampClassIndices.push_back(classIndex);
        } else if (tag == kBigObjectTag) {
            const std::uint32_t big = in.U32();
            if (!(big & kBigClassTag))
                in.FailAt(tagAt, "lamp " + std::to_string(i) + " refers to an earlier object");
            classIndex = big & ~kBigClassTag;
        } else if (tag & kClassTag) {
            classIndex = tag & ~kClassTag;
        } else if (tag == kNullTag) {
            in.FailAt(tagAt, "lamp " + std::to_string(i) + " is a null object");
        } else {
            in.FailAt(tagAt, "lamp " + std::to_string(i) + " refers to an earlier object");
        }
        if (std::find(lampClassIndices.begin(), lampClassIndices.end(), classIndex)
            == lampClassIndices.end())
            in.FailAt(tagAt, "lamp " + std::to_string(i) + ": class reference " + std::to_string(classIndex)
                                 + " names no class read before");
        CLamp l;
        l.x = in.I32();
        l.y = in.I32();
        l.number = in.I32();
        l.colour = in.I32();
        l.size = in.I32();
        l.shown = in.I32();
        l.port = in.I32();
        l.order = in.I32();
        lamps.push_back(l);
        ++mapCount;
    }
    return lamps;
}

std::vector<CLamp> ReadLampPositions(CArchiveReader& in, std::string_view what)
{
    const std::uint32_t count = in.CheckedCount(in.I32(), kLampPositionBytes, what);
    std::vector<CLamp> lamps(count);
    for (auto& l : lamps) {
        l.x = in.I32();
        l.y = in.I32();
        l.number = in.I32();
    }
    return lamps;
}

std::vector<CModeItem> ReadModes(CArchiveReader& in, std::string_view what)
{
    const std::uint32_t count = in.CheckedCount(in.I32(), kMinModeItemBytes, what);
    std::vector<CModeItem> modes;
    modes.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i)
        modes.push_back(ReadModeItem(in));
    return modes;
}

} // namespace

std::string CLayoutFile::Serialize(const CEditImgDoc& doc)
{
    CArchiveWriter out(EstimatedSize(doc));
    out.U32(doc.backgroundColour);
    out.I32(doc.scanScope.left);
    out.I32(doc.scanScope.top);
    out.I32(doc.scanScope.right);
    out.I32(doc.scanScope.bottom);
    out.Float(doc.objectSize);
    out.Float(doc.reservedReal);
    out.Float(doc.lampSize);
    out.I32(doc.backgroundTolerance);
    out.Double(doc.gridStep);
    for (const auto& scene : doc.scenes)
        for (const auto& slot : scene) {
            out.I32(slot.menuIndex);
            out.I32(slot.speed);
            out.I32(static_cast<std::int32_t>(slot.colours.size()));
            for (std::uint32_t c : slot.colours)
                out.U32(c);
        }

    out.Count(static_cast<std::uint32_t>(doc.lamps.size()));
    for (std::size_t i = 0; i < doc.lamps.size(); ++i) {
        if (i == 0) {
            out.U16(kNewClassTag);
            out.U16(kLampSchema);
            out.U16(static_cast<std::uint16_t>(kLampClassName.size()));
            out.Raw(kLampClassName);
        } else {
            out.U16(kClassTag | 1);
        }
        WriteLamp(out, doc.lamps[i]);
    }
    WriteLampPositions(out, doc.lampPositions);
    WriteLampPositions(out, doc.lampPositions2);

    WriteModes(out, doc.modes);
    for (const auto& group : doc.programGroups)
        WriteModes(out, group);
    out.ArrayList(doc.lampGroups);
    out.ArrayList(doc.groupLists);
    out.ArrayList(doc.layers);
    return out.Take();
}

Result<CEditImgDoc> CLayoutFile::Parse(std::string_view bytes)
{
    CArchiveReader in(bytes);
    CEditImgDoc doc;
    try {
        doc.backgroundColour = in.U32();
        doc.scanScope.left = in.I32();
        doc.scanScope.top = in.I32();
        doc.scanScope.right = in.I32();
        doc.scanScope.bottom = in.I32();
        doc.objectSize = in.Float();
        doc.reservedReal = in.Float();
        doc.lampSize = in.Float();
        doc.backgroundTolerance = in.I32();
        doc.gridStep = in.Double();
        for (auto& scene : doc.scenes)
            for (auto& slot : scene) {
                slot.menuIndex = in.I32();
                slot.speed = in.I32();
                const std::uint32_t n = in.CheckedCount(in.I32(), 4, "the colours of a scene slot");
                slot.colours.resize(n);
                for (auto& c : slot.colours)
                    c = in.U32();
            }
        doc.lamps = ReadLampObjects(in);
        doc.lampPositions = ReadLampPositions(in, "the lamp positions");
        doc.lampPositions2 = ReadLampPositions(in, "the second lamp-position list");
        doc.modes = ReadModes(in, "the mode list");
        for (std::size_t g = 0; g < doc.programGroups.size(); ++g)
            doc.programGroups[g] = ReadModes(in, "program group " + std::to_string(g));
        doc.lampGroups = in.ArrayList("the lamp groups");
        doc.groupLists = in.ArrayList("the group lists");
        doc.layers = in.ArrayList("the layers");
    } catch (const CArchiveError& e) {
        return Status::Fail(msgkey::FileReadError, e.what());
    } catch (const std::bad_alloc&) {
        return Status::Fail(msgkey::FileReadError, "not enough memory to read the file");
    }
    doc.PadLayers();
    return doc;
}

Result<CEditImgDoc> CLayoutFile::Load(const fs::path& path)
{
    auto bytes = ReadFileBytes(path);
    if (!bytes)
        return bytes.status();
    auto doc = Parse(bytes.value());
    if (!doc)
        return Status::Fail(doc.status().key, path.string() + ": " + doc.status().detail);
    doc->scanned = true;
    return doc;
}

fs::path CLayoutFile::SaveAsPath(const fs::path& chosen)
{
    std::string name = chosen.filename().string();
    for (char& c : name)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    if (name.size() < 4 || name.compare(name.size() - 4, 4, ".LED") != 0)
        name += ".LED";
    return chosen.parent_path() / name;
}

Status CLayoutFile::Save(const CEditImgDoc& doc, const fs::path& path)
{
    return WriteFileAtomic(path, Serialize(doc));
}

} // namespace lumaro
