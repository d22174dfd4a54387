#include "cli/LayoutJson.h"
#include "cli/VerbTable.h"

#include "CliTestSupport.h"
#include "core/project/LayoutFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>

using namespace lumaro;
using namespace lumaro::cli;
using lumaro::cli::test::MakeRichLayout;
using lumaro::cli::test::ReadText;
using lumaro::cli::test::TempDir;
using lumaro::cli::test::WriteText;

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ShellQuoted(const std::string& s)
{
    std::string quoted = "'";
    for (const char c : s)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs the real lumaro-cli in a fresh folder, so that the tests name their
// files relative to it.
class CliProgramTest : public testing::Test {
protected:
    // arguments go to the shell as they are; stdinFile, when given, becomes
    // standard input, and standard output goes to stdoutFile.
    Outcome Run(const std::string& arguments, const std::string& stdinFile = {},
                const std::string& stdoutFile = "stdout.txt") const
    {
        const std::string command = "cd " + ShellQuoted(m_dir.path().string()) + " && " +
                                    ShellQuoted(LUMARO_CLI_PATH) + ' ' + arguments + " >" +
                                    ShellQuoted(stdoutFile) + " 2>stderr.txt <" +
                                    (stdinFile.empty() ? std::string("/dev/null") : ShellQuoted(stdinFile));
        const int raw = std::system(command.c_str());
        Outcome outcome;
        outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        if (fs::is_regular_file(File(stdoutFile)))
            outcome.out = ReadText(File(stdoutFile));
        outcome.err = ReadText(File("stderr.txt"));
        return outcome;
    }

    fs::path File(const std::string& name) const { return m_dir / name; }

    // The rich layout as a file; returns its bytes.
    std::string SaveRichLayout(const std::string& name) const
    {
        EXPECT_TRUE(CLayoutFile::Save(MakeRichLayout(), File(name)).ok());
        return ReadText(File(name));
    }

private:
    TempDir m_dir;
};

TEST_F(CliProgramTest, DumpPrintsTheDocumentAsJson)
{
    const std::string bytes = SaveRichLayout("rich.lay");
    const Outcome dumped = Run("dump rich.lay");
    EXPECT_EQ(dumped.status, 0);
    EXPECT_EQ(dumped.err, "");
    EXPECT_EQ(dumped.out, FormatLayoutJson(CLayoutFile::Parse(bytes).value()));
}

TEST_F(CliProgramTest, LoadWritesBackTheFileThatWasDumped)
{
    const std::string bytes = SaveRichLayout("rich.lay");
    ASSERT_EQ(Run("dump rich.lay").status, 0);
    fs::rename(File("stdout.txt"), File("rich.json"));

    const Outcome loaded = Run("load rich.json -o back.lay");
    EXPECT_EQ(loaded.status, 0) << loaded.err;
    EXPECT_EQ(loaded.out + loaded.err, "");
    EXPECT_EQ(ReadText(File("back.lay")), bytes);

    const Outcome fromStdin = Run("load -o stdin.lay -", File("rich.json").string());
    EXPECT_EQ(fromStdin.status, 0) << fromStdin.err;
    EXPECT_EQ(ReadText(File("stdin.lay")), bytes);
}

TEST_F(CliProgramTest, LoadReplacesAnExistingFile)
{
    WriteText(File("new.json"), "{}");
    WriteText(File("old.lay"), "older content");
    EXPECT_EQ(Run("load new.json -o old.lay").status, 0);
    EXPECT_EQ(ReadText(File("old.lay")), CLayoutFile::Serialize(CEditImgDoc{}));
}

TEST_F(CliProgramTest, DoubleDashEndsTheOptions)
{
    const std::string bytes = SaveRichLayout("-dash.lay");
    const Outcome dumped = Run("dump -- -dash.lay");
    EXPECT_EQ(dumped.status, 0) << dumped.err;
    EXPECT_EQ(dumped.out, FormatLayoutJson(CLayoutFile::Parse(bytes).value()));
}

TEST_F(CliProgramTest, HelpGoesToStandardOutputAndSucceeds)
{
    const Outcome overview = Run("--help");
    EXPECT_EQ(overview.status, 0);
    EXPECT_EQ(overview.err, "");
    // Every verb is listed with its summary.
    for (const Verb* verb : AllVerbs()) {
        const std::size_t at = overview.out.find("\n  " + std::string(verb->name) + " ");
        ASSERT_NE(at, std::string::npos) << verb->name;
        EXPECT_NE(overview.out.find(std::string(verb->summary) + "\n", at), std::string::npos) << verb->name;
    }

    const Outcome dump = Run("dump --help");
    EXPECT_EQ(dump.status, 0);
    EXPECT_EQ(dump.out.rfind("usage: lumaro-cli dump LAYOUT\n\n", 0), 0u) << dump.out;

    // Help wins over whatever else is wrong on the line.
    const Outcome load = Run("load --frob -h");
    EXPECT_EQ(load.status, 0);
    EXPECT_EQ(load.err, "");
    EXPECT_EQ(load.out.rfind("usage: lumaro-cli load JSON -o LAYOUT\n\n", 0), 0u) << load.out;
}

TEST_F(CliProgramTest, UsageErrorsExitWithTwoAndShowTheUsage)
{
    SaveRichLayout("a.lay");
    WriteText(File("in.json"), "{}");
    for (const char* arguments :
         {"", "frob", "--frob", "dump", "dump a.lay a.lay", "dump --frob a.lay", "dump -o x.lay a.lay",
          "load in.json", "load in.json -o", "load -o b.lay -o c.lay in.json", "load -o b.lay",
          "load a.json b.json -o c.lay"}) {
        SCOPED_TRACE(arguments);
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.out, "");
        EXPECT_NE(outcome.err.find("usage: lumaro-cli"), std::string::npos) << outcome.err;
    }
    EXPECT_FALSE(fs::exists(File("b.lay")));
    EXPECT_EQ(Run("frob").err.rfind("lumaro-cli: unknown verb frob\n", 0), 0u);
    EXPECT_EQ(Run("load in.json").err.rfind("lumaro-cli load: missing option -o LAYOUT\n", 0), 0u);
}

TEST_F(CliProgramTest, DumpFailuresExitWithOne)
{
    const Outcome missing = Run("dump missing.lay");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("missing.lay"), std::string::npos) << missing.err;

    WriteText(File("broken.lay"), "not a layout");
    const Outcome broken = Run("dump broken.lay");
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.out, "");
    EXPECT_EQ(broken.err.rfind("lumaro-cli dump: ", 0), 0u) << broken.err;
}

TEST_F(CliProgramTest, DumpFailsWhenStandardOutputCannotTakeIt)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no full device here";
    SaveRichLayout("rich.lay");
    const Outcome full = Run("dump rich.lay", {}, "/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_NE(full.err.find("cannot write to standard output"), std::string::npos) << full.err;
}

TEST_F(CliProgramTest, RefusedJsonExitsWithOneAndLeavesTheFileAlone)
{
    WriteText(File("typo.json"), R"({"modes": [{"intervall": 5}]})");
    const Outcome typo = Run("load typo.json -o new.lay");
    EXPECT_EQ(typo.status, 1);
    EXPECT_EQ(typo.err, "lumaro-cli load: typo.json: modes[0].intervall: unknown key\n");
    EXPECT_FALSE(fs::exists(File("new.lay")));

    WriteText(File("old.lay"), "older content");
    const Outcome fromStdin = Run("load - -o old.lay", File("typo.json").string());
    EXPECT_EQ(fromStdin.status, 1);
    EXPECT_EQ(fromStdin.err, "lumaro-cli load: standard input: modes[0].intervall: unknown key\n");
    EXPECT_EQ(ReadText(File("old.lay")), "older content");

    WriteText(File("cut.json"), "{\"modes\": [");
    const Outcome cut = Run("load cut.json -o old.lay");
    EXPECT_EQ(cut.status, 1);
    EXPECT_NE(cut.err.find("cut.json: parse error"), std::string::npos) << cut.err;
}

TEST_F(CliProgramTest, LoadFailuresToReadOrWriteExitWithOne)
{
    const Outcome missing = Run("load missing.json -o a.lay");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("missing.json"), std::string::npos) << missing.err;

    WriteText(File("new.json"), "{}");
    const Outcome noFolder = Run("load new.json -o no-such-folder/a.lay");
    EXPECT_EQ(noFolder.status, 1);
    EXPECT_NE(noFolder.err.find("no-such-folder"), std::string::npos) << noFolder.err;
}

} // namespace
