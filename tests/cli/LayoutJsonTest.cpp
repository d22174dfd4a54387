#include "cli/LayoutJson.h"

#include "CliTestSupport.h"
#include "core/project/LayoutFile.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

using namespace lumaro;
using namespace lumaro::cli;
using lumaro::cli::test::MakeRichLayout;

namespace {

constexpr float kFloatNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kFloatInf = std::numeric_limits<float>::infinity();
constexpr double kDoubleNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kDoubleInf = std::numeric_limits<double>::infinity();

std::vector<std::string> KeysOf(const Json& object)
{
    std::vector<std::string> keys;
    for (auto it = object.begin(); it != object.end(); ++it)
        keys.push_back(it.key());
    return keys;
}

CEditImgDoc Loaded(const Json& json)
{
    auto doc = LayoutFromJson(json);
    EXPECT_TRUE(doc.ok()) << doc.status().detail;
    return doc.ok() ? std::move(doc).value() : CEditImgDoc{};
}

// The failure detail must start with the path of the culprit.
void ExpectRefused(const Json& json, const std::string& expectedStart)
{
    const auto doc = LayoutFromJson(json);
    ASSERT_FALSE(doc.ok()) << "accepted " << json.dump();
    EXPECT_EQ(doc.status().detail.substr(0, expectedStart.size()), expectedStart) << doc.status().detail;
}

// The file bytes after a trip through the JSON text, as "dump" then "load"
// make it.
std::string BytesThroughJson(const std::string& bytes)
{
    const auto parsed = CLayoutFile::Parse(bytes);
    EXPECT_TRUE(parsed.ok()) << parsed.status().detail;
    const std::string text = FormatLayoutJson(parsed.value());
    const auto back = ParseLayoutJson(text);
    EXPECT_TRUE(back.ok()) << back.status().detail;
    if (!back.ok())
        return {};
    EXPECT_EQ(FormatLayoutJson(back.value()), text) << "a second dump differs from the first";
    return CLayoutFile::Serialize(back.value());
}

Json NewScenes()
{
    return LayoutToJson(CEditImgDoc{})["scenes"];
}

// --- round trips ---

TEST(LayoutJsonRoundTripTest, RichDocumentComesBackEqual)
{
    const CEditImgDoc doc = MakeRichLayout();
    const auto back = ParseLayoutJson(FormatLayoutJson(doc));
    ASSERT_TRUE(back.ok()) << back.status().detail;
    EXPECT_TRUE(back->SameStoredData(doc));
}

TEST(LayoutJsonRoundTripTest, NewDocumentComesBackEqual)
{
    const auto back = ParseLayoutJson(FormatLayoutJson(CEditImgDoc{}));
    ASSERT_TRUE(back.ok()) << back.status().detail;
    EXPECT_TRUE(back->SameStoredData(CEditImgDoc{}));
}

TEST(LayoutJsonRoundTripTest, FileBytesSurviveDumpAndLoad)
{
    const std::string bytes = CLayoutFile::Serialize(MakeRichLayout());
    EXPECT_EQ(BytesThroughJson(bytes), bytes);
    const std::string fresh = CLayoutFile::Serialize(CEditImgDoc{});
    EXPECT_EQ(BytesThroughJson(fresh), fresh);
}

TEST(LayoutJsonRoundTripTest, ModeFieldsThatTheFileLeavesOutStillTravel)
{
    CEditImgDoc doc;
    CModeItem plain;
    plain.type = "CM_FLASH";
    plain.wordStep = 4;       // stored for WORD types only
    plain.circleRadius = 9;   // stored for the circular area only
    plain.innerType = "CM_X"; // likewise
    doc.modes = {plain};
    const CEditImgDoc back = Loaded(LayoutToJson(doc));
    ASSERT_EQ(back.modes.size(), 1u);
    EXPECT_EQ(back.modes[0], plain);
}

struct Reals {
    float objectSize;
    float reservedReal;
    float lampSize;
    double gridStep;
};

void PrintTo(const Reals& r, std::ostream* os)
{
    *os << r.objectSize << ' ' << r.reservedReal << ' ' << r.lampSize << ' ' << r.gridStep;
}

class LayoutJsonRealsTest : public testing::TestWithParam<Reals> {};

TEST_P(LayoutJsonRealsTest, FileBytesSurviveDumpAndLoad)
{
    CEditImgDoc doc = MakeRichLayout();
    doc.objectSize = GetParam().objectSize;
    doc.reservedReal = GetParam().reservedReal;
    doc.lampSize = GetParam().lampSize;
    doc.gridStep = GetParam().gridStep;
    const std::string bytes = CLayoutFile::Serialize(doc);
    EXPECT_EQ(BytesThroughJson(bytes), bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Awkward, LayoutJsonRealsTest,
    testing::Values(Reals{kFloatNaN, kFloatInf, -kFloatInf, kDoubleNaN}, Reals{0.1f, 1e-45f, FLT_MAX, 0.1},
                    Reals{-0.0f, FLT_MIN, -FLT_MAX, 1e308}, Reals{1.0f / 3.0f, 16777217.0f, 3e-39f, 5e-324},
                    Reals{-kFloatInf, kFloatNaN, kFloatInf, -kDoubleInf},
                    Reals{0.0f, 1.0f, -1.0f, kDoubleInf}, Reals{5000.0f, 100.0f, 40.0f, -0.0},
                    Reals{1e10f, 123456.79f, 7e-10f, DBL_MAX}));

// --- shape ---

TEST(LayoutJsonShapeTest, TopLevelKeysComeInTheirOrderAndNothingElse)
{
    CEditImgDoc doc;
    doc.scanned = true; // state that is not stored stays out
    doc.specialSaveMode = 2;
    const std::vector<std::string> expected = {"backgroundColour",
                                               "scanScope",
                                               "objectSize",
                                               "reservedReal",
                                               "lampSize",
                                               "backgroundTolerance",
                                               "gridStep",
                                               "scenes",
                                               "lamps",
                                               "lampPositions",
                                               "lampPositions2",
                                               "modes",
                                               "programGroups",
                                               "lampGroups",
                                               "groupLists",
                                               "layers"};
    EXPECT_EQ(KeysOf(LayoutToJson(doc)), expected);
    EXPECT_EQ(FormatLayoutJson(doc), FormatLayoutJson(CEditImgDoc{}));
}

TEST(LayoutJsonShapeTest, RecordKeysComeInTheirOrder)
{
    const Json json = LayoutToJson(MakeRichLayout());
    EXPECT_EQ(KeysOf(json["scanScope"]), (std::vector<std::string>{"left", "top", "right", "bottom"}));
    EXPECT_EQ(KeysOf(json["scenes"][0][0]), (std::vector<std::string>{"menuIndex", "speed", "colours"}));
    EXPECT_EQ(KeysOf(json["lamps"][0]),
              (std::vector<std::string>{"x", "y", "number", "colour", "size", "shown", "port", "order"}));
    EXPECT_EQ(KeysOf(json["lampPositions"][0]), (std::vector<std::string>{"x", "y", "number"}));
    EXPECT_EQ(KeysOf(json["lampPositions2"][0]), (std::vector<std::string>{"x", "y", "number"}));
    const std::vector<std::string> modeKeys = {
        "type",        "name",           "layer",      "colours",       "interval",       "areaLeft",
        "areaTop",     "areaRight",      "areaBottom", "loop",          "holdTime",       "sceneEffect",
        "startX",      "startY",         "step",       "colourGroupId", "lampOrderIndex", "bandOrderIndex",
        "wordStep",    "wordColourMode", "extraLamps", "area2Left",     "area2Top",       "area2Right",
        "area2Bottom", "circleX",        "circleY",    "circleRadius",  "innerType"};
    EXPECT_EQ(KeysOf(json["modes"][0]), modeKeys);
    EXPECT_EQ(KeysOf(json["programGroups"][31][0]), modeKeys);
}

TEST(LayoutJsonShapeTest, ListsHaveTheirFixedOrStoredLengths)
{
    const Json json = LayoutToJson(MakeRichLayout());
    ASSERT_EQ(json["scenes"].size(), 16u);
    for (const Json& scene : json["scenes"])
        EXPECT_EQ(scene.size(), 8u);
    EXPECT_EQ(json["programGroups"].size(), 32u);
    EXPECT_EQ(json["programGroups"][0].size(), 2u);
    EXPECT_EQ(json["lamps"].size(), 5u);
    EXPECT_EQ(json["layers"].size(), 52u);
    EXPECT_EQ(json["lampGroups"], Json::parse("[[0,1,2],[],[4294967295]]"));
    EXPECT_EQ(LayoutToJson(CEditImgDoc{})["layers"].size(), 50u);
}

TEST(LayoutJsonShapeTest, ValuesHaveTheirJsonTypes)
{
    const std::string text = FormatLayoutJson(CEditImgDoc{});
    // Whole reals keep a point, so a reader can tell them from integers.
    EXPECT_NE(text.find("\n  \"objectSize\": 5000.0,\n"), std::string::npos);
    EXPECT_NE(text.find("\n  \"gridStep\": 8.0,\n"), std::string::npos);
    EXPECT_NE(text.find("\n  \"backgroundTolerance\": 25,\n"), std::string::npos);
    EXPECT_EQ(text.substr(0, 29), "{\n  \"backgroundColour\": 0,\n  ");
    EXPECT_EQ(text.back(), '\n');

    const Json json = LayoutToJson(MakeRichLayout());
    EXPECT_EQ(json["scanScope"]["left"], std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(json["backgroundColour"], 0x00FFEEDD);
    EXPECT_EQ(json["lamps"][4]["colour"], -1);
    EXPECT_EQ(json["modes"][0]["name"], "Grün ✓");
    EXPECT_EQ(json["modes"][1]["name"], Json::parse(R"({"bytes":"fffe206e6f74205554462d38"})"));
    EXPECT_EQ(json["modes"][1]["innerType"], Json::parse(R"({"bytes":"434d5fc0af206f7665726c6f6e67"})"));
    EXPECT_EQ(json["modes"][2]["name"], std::string("nul\0inside", 10));
}

// --- missing keys ---

TEST(LayoutJsonDefaultsTest, EmptyObjectIsANewDocument)
{
    const CEditImgDoc doc = Loaded(Json::object());
    EXPECT_TRUE(doc.SameStoredData(CEditImgDoc{}));
    EXPECT_EQ(doc.layers.size(), 50u);
}

TEST(LayoutJsonDefaultsTest, MissingRecordKeysTakeTheRecordDefaults)
{
    const CEditImgDoc doc = Loaded(Json::parse(R"({
        "scanScope": {"right": 800},
        "lamps": [{}, {"x": 4, "port": 2}],
        "lampPositions": [{"x": 3, "number": 1}],
        "modes": [{"type": "CM_FLASH"}, {}],
        "programGroups": [[], [], [], [], [], [], [], [], [], [], [], [], [], [], [], [],
                          [], [], [], [], [], [], [], [], [], [], [], [], [], [], [], [{"loop": 2}]]
    })"));
    EXPECT_EQ(doc.scanScope, (CRect{10, 10, 800, 450}));
    ASSERT_EQ(doc.lamps.size(), 2u);
    EXPECT_EQ(doc.lamps[0], CLamp{});
    EXPECT_EQ(doc.lamps[0].colour, 255);
    EXPECT_EQ(doc.lamps[0].shown, 1);
    CLamp second;
    second.x = 4;
    second.port = 2;
    EXPECT_EQ(doc.lamps[1], second);
    ASSERT_EQ(doc.lampPositions.size(), 1u);
    CLamp position;
    position.x = 3;
    position.number = 1;
    EXPECT_EQ(doc.lampPositions[0], position);
    ASSERT_EQ(doc.modes.size(), 2u);
    CModeItem flash;
    flash.type = "CM_FLASH";
    EXPECT_EQ(doc.modes[0], flash);
    EXPECT_EQ(doc.modes[1], CModeItem{});
    ASSERT_EQ(doc.programGroups[31].size(), 1u);
    EXPECT_EQ(doc.programGroups[31][0].loop, 2);
    EXPECT_TRUE(doc.programGroups[0].empty());
}

TEST(LayoutJsonDefaultsTest, MissingSceneSlotKeysTakeTheSlotDefaults)
{
    Json json = Json::object();
    json["scenes"] = NewScenes();
    json["scenes"][3][2] = Json::parse(R"({"speed": 5})");
    json["scenes"][3][4] = Json::object();
    const CEditImgDoc doc = Loaded(json);
    EXPECT_EQ(doc.scenes[3][2], (CSceneSlot{0, 5, {}}));
    EXPECT_EQ(doc.scenes[3][4], CSceneSlot{});
}

TEST(LayoutJsonDefaultsTest, LayersArePaddedToFifty)
{
    CEditImgDoc doc = Loaded(Json::parse(R"({"layers": [[1], [2, 3]]})"));
    ASSERT_EQ(doc.layers.size(), 50u);
    EXPECT_EQ(doc.layers[0], (UIntArray{1}));
    EXPECT_EQ(doc.layers[1], (UIntArray{2, 3}));
    EXPECT_TRUE(doc.layers[49].empty());
    EXPECT_EQ(Loaded(Json::parse(R"({"layers": []})")).layers.size(), 50u);
    Json many = Json::object();
    many["layers"] = Json(std::vector<Json>(60, Json::array()));
    EXPECT_EQ(Loaded(many).layers.size(), 60u);
}

TEST(LayoutJsonDefaultsTest, IntegersAreAcceptedForReals)
{
    const CEditImgDoc doc = Loaded(Json::parse(R"({"objectSize": 7, "lampSize": -2, "gridStep": 3})"));
    EXPECT_EQ(doc.objectSize, 7.0f);
    EXPECT_EQ(doc.lampSize, -2.0f);
    EXPECT_EQ(doc.gridStep, 3.0);
}

// --- refusals ---

TEST(LayoutJsonRefusalTest, WrongTypesNameTheirKey)
{
    ExpectRefused(Json::parse(R"({"backgroundColour": "red"})"),
                  "backgroundColour: expected an integer, got the string \"red\"");
    ExpectRefused(Json::parse(R"({"modes": [{}, {}, {}, {"interval": 1.5}]})"),
                  "modes[3].interval: expected an integer, got the real 1.5");
    ExpectRefused(Json::parse(R"({"modes": {}})"), "modes: expected an array, got an object");
    ExpectRefused(Json::parse(R"({"scanScope": [1, 2, 3, 4]})"),
                  "scanScope: expected an object, got an array");
    ExpectRefused(Json::parse(R"({"objectSize": "big"})"), "objectSize: expected a number");
    ExpectRefused(Json::parse(R"({"gridStep": true})"), "gridStep: expected a number");
    ExpectRefused(Json::parse(R"({"modes": [{"name": 5}]})"), "modes[0].name: expected a string");
    ExpectRefused(Json::parse(R"({"modes": [{"colours": [1, null]}]})"),
                  "modes[0].colours[1]: expected an integer, got null");
    ExpectRefused(Json::parse(R"({"lamps": [[0, 0, 0]]})"), "lamps[0]: expected an object, got an array");
    ExpectRefused(Json::parse(R"({"lampGroups": [1, 2]})"), "lampGroups[0]: expected an array");
    ExpectRefused(Json::parse(R"({"programGroups": null})"), "programGroups: expected an array, got null");
    ExpectRefused(Json::parse(R"({"modes": [{"innerType": {"bytes": "0g"}}]})"),
                  "modes[0].innerType.bytes: ");
    ExpectRefused(Json::parse("[]"), "the top level: expected an object, got an array");

    Json json = Json::object();
    json["scenes"] = NewScenes();
    json["scenes"][2][5]["speed"] = "fast";
    ExpectRefused(json, "scenes[2][5].speed: expected an integer");
}

TEST(LayoutJsonRefusalTest, IntegersOutsideTheirFieldNameTheirKey)
{
    ExpectRefused(Json::parse(R"({"lamps": [{}, {"x": 2147483648}]})"),
                  "lamps[1].x: 2147483648 is outside the range of a 32-bit signed integer");
    ExpectRefused(Json::parse(R"({"scanScope": {"top": -2147483649}})"),
                  "scanScope.top: -2147483649 is outside");
    ExpectRefused(Json::parse(R"({"backgroundColour": -1})"),
                  "backgroundColour: -1 is outside the range of a 32-bit unsigned integer");
    ExpectRefused(Json::parse(R"({"layers": [[], [1, 4294967296]]})"), "layers[1][1]: 4294967296 is outside");
    ExpectRefused(Json::parse(R"({"lampPositions2": [{"number": 1e10}]})"), "lampPositions2[0].number: ");
    ExpectRefused(Json::parse(R"({"objectSize": 1e39})"),
                  "objectSize: 1e+39 is outside the range of a 32-bit real");
}

TEST(LayoutJsonRefusalTest, UnknownKeysAreNamed)
{
    ExpectRefused(Json::parse(R"({"lampsize": 40.0})"), "lampsize: unknown key");
    ExpectRefused(Json::parse(R"({"modes": [{"intervall": 5}]})"), "modes[0].intervall: unknown key");
    ExpectRefused(Json::parse(R"({"scanScope": {"width": 5}})"), "scanScope.width: unknown key");
    // Position entries carry only x, y and number.
    ExpectRefused(Json::parse(R"({"lampPositions": [{"x": 1, "colour": 2}]})"),
                  "lampPositions[0].colour: unknown key");
    // The state that is not stored is not accepted either.
    ExpectRefused(Json::parse(R"({"modified": true})"), "modified: unknown key");
}

TEST(LayoutJsonRefusalTest, FixedListsMustHaveTheirExactLength)
{
    ExpectRefused(Json::parse(R"({"scenes": []})"), "scenes: expected 16 elements, got 0");
    Json json = Json::object();
    json["scenes"] = NewScenes();
    json["scenes"].push_back(json["scenes"][0]);
    ExpectRefused(json, "scenes: expected 16 elements, got 17");
    json["scenes"] = NewScenes();
    json["scenes"][4].erase(7);
    ExpectRefused(json, "scenes[4]: expected 8 elements, got 7");
    json["scenes"] = NewScenes();
    json["scenes"][15].push_back(Json::object());
    ExpectRefused(json, "scenes[15]: expected 8 elements, got 9");
    ExpectRefused(Json::parse(R"({"programGroups": [[]]})"), "programGroups: expected 32 elements, got 1");
}

TEST(LayoutJsonRefusalTest, TextThatIsNotJsonGivesItsPlace)
{
    const auto cut = ParseLayoutJson("{\n  \"modes\": [");
    ASSERT_FALSE(cut.ok());
    EXPECT_EQ(cut.status().detail.rfind("parse error at line 2, column ", 0), 0u) << cut.status().detail;
    EXPECT_FALSE(ParseLayoutJson("").ok());
    EXPECT_FALSE(ParseLayoutJson("{} {}").ok());
    const auto huge = ParseLayoutJson("{\"gridStep\": 1e400}");
    ASSERT_FALSE(huge.ok());
    EXPECT_NE(huge.status().detail.find("1e400"), std::string::npos) << huge.status().detail;
    EXPECT_FALSE(ParseLayoutJson("{\"objectSize\": NaN}").ok());               // only the string form
    EXPECT_FALSE(ParseLayoutJson("{\"modes\": [{\"name\": \"\xff\"}]}").ok()); // JSON text is UTF-8
}

} // namespace
