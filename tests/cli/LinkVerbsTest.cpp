#include "cli/BootSimulator.h"

#include "CliTestSupport.h"
#include "core/link/HexDownload.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

using namespace lumaro;
using namespace lumaro::cli;
using lumaro::cli::test::Outcome;
using lumaro::cli::test::ReadText;
using lumaro::cli::test::RunProgram;
using lumaro::cli::test::TempDir;
using lumaro::cli::test::WriteText;

namespace {

// "lumaro-cli bootsim ..." in the background; Device() is the first line it prints.
class Bootsim {
public:
    explicit Bootsim(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), {LUMARO_CLI_PATH, "bootsim"});
        std::vector<char*> argv;
        for (auto& a : arguments)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        int out[2];
        if (::pipe(out) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        // The device comes at once; a few seconds only guard a broken build.
        pollfd ready{out[0], POLLIN, 0};
        while (m_device.empty() || m_device.back() != '\n') {
            char c = 0;
            if (::poll(&ready, 1, 5000) <= 0 || ::read(out[0], &c, 1) != 1)
                break;
            m_device += c;
        }
        ::close(out[0]);
        if (!m_device.empty() && m_device.back() == '\n')
            m_device.pop_back();
    }
    ~Bootsim()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            Wait();
        }
    }

    const std::string& Device() const { return m_device; }

    // Its exit status, or -1 when it has not ended within the time.
    int Wait(std::chrono::milliseconds within = std::chrono::seconds(5))
    {
        const auto end = std::chrono::steady_clock::now() + within;
        int status = 0;
        while (m_pid > 0) {
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            if (std::chrono::steady_clock::now() > end)
                return -1;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return -1;
    }
    void Terminate() { ::kill(m_pid, SIGTERM); }

private:
    pid_t m_pid = -1;
    std::string m_device;
};

class LinkVerbsTest : public testing::Test {
protected:
    fs::path File(const std::string& name) const { return m_dir / name; }

    // lumaro-cli with arguments (already quoted for the shell), inside the test folder.
    Outcome Run(const std::string& arguments, const std::string& environment = {}) const
    {
        return RunProgram(m_dir.path(), arguments, environment);
    }

    // Three records of 16 bytes and the end-of-file record.
    std::string WriteImage(const std::string& name) const
    {
        std::string hex;
        for (int r = 0; r < 3; ++r) {
            std::string record = ":10" + std::string(r == 0 ? "0000" : r == 1 ? "0010" : "0020") + "00";
            unsigned sum = 0x10 + r * 0x10;
            for (int i = 0; i < 16; ++i) {
                const unsigned b = (r * 16 + i) * 7 & 0xFF;
                sum += b;
                char digits[3];
                std::snprintf(digits, sizeof digits, "%02X", b);
                record += digits;
            }
            char check[3];
            std::snprintf(check, sizeof check, "%02X", -sum & 0xFF);
            hex += record + check + "\r\n";
        }
        hex += ":00000001FF\r\n";
        WriteText(File(name), hex);
        return hex;
    }

private:
    TempDir m_dir;
};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find('\n', from)) != std::string::npos; from = at + 1)
        lines.push_back(text.substr(from, at - from));
    return lines;
}

} // namespace

TEST_F(LinkVerbsTest, DownloadToTheSimulatorProgramsTheImageAndConfiguresTheVela)
{
    const std::string hex = WriteImage("show.hex");
    Bootsim loader(
        {"--once", "--save", File("programmed.hex").string(), "--sent", File("sent.txt").string()});
    ASSERT_EQ(loader.Device().rfind("/dev/", 0), 0u) << loader.Device();

    const Outcome run = Run("download show.hex --target vela --port " + loader.Device());
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_GE(lines.size(), 4u) << run.out;
    EXPECT_EQ(lines.front(), "Link OK!");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Send Data Success!"), lines.end()) << run.out;
    EXPECT_EQ(lines.back(), "Set Bit Success!");
    EXPECT_NE(run.out.find("progress: 140 of 148 bytes (94%)\n"), std::string::npos) << run.out;

    ASSERT_EQ(loader.Wait(), 0) << "--once ends after the download";
    // Written back in the same form, the image is the file that was sent.
    EXPECT_EQ(ReadText(File("programmed.hex")), hex);
    const std::string sent = ReadText(File("sent.txt"));
    EXPECT_NE(sent.find(std::string(CHexDownload::kClockRecord)), std::string::npos)
        << "the Vela gets the clock";
    EXPECT_EQ(sent.find('\r'), std::string::npos) << "line ends are never sent";
}

TEST_F(LinkVerbsTest, AComPortOfTheSettingsAndAnUnansweredFirstSynchronisation)
{
    WriteImage("show.hex");
    Bootsim loader({"--once", "--fault", "no-first-sync", "--save", File("programmed.bin").string()});
    ASSERT_FALSE(loader.Device().empty());
    fs::create_directories(File("home/Mullanguage"));
    WriteText(File("home/Mullanguage/Setting.ini"),
              "[Setting]\nLanguage=English\n[SerialPorts]\nCOM7=" + loader.Device() + "\n");

    const Outcome run =
        Run("download show.hex --port 'COM 7'", "LUMARO_HOME='" + File("home").string() + "'");
    // The erase was skipped, but the data and the configuration went through.
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    const std::vector<std::string> expected{"Link OK!", "SendSRate TimeOut!  ", "SetRate Failed!"};
    ASSERT_GE(lines.size(), 3u) << run.out;
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3), expected);
    EXPECT_EQ(lines.back(), "Set Bit Success!");
    EXPECT_EQ(run.out.find(CHexDownload::kClockRecord), std::string::npos);
    ASSERT_EQ(loader.Wait(), 0);
    const std::string image = ReadText(File("programmed.bin"));
    ASSERT_EQ(image.size(), 48u) << "binary from address 0";
    EXPECT_EQ(std::uint8_t(image[1]), 7);
    EXPECT_EQ(std::uint8_t(image[47]), 47 * 7 & 0xFF);
}

TEST_F(LinkVerbsTest, LostAnswersGarbledRecordsAndSplitEchoesAreRiddenOut)
{
    const std::string hex = WriteImage("show.hex");
    Bootsim loader({"--once", "--fault", "split-echo,drop=0.2,bad-checksum", "--seed", "4", "--save",
                    File("programmed.hex").string(), "--sent", File("sent.txt").string()});
    ASSERT_FALSE(loader.Device().empty());
    const Outcome run = Run("download show.hex --port " + loader.Device());
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    ASSERT_EQ(loader.Wait(), 0);
    EXPECT_EQ(ReadText(File("programmed.hex")), hex);
    // Resends: more was sent than one clean pass of the file and the commands.
    const std::string sent = ReadText(File("sent.txt"));
    const std::size_t clean = 3 * 43 + 11 + 13 + 15 + 3 * 15 + 3;
    EXPECT_GT(sent.size(), clean) << sent;
}

TEST_F(LinkVerbsTest, ADamagedImageLeavesTheProgrammedChipAsItWas)
{
    const std::string hex = WriteImage("show.hex");
    Bootsim loader({"--save", File("programmed.hex").string(), "--sent", File("sent.txt").string()});
    ASSERT_FALSE(loader.Device().empty());
    ASSERT_EQ(Run("download show.hex --port " + loader.Device()).status, 0);
    std::string damaged = hex;
    damaged.erase(damaged.size() - 20); // cut in the end record's line
    damaged.replace(damaged.find("\r\n"), 2, "\n");
    WriteText(File("damaged.hex"), damaged);
    const Outcome run = Run("download damaged.hex --port " + loader.Device());
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_NE(run.err.find("Read File Error!"), std::string::npos) << run.err;
    loader.Terminate();
    ASSERT_EQ(loader.Wait(), 0);
    EXPECT_EQ(ReadText(File("programmed.hex")), hex) << "not erased";
    const std::string sent = ReadText(File("sent.txt"));
    EXPECT_EQ(sent.find(std::string(CHexDownload::kEraseRecord)),
              sent.rfind(std::string(CHexDownload::kEraseRecord)))
        << "one erase: the first download's";
}

TEST_F(LinkVerbsTest, FailuresAndUsage)
{
    WriteImage("show.hex");
    const Outcome noPort = Run("download show.hex --port /dev/lumaro-no-such-port");
    EXPECT_EQ(noPort.status, 1);
    EXPECT_EQ(noPort.out, "Link Failed!\n");
    EXPECT_NE(noPort.err.find("lumaro-no-such-port"), std::string::npos) << noPort.err;

    const Outcome noFile = Run("download missing.hex --port /dev/null");
    EXPECT_EQ(noFile.status, 1);
    EXPECT_NE(noFile.err.find("Read File Error!"), std::string::npos) << noFile.err;

    EXPECT_EQ(Run("download show.hex").status, 2) << "the port is required";
    EXPECT_EQ(Run("download show.hex --port COM1 --target dmx").status, 2);
    EXPECT_EQ(Run("bootsim --fault frob").status, 2);
    EXPECT_EQ(Run("bootsim --fault drop=2").status, 2);
    const Outcome help = Run("bootsim --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: lumaro-cli bootsim [--pace] [--fault LIST] [--seed N]", 0), 0u)
        << help.out;
}

TEST(BootSimulator, SavesTheImageAsHexOrBinary)
{
    const TempDir dir;
    const std::map<std::uint32_t, std::uint8_t> image{{2, 0xAB}, {3, 0xCD}, {0x20, 0x01}};
    EXPECT_EQ(CBootSimulator::SaveImage(image, dir / "a.HEX").value(), "Intel HEX");
    EXPECT_EQ(ReadText(dir / "a.HEX"), ":02000200ABCD84\r\n:0100200001DE\r\n:00000001FF\r\n");
    EXPECT_EQ(CBootSimulator::SaveImage(image, dir / "a.bin").value(), "binary");
    std::string expected(0x21, char(0xFF));
    expected[2] = char(0xAB);
    expected[3] = char(0xCD);
    expected[0x20] = 0x01;
    EXPECT_EQ(ReadText(dir / "a.bin"), expected);
}
