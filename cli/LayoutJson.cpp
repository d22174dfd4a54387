#include "cli/LayoutJson.h"

#include "cli/JsonObjectReader.h"
#include "cli/JsonValues.h"
#include "core/project/StoredFields.h"

#include <array>
#include <concepts>
#include <type_traits>
#include <vector>

namespace lumaro::cli {

namespace {

using cli::FromJson;
using cli::ToJson;

// The field lists below serve a const record (writing) and a mutable one
// (reading) alike.
template <class T, class R>
concept Record = std::same_as<std::remove_const_t<T>, R>;

// Overloads for every stored type, declared before the generic code that
// picks among them.
Json ToJson(const CRect& rect);
Json ToJson(const CSceneSlot& slot);
Json ToJson(const CLamp& lamp);
Json ToJson(const CModeItem& mode);
Json ToJson(PositionsOnly<const std::vector<CLamp>> list);
template <class T> Json ToJson(const std::vector<T>& list);
template <class T, std::size_t N> Json ToJson(const std::array<T, N>& list);

void FromJson(const Json& value, const std::string& path, CRect& rect);
void FromJson(const Json& value, const std::string& path, CSceneSlot& slot);
void FromJson(const Json& value, const std::string& path, CLamp& lamp);
void FromJson(const Json& value, const std::string& path, CModeItem& mode);
void FromJson(const Json& value, const std::string& path, PositionsOnly<std::vector<CLamp>> list);
template <class T> void FromJson(const Json& value, const std::string& path, std::vector<T>& list);
template <class T, std::size_t N>
void FromJson(const Json& value, const std::string& path, std::array<T, N>& list);

template <class R, class Fields> Json RecordToJson(const R& record, Fields fields)
{
    Json json = Json::object();
    fields(record, [&](const char* key, const auto& value) { json[key] = ToJson(value); });
    return json;
}

template <class R, class Fields>
void RecordFromJson(const Json& value, const std::string& path, R& record, Fields fields)
{
    CJsonObjectReader object(value, path);
    fields(record, [&](const char* key, auto&& field) {
        if (const Json* member = object.Take(key))
            FromJson(*member, object.PathOf(key), field);
    });
    object.RejectUnknownKeys();
}

template <class List, class ElementToJson> Json ListToJson(const List& list, ElementToJson toJson)
{
    Json json = Json::array();
    for (const auto& element : list)
        json.push_back(toJson(element));
    return json;
}

// New elements start as new records, so that their missing keys take the
// defaults.
template <class T, class ElementFromJson>
void ListFromJson(const Json& value, const std::string& path, std::vector<T>& list, ElementFromJson fromJson)
{
    const Json& array = RequireArray(value, path);
    list.assign(array.size(), T{});
    for (std::size_t i = 0; i < array.size(); ++i)
        fromJson(array[i], IndexPath(path, i), list[i]);
}

constexpr auto kRectFields = [](Record<CRect> auto& r, auto&& field) {
    field("left", r.left);
    field("top", r.top);
    field("right", r.right);
    field("bottom", r.bottom);
};

constexpr auto kSceneSlotFields = [](Record<CSceneSlot> auto& s, auto&& field) {
    field("menuIndex", s.menuIndex);
    field("speed", s.speed);
    field("colours", s.colours);
};

constexpr auto kLampFields = [](Record<CLamp> auto& l, auto&& field) {
    field("x", l.x);
    field("y", l.y);
    field("number", l.number);
    field("colour", l.colour);
    field("size", l.size);
    field("shown", l.shown);
    field("port", l.port);
    field("order", l.order);
};

constexpr auto kPositionFields = [](Record<CLamp> auto& l, auto&& field) {
    field("x", l.x);
    field("y", l.y);
    field("number", l.number);
};

constexpr auto kModeFields = [](Record<CModeItem> auto& m, auto&& field) {
    field("type", m.type);
    field("name", m.name);
    field("layer", m.layer);
    field("colours", m.colours);
    field("interval", m.interval);
    field("areaLeft", m.areaLeft);
    field("areaTop", m.areaTop);
    field("areaRight", m.areaRight);
    field("areaBottom", m.areaBottom);
    field("loop", m.loop);
    field("holdTime", m.holdTime);
    field("sceneEffect", m.sceneEffect);
    field("startX", m.startX);
    field("startY", m.startY);
    field("step", m.step);
    field("colourGroupId", m.colourGroupId);
    field("lampOrderIndex", m.lampOrderIndex);
    field("bandOrderIndex", m.bandOrderIndex);
    field("wordStep", m.wordStep);
    field("wordColourMode", m.wordColourMode);
    field("extraLamps", m.extraLamps);
    field("area2Left", m.area2Left);
    field("area2Top", m.area2Top);
    field("area2Right", m.area2Right);
    field("area2Bottom", m.area2Bottom);
    field("circleX", m.circleX);
    field("circleY", m.circleY);
    field("circleRadius", m.circleRadius);
    field("innerType", m.innerType);
};

// The document's keys are those of the field list the layout file walks, in
// its order.
constexpr auto kDocumentFields = [](Record<CEditImgDoc> auto& d, auto&& field) {
    VisitStoredFields([&field](const char* key, const char*, auto&& member) { field(key, member); }, d);
};

Json ToJson(const CRect& rect)
{
    return RecordToJson(rect, kRectFields);
}

Json ToJson(const CSceneSlot& slot)
{
    return RecordToJson(slot, kSceneSlotFields);
}

Json ToJson(const CLamp& lamp)
{
    return RecordToJson(lamp, kLampFields);
}

Json ToJson(const CModeItem& mode)
{
    return RecordToJson(mode, kModeFields);
}

Json ToJson(PositionsOnly<const std::vector<CLamp>> list)
{
    return ListToJson(list.lamps, [](const CLamp& lamp) { return RecordToJson(lamp, kPositionFields); });
}

template <class T> Json ToJson(const std::vector<T>& list)
{
    return ListToJson(list, [](const T& element) { return ToJson(element); });
}

template <class T, std::size_t N> Json ToJson(const std::array<T, N>& list)
{
    return ListToJson(list, [](const T& element) { return ToJson(element); });
}

void FromJson(const Json& value, const std::string& path, CRect& rect)
{
    RecordFromJson(value, path, rect, kRectFields);
}

void FromJson(const Json& value, const std::string& path, CSceneSlot& slot)
{
    RecordFromJson(value, path, slot, kSceneSlotFields);
}

void FromJson(const Json& value, const std::string& path, CLamp& lamp)
{
    RecordFromJson(value, path, lamp, kLampFields);
}

void FromJson(const Json& value, const std::string& path, CModeItem& mode)
{
    RecordFromJson(value, path, mode, kModeFields);
}

void FromJson(const Json& value, const std::string& path, PositionsOnly<std::vector<CLamp>> list)
{
    ListFromJson(value, path, list.lamps, [](const Json& element, const std::string& at, CLamp& lamp) {
        RecordFromJson(element, at, lamp, kPositionFields);
    });
}

template <class T> void FromJson(const Json& value, const std::string& path, std::vector<T>& list)
{
    ListFromJson(value, path, list,
                 [](const Json& element, const std::string& at, T& out) { FromJson(element, at, out); });
}

// Scenes and program groups have a fixed count: a short or long list is a
// mistake, not something to pad or cut.
template <class T, std::size_t N>
void FromJson(const Json& value, const std::string& path, std::array<T, N>& list)
{
    const Json& array = RequireArray(value, path);
    if (array.size() != N)
        FailAt(path, "expected " + std::to_string(N) + " elements, got " + std::to_string(array.size()));
    for (std::size_t i = 0; i < N; ++i)
        FromJson(array[i], IndexPath(path, i), list[i]);
}

// nlohmann's messages start with an exception id ("[json.exception...] ")
// that means nothing to the user.
std::string WithoutExceptionId(std::string_view message)
{
    if (const auto end = message.find("] "); message.starts_with('[') && end != std::string_view::npos)
        message.remove_prefix(end + 2);
    return std::string(message);
}

} // namespace

Json LayoutToJson(const CEditImgDoc& doc)
{
    return RecordToJson(doc, kDocumentFields);
}

Result<CEditImgDoc> LayoutFromJson(const Json& json)
{
    CEditImgDoc doc;
    try {
        RecordFromJson(json, {}, doc, kDocumentFields);
    } catch (const CJsonError& e) {
        return Status::Fail(msgkey::FileReadError, e.what());
    }
    doc.PadLayers();
    return doc;
}

std::string FormatLayoutJson(const CEditImgDoc& doc)
{
    return LayoutToJson(doc).dump(2) + '\n';
}

Result<CEditImgDoc> ParseLayoutJson(std::string_view text)
{
    Json json;
    try {
        json = Json::parse(text);
    } catch (const Json::exception& e) { // bad syntax, or a number beyond a double
        return Status::Fail(msgkey::FileReadError, WithoutExceptionId(e.what()));
    }
    return LayoutFromJson(json);
}

} // namespace lumaro::cli

namespace lumaro::cli {

Json ModeToJson(const CModeItem& mode)
{
    return ToJson(mode);
}

Json ArrayListToJson(const std::vector<UIntArray>& arrays)
{
    return ToJson(arrays);
}

} // namespace lumaro::cli
