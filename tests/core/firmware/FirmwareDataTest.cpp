#include "core/firmware/FirmwareData.h"
#include "core/effects/EffectCompiler.h"
#include "core/firmware/FirmwareEmitter.h"
#include "core/firmware/FirmwareText.h"
#include "core/layout/PortTable.h"

#include "../TestSupport.h"
#include "../effects/RandomProjects.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>

using namespace lumaro;
using lumaro::test::ReadText;
using lumaro::test::TempDir;
using lumaro::test::WriteText;

namespace {

struct Sources {
    std::string cport, dspptn, cstgrp;
};

Sources SourcesOf(const CCompiledEffects& c, const std::vector<CLamp>& lamps)
{
    CFirmwareText t;
    t.BuildShowPattern(c);
    (void)t.BuildGroupTables(c);
    return {CPortTable::Text(lamps), t.TextOf(CFirmwareText::Output::ShowPattern),
            t.TextOf(CFirmwareText::Output::GroupTables)};
}

Result<std::string> DataOf(const Sources& s, int format = 1)
{
    return CFirmwareData::Text(s.cport, s.dspptn, s.cstgrp, format);
}

CModeItem Rec(int code, std::int32_t index, std::int32_t colour, std::int32_t interval, std::int32_t loop,
              std::int32_t hold, std::string type = "CM_ANY")
{
    CModeItem r;
    r.type = std::move(type);
    r.layer = code;
    r.lampOrderIndex = r.bandOrderIndex = index;
    r.colourGroupId = colour;
    r.interval = interval;
    r.loop = loop;
    r.holdTime = hold;
    return r;
}

// Lamps 0..2 on port 1, 3 on port 2, 4 and 5 on port 4, 6 on port 7, 7 on port 8.
std::vector<CLamp> Lamps()
{
    const int ports[] = {1, 1, 1, 2, 4, 4, 7, 8};
    std::vector<CLamp> lamps;
    int order[13] = {};
    for (int n = 0; n < 8; ++n) {
        CLamp l(n, 0, n, 0, 8, 1);
        l.port = ports[n];
        l.order = ++order[ports[n]];
        lamps.push_back(l);
    }
    return lamps;
}

// Lamp sequence 1, band list 1 and colour list 1 are empty but named.
CCompiledEffects Tables()
{
    CCompiledEffects c;
    c.lampSequenceTable = {{5, 6, 7}, {}, {8}};
    c.bandTable = {{0, 2}, {}, {1}};
    c.colourTable = {{255, 0, 0, 0, 0, 255}, {}};
    CModeItem ramp = Rec(0, 0, 42, 7, 2, 3);
    ramp.colours = {10, 20, 30, 5, 20, 200};
    c.programGroups[0] = {ramp,
                          Rec(2, 0, 0, 4, 1, 9, "CM_LEFTTORIGHT_GC"),
                          Rec(5, 1, 1, 6, 2, 0),
                          Rec(8, 1, 0, 2, 5, 5),
                          Rec(253, 0, 0, 0, 0, 4),
                          Rec(10, 2, 0, 1, 9, 2)};
    c.programGroups[1] = {Rec(254, 0, 0, 0, 0, 1), Rec(255, 0, 0, 0, 0, 0)};
    return c;
}

const std::string kEmptyElement = "{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}";

// What a C compiler needs of the tables: every table named is declared
// above, once, no initialiser is empty and the braces close.
void ExpectCompilable(const std::string& text)
{
    static const std::regex declaration(R"(^code (?:unsigned int|CSTG|RGB|PTN) (\w+)\[\d*\]=\{)");
    static const std::regex use(R"(\b(?:CST|CSTG|CLRGRP)\d+\b)");
    std::set<std::string> declared;
    std::istringstream in(text);
    std::string line;
    int depth = 0;
    bool opened = false;
    while (std::getline(in, line)) {
        ASSERT_TRUE(line.ends_with('\r')) << line;
        line.pop_back();
        std::smatch m;
        std::string body = line;
        std::string name;
        if (std::regex_search(line, m, declaration)) {
            ASSERT_EQ(depth, 0) << line;
            name = m[1];
            body = m.suffix();
            EXPECT_TRUE(declared.insert(name).second) << "declared twice: " << name;
        } else if (opened) {
            EXPECT_TRUE(line.starts_with("{") || std::isdigit(static_cast<unsigned char>(line[0])))
                << "empty initialiser before: " << line;
        }
        for (auto it = std::sregex_iterator(body.begin(), body.end(), use); it != std::sregex_iterator();
             ++it)
            EXPECT_TRUE(declared.count(it->str()) && it->str() != name)
                << "undeclared " << it->str() << " in " << line;
        for (char ch : line)
            depth += ch == '{' ? 1 : ch == '}' ? -1 : 0;
        opened = !name.empty() && body.empty();
    }
    EXPECT_EQ(depth, 0);
}

} // namespace

TEST(FirmwareData, KnownTablesGiveEveryLineInOrder)
{
    const auto data = DataOf(SourcesOf(Tables(), Lamps()));
    ASSERT_TRUE(data) << data.status().detail;
    std::vector<std::string> lines = {"#include <DatTyp1.h>", "#define TOTLMPCNT\t 8",
                                      "#define PTNCNT1\t\t 6", "#define PTNCNT2\t\t 2"};
    for (int g = 3; g <= 32; ++g)
        lines.push_back("#define PTNCNT" + std::to_string(g) + "\t\t 0");
    lines.insert(lines.end(), {"code unsigned int Port0[5]={0,3,1,0,2};",
                               "code unsigned int Port1[5]={0,0,2,4,1};",
                               "code unsigned int Port2[5]={0,0,0,6,3};",
                               "code unsigned int Port3[5]={0,1,1,6,0};",
                               "code unsigned int Port4[5]={0,0,0,8,3};",
                               "code unsigned int Port5[5]={0,0,0,8,3};",
                               "code unsigned int CST1[]={",
                               "5,",
                               "6,",
                               "7};",
                               "code unsigned int CST2[1]={0xFFFF};",
                               "code unsigned int CST3[]={",
                               "8};",
                               "code CSTG CSTG1[]={",
                               "{3,CST1},",
                               "{1,CST3}};",
                               "code CSTG CSTG2[1]={{0,0}};",
                               "code CSTG CSTG3[]={",
                               "{0,CST2}};",
                               "code RGB CLRGRP1[]={",
                               "{255,0,0},",
                               "{0,0,255}};",
                               "code RGB CLRGRP2[1]={{0,0,0}};"});
    for (int n = 3; n <= 101; ++n)
        lines.insert(lines.end(), {"code RGB CLRGRP" + std::to_string(n) + "[]={", "{0,0,0}};"});
    lines.insert(lines.end(),
                 {"code RGB CLRGRP102[]={", "{10,20,30},", "{517,532,968}};", "code PTN ShowPtn1[6]={",
                  "{3,7,85,0,0,0,2,CLRGRP102,{0,0,0},0,3,CST1},",
                  "{0,4,1,1,2,CSTG1,2,CLRGRP1,{0,0,0},0,0,0},", "{5,6,2,0,0,0,0,CLRGRP2,{0,0,0},0,0,CST2},",
                  "{4,2,5,1,0,CSTG2,2,CLRGRP1,{0,0,0},0,0,0},", "{9,1,2,1,0,0,2,CLRGRP1,{0,0,0},0,1,CST3}};",
                  "code PTN ShowPtn2[2]={", kEmptyElement + "};"});
    for (int g = 3; g <= 32; ++g)
        lines.push_back("code PTN ShowPtn" + std::to_string(g) + "[1]={" + kEmptyElement + "};");
    std::string expected;
    for (const auto& l : lines)
        expected += l + "\r\n";
    EXPECT_EQ(data.value(), expected);
    ExpectCompilable(data.value());

    EXPECT_TRUE(DataOf(SourcesOf(Tables(), Lamps()), 2)->starts_with("#include <DatTyp2.h>\r\n"));
    EXPECT_TRUE(DataOf(SourcesOf(Tables(), Lamps()), 3)->starts_with("#include <DatTyp2.h>\r\n"));
}

TEST(FirmwareData, DamagedInputGivesAMessageNamingFileAndLine)
{
    const Sources good = SourcesOf(Tables(), Lamps());
    const std::string megabyteRow = "  " + std::string(1 << 20, '1') + "\r\n";
    std::string halfTables = good.cstgrp.substr(0, good.cstgrp.size() / 2);
    halfTables = halfTables.substr(0, halfTables.rfind('}'));
    const std::string withoutLastGroup =
        good.dspptn.substr(0, good.dspptn.find("code unsigned int ShowPattern31"));
    struct Damage {
        std::string Sources::*file;
        std::string from, to, detail;
        const char* key = CFirmwareData::kDamagedInputKey;
    };
    const Damage damages[] = {
        {&Sources::dspptn, "  5, 1, 1,", "  5, 700, 1,",
         "DSPPTN.h line 4: row names lamp sequence 700, CSTGRP.h holds 512"},
        {&Sources::dspptn, "  3, 0, 0,", "  3, -1, 0,", "DSPPTN.h line 3: row names band list -1"},
        {&Sources::dspptn, "  3, 0, 0,", "  3, 0, 101,",
         "DSPPTN.h line 3: row names colour list 101, CSTGRP.h holds 101"},
        {&Sources::dspptn, "ShowPattern7[]", "ShowPattern8[]",
         "DSPPTN.h line 30: found array ShowPattern8 where ShowPattern7"},
        {&Sources::dspptn, good.dspptn, withoutLastGroup, "array ShowPattern31 is missing"},
        {&Sources::dspptn, "  3, 0, 0,", "  3, 0, x0,", "DSPPTN.h line 3: not a number: \"x0\""},
        {&Sources::dspptn, "  3, 0, 0,", "  3, 0, 99999999999,", "line 3: number out of range"},
        {&Sources::dspptn, "  3, 0, 0,", "  3, 0,, 0,", "line 3: empty value"},
        {&Sources::dspptn, "  255, ", "  ,,", "line 12: empty value"},
        {&Sources::dspptn, "  3, 0, 0,", "  77, 0, 0,", "line 3: unknown row type 77"},
        {&Sources::dspptn, "3, 0, \r\n  3, 0, 0,", "3, 0, 3, 0, 0,",
         "line 2: row of type 0 holds 17 values, not 11"},
        {&Sources::dspptn, "  255, \r\n", megabyteRow, "DSPPTN.h line 12: line of 1048579 bytes"},
        {&Sources::dspptn, "  0xFD,  0x0001, \r\n 0XFF, };\r\n code unsigned int ShowPattern2",
         " code unsigned int ShowPattern2", "DSPPTN.h line 13: array ShowPattern1 is not closed"},
        {&Sources::cstgrp, good.cstgrp, halfTables, "is not closed; the file ends first"},
        {&Sources::cstgrp, "5, 6, 7,", "5, six, 7,", "CSTGRP.h line 2: not a number: \"six\""},
        {&Sources::cstgrp, "CstGroup10[]", "CstGroup11[]", "found array CstGroup11 where CstGroup10 belongs"},
        {&Sources::cstgrp, "code unsigned int Color_Group100[] = {\r\n0,0,0, 0xffff };", "",
         "array Color_Group100 is missing"},
        {&Sources::cstgrp, " 0xffff };", " };", "CSTGRP.h line 2: array CstGroup0 does not end with 0xFFFF"},
        {&Sources::cstgrp, "Cst_GroupGroup2[] = {\r\n1,", "Cst_GroupGroup2[] = {\r\n900,",
         "CSTGRP.h line 1029: band list Cst_GroupGroup2 names lamp sequence 900, the table holds 512",
         CFirmwareData::kUnknownLampSequenceKey},
        {&Sources::cstgrp, "code unsigned int CstGroup0",
         "int Rogue[] = {\r\n 0xffff };\r\ncode unsigned int CstGroup0",
         "CSTGRP.h line 1: expected an array declaration, found \"int Rogue[] =\""},
        {&Sources::cport, "CPort5[]", "CPort6[]", "cport.h line 13: found array CPort6 where CPort5 belongs"},
        {&Sources::cport, "code unsigned int CPort12[] = {\r\n0xFFFF\r\n };\r\n", "",
         "array CPort12 is missing"},
        {&Sources::cport, "3 , 0xFFFF", "3 , " + std::string(1 << 20, '9') + " , 0xFFFF",
         "line 5: number out of range"},
        {&Sources::cport, "0xFFFF\r\n };", "0xFFFF\r\n }", "expected \";\" after array CPort1"},
    };
    for (const Damage& d : damages) {
        Sources s = good;
        std::string& text = s.*d.file;
        const auto at = text.find(d.from);
        ASSERT_NE(at, std::string::npos) << d.from;
        text.replace(at, d.from.size(), d.to);
        const auto data = DataOf(s);
        ASSERT_FALSE(data) << d.detail;
        EXPECT_EQ(data.status().key, d.key) << d.detail;
        EXPECT_NE(data.status().detail.find(d.detail), std::string::npos) << data.status().detail;
    }
    // More than 32 program groups: the rest is not read.
    Sources extra = good;
    extra.dspptn += "code unsigned int ShowPattern32[] = {\r\n  junk\r\n";
    EXPECT_TRUE(DataOf(extra));
}

TEST(FirmwareData, WriteReadsTheFoldersAndWritesNothingOnFailure)
{
    TempDir tables, build;
    const Sources s = SourcesOf(Tables(), Lamps());
    WriteText(tables / "DSPPTN.H", s.dspptn); // read back as "DSPPTN.h"
    WriteText(tables / "CSTGRP.h", s.cstgrp);
    EXPECT_EQ(CFirmwareData::Write(tables.path(), build.path(), 1).key, CFirmwareData::kMissingInputKey);
    WriteText(build / "cport.h", s.cport + "junk");
    EXPECT_EQ(CFirmwareData::Write(tables.path(), build.path(), 1).key, CFirmwareData::kDamagedInputKey);
    EXPECT_FALSE(fs::exists(build / "CData.h"));
    WriteText(build / "cport.h", s.cport);
    ASSERT_TRUE(CFirmwareData::Write(tables.path(), build.path(), 1));
    EXPECT_EQ(ReadText(build / "CData.h"), DataOf(s).value());
    EXPECT_EQ(CFirmwareData::Write(tables.path(), build / "missing", 1).key, CFirmwareData::kMissingInputKey);
}

TEST(FirmwareData, ModesOverNoLampNameEmptyListsThatAreDeclared)
{
    // Lamps in the top left; the areas of the band and lamp-order modes hold none.
    CEditImgDoc doc;
    for (int i = 0; i < 4; ++i)
        doc.lampPositions.emplace_back(i, 0, i, static_cast<std::int32_t>(kColourGreen), 8, 1);
    for (const char* type :
         {"CM_LEFTTORIGHT_GC", "CM_LEFTTORIGHT_CC", "CM_LEFTTORIGHT_GF", "CM_LEFTTORIGHT_CF"}) {
        CModeItem m;
        m.type = type;
        m.areaLeft = m.areaTop = 100;
        m.areaRight = m.areaBottom = 200;
        m.layer = static_cast<std::int32_t>(doc.modes.size());
        doc.modes.push_back(m);
        doc.programGroups[0].push_back(m);
    }
    for (const char* type : {"CM_REGROUP", "CM_EMPTYMODE"}) {
        CModeItem m;
        m.type = type;
        m.layer = static_cast<std::int32_t>(doc.modes.size());
        doc.modes.push_back(m);
        doc.programGroups[1].push_back(m);
    }
    const CCompiledEffects c = CompileEffects(doc);
    TempDir dir;
    ASSERT_TRUE(EmitFirmwareSources(c, doc.lamps, 2, dir.path()));
    const std::string data = ReadText(dir / "CData.h");
    ExpectCompilable(data);
    EXPECT_NE(data.find("code unsigned int CST1[1]={0xFFFF};"), std::string::npos) << data;
    EXPECT_NE(data.find("code CSTG CSTG1[1]={{0,0}};"), std::string::npos);
    EXPECT_NE(data.find("code RGB CLRGRP1[1]={{0,0,0}};"), std::string::npos);
    EXPECT_NE(data.find("code PTN ShowPtn2[2]={\r\n" + kEmptyElement + "};\r\n"), std::string::npos);
    for (const char* file : {"cport.h", "DSPPTN.H", "CSTGRP.h", "GETPTN.c"})
        EXPECT_TRUE(fs::exists(dir / file)) << file;
}

TEST(FirmwareData, EveryCompiledRandomProjectGivesTablesACompilerAccepts)
{
    int emitted = 0;
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        CEditImgDoc doc = test::RandomProject(seed);
        // Group lists name lamp groups that exist, as the group list page builds them.
        for (auto& list : doc.groupLists)
            for (auto& m : list)
                m = doc.lampGroups.empty() ? 0 : m % static_cast<std::uint32_t>(doc.lampGroups.size());
        if (doc.lampGroups.empty())
            doc.groupLists.clear();
        for (auto& l : doc.lampPositions)
            l.port = 1 + l.number % 12, l.order = 1 + l.number / 12;
        const FirmwareSourceTexts texts = MakeFirmwareSources(CompileEffects(doc), doc.lampPositions, 1);
        if (!texts.tables) // an empty part; what names it cannot be written
            continue;
        const auto& data = texts.data;
        ASSERT_TRUE(data) << "seed " << seed << ": " << data.status().detail;
        ExpectCompilable(data.value());
        ++emitted;
    }
    EXPECT_GT(emitted, 30);
}
