#include "CliTestSupport.h"
#include "core/project/LayoutFile.h"

#include <gtest/gtest.h>

using namespace lumaro;
using lumaro::cli::test::Outcome;
using lumaro::cli::test::ReadText;
using lumaro::cli::test::RunProgram;
using lumaro::cli::test::TempDir;
using lumaro::cli::test::WriteText;

namespace {

// The firmware build with the shipped build folder and the real compiler.
class BuildVerbTest : public testing::Test {
protected:
    void SetUp() override
    {
        const fs::path data = fs::path(LUMARO_SOURCE_DIR) / "data";
        fs::create_directories(dir / "home");
        fs::copy(data / "sys", dir / "home" / "sys", fs::copy_options::recursive);
        fs::copy(data / "Mullanguage", dir / "home" / "Mullanguage", fs::copy_options::recursive);
        fs::create_directories(dir / "site");
    }

    Outcome Run(const std::string& arguments) const
    {
        return RunProgram(dir.path(), arguments, "LUMARO_HOME='" + (dir / "home").string() + "'");
    }

    TempDir dir;
};

unsigned Byte(const std::string& line, std::size_t at)
{
    return static_cast<unsigned>(std::stoul(line.substr(at, 2), nullptr, 16));
}

TEST_F(BuildVerbTest, ASmallProjectBuildsWithTheCompilerIntoACheckedImage)
{
    CEditImgDoc doc;
    for (int x = 0; x < 12; ++x) {
        doc.lamps.emplace_back(x, x % 3, x, 0, 8, 1);
        doc.lamps.back().port = 1 + x % 4;
        doc.lamps.back().order = 1 + x / 4;
    }
    doc.lampPositions = doc.lamps;
    for (int slot = 0; slot < 4; ++slot)
        doc.scenes[static_cast<std::size_t>(slot)][0] = {slot * 3, 40, {}}; // effect 0 is none
    ASSERT_TRUE(CLayoutFile::Save(doc, dir / "site" / "Scenes.LED").ok());
    ASSERT_EQ(Run("scenes site/Scenes.LED -o site/Show.LED").status, 0);

    const Outcome built = Run("build site/Show.LED --format 2");
    ASSERT_EQ(built.status, 0) << built.out << built.err << ReadText(dir / "home" / "sys" / "DSP2.LST");
    EXPECT_NE(built.out.find("Program groups:  3  9.3% of 32"), std::string::npos) << built.out;
    EXPECT_NE(built.out.find("(Byte)"), std::string::npos);

    std::string hex = ReadText(dir / "site" / "Show2.hex");
    ASSERT_GT(hex.size(), 14u);
    EXPECT_EQ(hex.substr(hex.size() - 14), "[LampNum]00012");
    hex.resize(hex.size() - 14);
    EXPECT_TRUE(fs::exists(dir / "site" / "cport.h"));

    // What the boot loader's downloader expects of an image.
    std::size_t pos = 0, bytes = 0;
    long last = -1;
    bool ended = false;
    while (pos < hex.size()) {
        const std::size_t eol = hex.find("\r\n", pos);
        ASSERT_NE(eol, std::string::npos) << "every line ends in CR LF";
        const std::string line = hex.substr(pos, eol - pos);
        pos = eol + 2;
        ASSERT_FALSE(ended) << "nothing after the end record";
        ASSERT_EQ(line[0], ':');
        const unsigned count = Byte(line, 1);
        ASSERT_EQ(line.size(), 2 * count + 11u) << line;
        ASSERT_LE(count, 16u);
        unsigned sum = 0;
        for (std::size_t i = 1; i + 1 < line.size(); i += 2)
            sum += Byte(line, i);
        EXPECT_EQ(sum & 0xFF, 0u) << "checksum of " << line;
        const unsigned type = Byte(line, 7);
        ASSERT_TRUE(type == 0 || type == 1) << "no extended records: " << line;
        if (type == 1) {
            ended = true;
            continue;
        }
        const long address = std::stol(line.substr(3, 4), nullptr, 16);
        EXPECT_GT(address, last) << "records in address order";
        last = address;
        bytes += count;
    }
    EXPECT_TRUE(ended);
    EXPECT_GT(bytes, 100u);
    EXPECT_LE(bytes, fs::file_size(dir / "home" / "sys" / "DSP2.BIN"));
}

TEST_F(BuildVerbTest, ABuildWithoutImageReportsTheCompilersComplaint)
{
    CEditImgDoc doc;
    doc.lamps.emplace_back(0, 0, 0, 0, 8, 1);
    doc.lamps.emplace_back(1, 0, 1, 0, 8, 1);
    ASSERT_TRUE(CLayoutFile::Save(doc, dir / "site" / "Two.LED").ok());
    // A build folder whose firmware does not compile.
    WriteText(dir / "home" / "sys" / "main.c", "this is not C\n");
    const Outcome failed = Run("build site/Two.LED --format 1");
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find("Creating the BIN file failed."), std::string::npos) << failed.err;
    EXPECT_NE(failed.err.find("main.c"), std::string::npos) << "the compiler's log follows";
    EXPECT_FALSE(fs::exists(dir / "site" / "Two1.hex"));

    EXPECT_EQ(Run("build site/Two.LED --format 4").status, 2);
}

} // namespace
