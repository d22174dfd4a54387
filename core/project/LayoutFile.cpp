#include "core/project/LayoutFile.h"

#include "core/app/ArchiveReader.h"
#include "core/app/ArchiveWriter.h"
#include "core/effects/ModeItemStream.h"
#include "core/project/StoredFields.h"

#include <algorithm>
#include <array>
#include <string>

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

using LampList = std::vector<CLamp>;
using ModeList = std::vector<CModeItem>;
using ProgramGroups = std::array<ModeList, kProgramGroupCount>;

// The lamp list as the framework stores a list of objects: the class is named
// once, every further object refers back to it.
LampList ReadLampObjects(CArchiveReader& in, std::string_view what)
{
    const std::uint32_t count = in.CheckedCount(in.Count("the lamp count"), 2 + kLampFieldBytes, what);
    LampList lamps;
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
                in.FailAt(tagAt,
                          "lamp " + std::to_string(i) + " is of class \"" + name + "\", expected \"CLamp\"");
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
        if (std::find(lampClassIndices.begin(), lampClassIndices.end(), classIndex) == lampClassIndices.end())
            in.FailAt(tagAt, "lamp " + std::to_string(i) + ": class reference " + std::to_string(classIndex) +
                                 " names no class read before");
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

ModeList ReadModes(CArchiveReader& in, std::string_view what)
{
    const std::uint32_t count = in.CheckedCount(in.I32(), kMinModeItemBytes, what);
    ModeList modes;
    modes.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i)
        modes.push_back(ReadModeItem(in));
    return modes;
}

// The three walks over the stored fields below have one overload per stored
// type. A member of a type without one hits the deleted template and fails
// to compile, rather than being converted and written in another width.

// Bytes the writer will take, near enough to reserve them at once.
class CFieldSize {
public:
    std::size_t bytes = 0;

    template <class T> void operator()(const char*, const char*, const T&) = delete;
    void operator()(const char*, const char*, std::uint32_t) { bytes += 4; }
    void operator()(const char*, const char*, std::int32_t) { bytes += 4; }
    void operator()(const char*, const char*, float) { bytes += 4; }
    void operator()(const char*, const char*, double) { bytes += 8; }
    void operator()(const char*, const char*, const CRect&) { bytes += 16; }
    void operator()(const char*, const char*, const SceneTable& scenes)
    {
        for (const auto& scene : scenes)
            for (const auto& slot : scene)
                bytes += 12 + 4 * slot.colours.size();
    }
    void operator()(const char*, const char*, const LampList& lamps)
    {
        bytes += 6 + 6 + CLayoutFile::kLampClassName.size() + lamps.size() * (2 + kLampFieldBytes);
    }
    void operator()(const char*, const char*, PositionsOnly<const LampList> list)
    {
        bytes += 4 + list.lamps.size() * kLampPositionBytes;
    }
    void operator()(const char*, const char*, const ModeList& modes) { bytes += ModeBytes(modes); }
    void operator()(const char*, const char*, const ProgramGroups& groups)
    {
        for (const auto& g : groups)
            bytes += ModeBytes(g);
    }
    void operator()(const char*, const char*, const ArrayList& list)
    {
        bytes += 4;
        for (const auto& a : list)
            bytes += 4 + 4 * a.size();
    }

private:
    static std::size_t ModeBytes(const ModeList& modes)
    {
        std::size_t n = 4;
        for (const auto& m : modes)
            n += 140 + m.type.size() + m.name.size() + m.innerType.size() +
                 4 * (m.colours.size() + m.extraLamps.size());
        return n;
    }
};

class CFieldWriter {
public:
    explicit CFieldWriter(CArchiveWriter& out) : m_out(out) {}

    template <class T> void operator()(const char*, const char*, const T&) = delete;
    void operator()(const char*, const char*, std::uint32_t v) { m_out.U32(v); }
    void operator()(const char*, const char*, std::int32_t v) { m_out.I32(v); }
    void operator()(const char*, const char*, float v) { m_out.Float(v); }
    void operator()(const char*, const char*, double v) { m_out.Double(v); }
    void operator()(const char*, const char*, const CRect& r)
    {
        m_out.I32(r.left);
        m_out.I32(r.top);
        m_out.I32(r.right);
        m_out.I32(r.bottom);
    }
    void operator()(const char*, const char*, const SceneTable& scenes)
    {
        for (const auto& scene : scenes)
            for (const auto& slot : scene) {
                m_out.I32(slot.menuIndex);
                m_out.I32(slot.speed);
                m_out.I32(static_cast<std::int32_t>(slot.colours.size()));
                for (std::uint32_t c : slot.colours)
                    m_out.U32(c);
            }
    }
    void operator()(const char*, const char*, const LampList& lamps)
    {
        m_out.Count(static_cast<std::uint32_t>(lamps.size()));
        for (std::size_t i = 0; i < lamps.size(); ++i) {
            if (i == 0) {
                m_out.U16(kNewClassTag);
                m_out.U16(CLayoutFile::kLampSchema);
                m_out.U16(static_cast<std::uint16_t>(CLayoutFile::kLampClassName.size()));
                m_out.Raw(CLayoutFile::kLampClassName);
            } else {
                m_out.U16(kClassTag | 1);
            }
            const CLamp& l = lamps[i];
            m_out.I32(l.x);
            m_out.I32(l.y);
            m_out.I32(l.number);
            m_out.I32(l.colour);
            m_out.I32(l.size);
            m_out.I32(l.shown);
            m_out.I32(l.port);
            m_out.I32(l.order);
        }
    }
    void operator()(const char*, const char*, PositionsOnly<const LampList> list)
    {
        m_out.I32(static_cast<std::int32_t>(list.lamps.size()));
        for (const auto& l : list.lamps) {
            m_out.I32(l.x);
            m_out.I32(l.y);
            m_out.I32(l.number);
        }
    }
    void operator()(const char*, const char*, const ModeList& modes) { WriteModes(modes); }
    void operator()(const char*, const char*, const ProgramGroups& groups)
    {
        for (const auto& g : groups)
            WriteModes(g);
    }
    void operator()(const char*, const char*, const ArrayList& list) { m_out.ArrayList(list); }

private:
    void WriteModes(const ModeList& modes)
    {
        m_out.I32(static_cast<std::int32_t>(modes.size()));
        for (const auto& m : modes)
            WriteModeItem(m_out, m);
    }

    CArchiveWriter& m_out;
};

class CFieldReader {
public:
    explicit CFieldReader(CArchiveReader& in) : m_in(in) {}

    template <class T> void operator()(const char*, const char*, T&&) = delete;
    void operator()(const char*, const char*, std::uint32_t& v) { v = m_in.U32(); }
    void operator()(const char*, const char*, std::int32_t& v) { v = m_in.I32(); }
    void operator()(const char*, const char*, float& v) { v = m_in.Float(); }
    void operator()(const char*, const char*, double& v) { v = m_in.Double(); }
    void operator()(const char*, const char*, CRect& r)
    {
        r.left = m_in.I32();
        r.top = m_in.I32();
        r.right = m_in.I32();
        r.bottom = m_in.I32();
    }
    void operator()(const char*, const char*, SceneTable& scenes)
    {
        for (auto& scene : scenes)
            for (auto& slot : scene) {
                slot.menuIndex = m_in.I32();
                slot.speed = m_in.I32();
                const std::uint32_t n = m_in.CheckedCount(m_in.I32(), 4, "the colours of a scene slot");
                slot.colours.resize(n);
                for (auto& c : slot.colours)
                    c = m_in.U32();
            }
    }
    void operator()(const char*, const char* what, LampList& lamps) { lamps = ReadLampObjects(m_in, what); }
    void operator()(const char*, const char* what, PositionsOnly<LampList> list)
    {
        const std::uint32_t count = m_in.CheckedCount(m_in.I32(), kLampPositionBytes, what);
        list.lamps.assign(count, CLamp{});
        for (auto& l : list.lamps) {
            l.x = m_in.I32();
            l.y = m_in.I32();
            l.number = m_in.I32();
        }
    }
    void operator()(const char*, const char* what, ModeList& modes) { modes = ReadModes(m_in, what); }
    // Named by number: "program group 7".
    void operator()(const char*, const char* what, ProgramGroups& groups)
    {
        for (std::size_t g = 0; g < groups.size(); ++g)
            groups[g] = ReadModes(m_in, std::string(what) + " " + std::to_string(g));
    }
    void operator()(const char*, const char* what, ArrayList& list) { list = m_in.ArrayList(what); }

private:
    CArchiveReader& m_in;
};

} // namespace

std::string CLayoutFile::Serialize(const CEditImgDoc& doc)
{
    CFieldSize size;
    VisitStoredFields(size, doc);
    CArchiveWriter out(size.bytes);
    VisitStoredFields(CFieldWriter(out), doc);
    return out.Take();
}

Result<CEditImgDoc> CLayoutFile::Parse(std::string_view bytes)
{
    CArchiveReader in(bytes);
    CEditImgDoc doc;
    try {
        VisitStoredFields(CFieldReader(in), doc);
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
