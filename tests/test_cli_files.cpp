// lcdkonfig-cli and the files and terminal around it, through the program's entry point
// against the virtual board in virtual time: device nodes, FIFOs, links and bad names as outputs
// (refused before the board is read), FIFOs and oversized files as inputs, a full
// standard output, SIGTERM and SIGHUP, a page the boot ROM refuses, type-ahead before a
// question, English refusals and answers, and the help.
#include "cli_options.h"
#include "cli_rig.h"
#include "config_file.h"
#include "console.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>

using namespace clitest;

namespace {

const std::string kSample = (fs::path(LCD_SAMPLES_DIR) / "sample_firmware.mot").string();

class FilesTest : public Cli {
protected:
    void MakeFifo(const std::string& name) const { ASSERT_EQ(::mkfifo(Path(name).c_str(), 0644), 0); }
    // A sparse file one byte over the bound.
    void MakeLarge(const std::string& name, size_t bound) const
    {
        Put(name, "");
        fs::resize_file(Path(name), bound + 1);
    }
    // The demo board's set: one the safety check finds nothing in.
    void PutSet(const std::string& name) const
    {
        ConfigBoard demo;
        FillDemoBoard(demo);
        ParameterSet set;
        set.Values = demo.Values;
        Put(name, WithCrLf(ToWindows1252(LcdFileText(set))));
    }
};

}  // namespace

// Whatever is not a regular file, or lies in no folder, is refused as an output at
// once: the board is not read (no 7 seconds first) and the file stays what it was.
TEST_F(FilesTest, AnOutputThatCannotBeWrittenIsRefusedBeforeTheBoardIsRead)
{
    MakeFifo("fifo.lcd");
    fs::create_symlink(dir / "nowhere.lcd", dir / "dangling.lcd");
    fs::create_directory(dir / "folder.lcd");
    PutSet("ok.lcd");
    struct Case {
        std::vector<std::string> args;
        std::string named;  // the file the message names
    };
    const std::vector<Case> cases = {
        {{"read", "-o", Path("fifo.lcd")}, Path("fifo.lcd")},
        {{"read", "-o", Path("dangling.lcd")}, Path("dangling.lcd")},
        {{"read", "-o", Path("folder.lcd")}, Path("folder.lcd")},
        {{"read", "-o", Path("no/such.lcd")}, Path("no/such.lcd")},
        {{"read", "--faults", Path("fifo.lcd")}, Path("fifo.lcd")},
        {{"faults", "-o", Path("fifo.lcd")}, Path("fifo.lcd")},
        {{"report", "-i", Path("ok.lcd"), "-o", Path("fifo.lcd")}, Path("fifo.lcd")},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"-v", "-p", "virtuell"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        sleptMs = 0;
        const Result r = Run(args);
        EXPECT_EQ(r.Code, 6) << c.args[2] << "\n" << r.Err;
        EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: " + c.named + ": Datei kann nicht geöffnet werden!")) << r.Err;
        EXPECT_EQ(sleptMs, 0) << c.args[2];
        EXPECT_TRUE(Wire().Log().empty()) << c.args[2];
    }
    EXPECT_EQ(fs::symlink_status(dir / "fifo.lcd").type(), fs::file_type::fifo);
    EXPECT_EQ(fs::symlink_status(dir / "dangling.lcd").type(), fs::file_type::symlink);
    EXPECT_FALSE(fs::exists(dir / "nowhere.lcd"));
    EXPECT_FALSE(fs::exists(dir / "fifo.txt"));
    // -v names the cause.
    const Result r = Run({"-v", "-p", "virtuell", "read", "-o", Path("fifo.lcd")});
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: " + Path("fifo.lcd") + ": not a regular file")) << r.Err;
}

// -o of read is a .lcd file (any case) or "-": its companion takes the name with "txt"
// for the last three characters, which for any other name is another file.
TEST_F(FilesTest, ReadTakesOnlyALcdFileOrStandardOutput)
{
    for (const std::string name : {"amp", "amp.bak", "amp.txt", "lcd"}) {
        const Result r = Run({"-p", "virtuell", "read", "-o", Path(name)});
        EXPECT_EQ(r.Code, 2) << name;
        EXPECT_EQ(r.Err, "lcdkonfig-cli: read: -o takes a FILE.lcd or - (see lcdkonfig-cli read --help)\n");
    }
    EXPECT_TRUE(Wire().Log().empty());
    EXPECT_FALSE(fs::exists(dir / "txt"));
    const Result r = Run({"-p", "virtuell", "read", "-o", Path("AMP.LCD")});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: written: " + Path("AMP.LCD") + ", " + Path("AMP.txt"))) << r.Err;
    EXPECT_EQ(Bytes(Path("AMP.txt")).rfind("KonfigVersion = 2\r\n000\t", 0), 0u);
}

// FIFOs and files over the bound are refused at once (no hang, no memory eaten), with
// the file named and, with -v, the cause; nothing reaches the board.
TEST_F(FilesTest, AnInputThatIsNoRegularFileOrTooLargeIsExitCode6AtOnce)
{
    MakeFifo("fifo.lcd");
    MakeFifo("fifo.mot");
    MakeLarge("big.lcd", 1 << 20);
    MakeLarge("big.mot", 4 << 20);
    PutSet("ok.lcd");
    struct Case {
        std::vector<std::string> args;
        std::string file;
        std::string cause;
    };
    const std::vector<Case> cases = {
        {{"check", Path("fifo.lcd")}, Path("fifo.lcd"), "not a regular file"},
        {{"check", Path("big.lcd")}, Path("big.lcd"), "larger than 1048576 bytes"},
        {{"check", Path("big.mot")}, Path("big.mot"), "larger than 4194304 bytes"},
        {{"diff", Path("ok.lcd"), Path("fifo.lcd")}, Path("fifo.lcd"), "not a regular file"},
        {{"write", Path("big.lcd"), "--yes"}, Path("big.lcd"), "larger than 1048576 bytes"},
        {{"flash", Path("fifo.mot"), "--yes"}, Path("fifo.mot"), "not a regular file"},
        {{"flash", Path("big.mot"), "--yes"}, Path("big.mot"), "larger than 4194304 bytes"},
        {{"flash", Path("none.mot"), "--yes"}, Path("none.mot"), "No such file or directory"},
        {{"report", "-i", Path("fifo.lcd"), "-o", Path("r.pdf")}, Path("fifo.lcd"), "not a regular file"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"-v", "-p", "virtuell"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Result r = Run(args);
        EXPECT_EQ(r.Code, 6) << c.file << "\n" << r.Err;
        EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: " + c.file + ": not read: " + c.cause)) << r.Err;
        EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: " + c.file + ": Datei kann nicht geöffnet werden!")) << r.Err;
    }
    EXPECT_TRUE(Wire().Log().empty());
}

// The S-record reader's refusal names the file; -v says where it stopped.
TEST_F(FilesTest, AFirmwareRefusalNamesTheFileAndWithDashVTheLine)
{
    Put("bad.mot", "S00600004844521B\r\nS2XX\r\n");
    const Result r = Run({"-v", "check", Path("bad.mot")});
    EXPECT_EQ(r.Code, 6);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: " + Path("bad.mot") + ": Fehlerhafter Datensatz in der Firmware-Datei!"))
        << r.Err;
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: firmware file: refused at line 2, in an S2 record")) << r.Err;
}

// Data that does not reach standard output is no success: exit 6, one message.
TEST_F(FilesTest, AFullStandardOutputIsExitCode6WithOneMessage)
{
    PutSet("ok.lcd");
    const std::vector<std::vector<std::string>> runs = {
        {"-p", "virtuell", "read", "-o", "-"},
        {"-p", "virtuell", "faults", "--format", "json"},
        {"-p", "virtuell", "read"},
        {"--json", "check", Path("ok.lcd")},
        {"backups"},
    };
    outIsFull = true;
    for (const auto& args : runs) {
        const Result r = Run(args);
        EXPECT_EQ(r.Code, 6) << args[args.size() - 1];
        const std::vector<std::string> lines = r.ErrLines();
        EXPECT_EQ(std::count(lines.begin(), lines.end(),
                             "lcdkonfig-cli: Standardausgabe: Datei kann nicht geschrieben werden!"),
                  1)
            << r.Err;
        EXPECT_EQ(lines.back(), "lcdkonfig-cli: Standardausgabe: Datei kann nicht geschrieben werden!");
    }
}

// SIGTERM (a kill) and SIGHUP (a closed SSH session) end the program like Ctrl-C:
// the exchange ends as a failure, the lines released and the port closed, with 143
// and 129; an update broken off after the erase says the firmware is incomplete.
TEST_F(FilesTest, SigtermAndSighupEndLikeCtrlCWithTheirExitCodes)
{
    interruptSignal = SIGTERM;
    InterruptWhen = [&] { return Rom().PagesProgrammed().size() >= 3; };
    Result r = Run({"-p", "virtuell", "flash", kSample, "--yes", "--no-backup"});
    EXPECT_EQ(r.Code, 143) << r.Err;
    EXPECT_EQ(Rom().PagesProgrammed().size(), 3u);
    EXPECT_FALSE(Wire().RtsHigh());
    EXPECT_FALSE(Wire().Active());
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: interrupted"));
    EXPECT_EQ(r.ErrLines().back(),
              "lcdkonfig-cli: Die Firmware der LCD-Platine ist unvollständig; ein neues \"lcdkonfig-cli flash\" "
              "stellt sie wieder her (der Boot-ROM bleibt).");

    SetUp();
    interruptSignal = SIGHUP;
    InterruptWhen = [&] { return sleptMs > 3000; };
    r = Run({"-p", "virtuell", "read"});
    EXPECT_EQ(r.Code, 129) << r.Err;
    EXPECT_FALSE(Wire().Active());
    EXPECT_FALSE(Wire().DtrHigh());
    EXPECT_EQ(r.Out, "");
}

// A page answered with a status the boot ROM refuses (0x88: ready, bit 3), where the
// window only beeps: one line with the page and the status, exit 4.
TEST_F(FilesTest, APageTheBootRomRefusesIsOneLineWithItsAddressAndStatus)
{
    Rom().failure = BootRom::Failure::PageWriteError;
    Rom().FailPage = 0x8300;
    const Result r = Run({"-p", "virtuell", "flash", kSample, "--yes", "--no-backup"});
    EXPECT_EQ(r.Code, 4) << r.Err;
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: Seite 0x8300 nicht programmiert: der Boot-ROM meldet den Status 0x88"))
        << r.Err;
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: Die Firmware der LCD-Platine ist unvollständig; ein neues \"lcdkonfig-cli "
                         "flash\" stellt sie wieder her (der Boot-ROM bleibt)."));
    EXPECT_FALSE(Wire().RtsHigh());
    // A refusal before the erase leaves the firmware as it was: nothing said of it.
    SetUp();
    Rom().failure = BootRom::Failure::WrongId;
    const Result before = Run({"-p", "virtuell", "flash", kSample, "--yes", "--no-backup"});
    EXPECT_EQ(before.Code, 4);
    EXPECT_EQ(before.Err.find("unvollständig"), std::string::npos) << before.Err;
}

// What was typed during the download is thrown away just before the question, which
// stands on a line of its own after the progress bar.
TEST_F(FilesTest, TypeAheadIsDiscardedBeforeTheQuestion)
{
    PutSet("set.lcd");
    inIsTerminal = true;
    errIsTerminal = true;
    int64_t sleptAtDiscard = 0;
    int discards = 0;
    DiscardTypeAhead = [&](std::istringstream& in) {
        ++discards;
        in.str("");  // the "j" typed ahead
        in.clear();
        sleptAtDiscard = sleptMs;
    };
    Result r = Run({"-p", "virtuell", "write", Path("set.lcd")}, "j\n");
    EXPECT_EQ(r.Code, 130) << r.Err;
    EXPECT_EQ(discards, 1);
    EXPECT_GT(sleptAtDiscard, 5000);  // after the download
    EXPECT_NE(r.Err.find("\nlcdkonfig-cli: Daten übertragen? [j/N] "), std::string::npos) << r.Err;
    EXPECT_EQ(Config().Uploads(), 0);
}

// The production discard on a real terminal: bytes typed on the pty are gone.
TEST(TerminalInput, DiscardThrowsAwayWhatWasTyped)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const int slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(slave, 0);
    ASSERT_EQ(::write(master, "j\n", 2), 2);
    pollfd waiting{slave, POLLIN, 0};
    ASSERT_EQ(::poll(&waiting, 1, 1000), 1);  // the line reached the terminal
    DiscardTerminalInput(slave);
    waiting.revents = 0;
    EXPECT_EQ(::poll(&waiting, 1, 50), 0);
    char byte;
    EXPECT_EQ(::read(slave, &byte, 1), -1);
    ::close(slave);
    ::close(master);
}

TEST_F(FilesTest, EnglishRefusalsAndAnswers)
{
    Put("bad.mot", "S00600004844521B\r\nS2XX\r\n");
    Result r = Run({"--lang", "en", "flash", Path("bad.mot"), "--yes"});
    EXPECT_EQ(r.Code, 6);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: " + Path("bad.mot") + ": Damaged record in the firmware file!")) << r.Err;
    r = Run({"--lang", "en", "check", Path("none.lcd")});
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: " + Path("none.lcd") + ": The file cannot be opened!")) << r.Err;

    // English asks [y/N] and takes y or yes, not j; German takes j, ja and y.
    PutSet("set.lcd");
    inIsTerminal = true;
    const struct {
        const char* language;
        const char* answer;
        int code;
    } answers[] = {{"en", "j\n", 130}, {"en", "yes\n", 0}, {"de", "ja\n", 0}, {"de", "y\n", 0}, {"de", "n\n", 130}};
    for (const auto& a : answers) {
        SetUp();
        PutSet("set.lcd");
        r = Run({"--lang", a.language, "-p", "virtuell", "write", Path("set.lcd"), "--no-verify"}, a.answer);
        EXPECT_EQ(r.Code, a.code) << a.language << " " << a.answer << r.Err;
        const std::string hint = std::string(a.language) == "en" ? "Transfer the data? [y/N] " : "Daten übertragen? [j/N] ";
        EXPECT_NE(r.Err.find("lcdkonfig-cli: " + hint), std::string::npos) << r.Err;
    }
}

TEST_F(FilesTest, EveryCommandHasItsOwnHelpWithinEightyColumns)
{
    for (const std::string command :
         {"", "ports", "read", "write", "diff", "faults", "report", "flash", "check", "backups", "service"}) {
        std::vector<std::string> args = {"--help"};
        if (!command.empty())
            args.insert(args.begin(), command);
        const Result r = Run(args);
        EXPECT_EQ(r.Code, 0) << command;
        EXPECT_EQ(r.Out, UsageText(command)) << command;
        EXPECT_EQ(r.Out.rfind("Usage: lcdkonfig-cli " + command, 0), 0u) << command;
        std::istringstream lines(r.Out);
        for (std::string line; std::getline(lines, line);)
            EXPECT_LE(line.size(), 80u) << command << ": " << line;
    }
    EXPECT_NE(UsageText("read"), UsageText());
    EXPECT_NE(UsageText().find("  143  ended by SIGTERM; 129 by SIGHUP"), std::string::npos);
}

// A usage error is one line with the way to the help, not the whole help.
TEST_F(FilesTest, AUsageErrorIsOneLinePointingAtTheHelp)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"read", "--bogus"}, "lcdkonfig-cli: unknown option --bogus (see lcdkonfig-cli read --help)\n"},
        {{"diff", "a.lcd"}, "lcdkonfig-cli: diff: wrong number of operands (see lcdkonfig-cli diff --help)\n"},
        {{"frob"}, "lcdkonfig-cli: unknown command frob (see lcdkonfig-cli --help)\n"},
        {{}, "lcdkonfig-cli: no command given (see lcdkonfig-cli --help)\n"},
    };
    for (const auto& [args, line] : cases) {
        const Result r = Run(args);
        EXPECT_EQ(r.Code, 2);
        EXPECT_EQ(r.Err, line);
        EXPECT_EQ(r.Out, "");
    }
}

TEST_F(FilesTest, CheckJsonAnswersInJsonWhenItRefusesAndNoBackupsAreSaid)
{
    Put("bad.lcd", "kein\r\n");
    Result r = Run({"--json", "check", Path("bad.lcd")});
    EXPECT_EQ(r.Code, 6);
    EXPECT_EQ(r.Out, "{\"file\":\"" + Path("bad.lcd") + "\",\"refused\":\"" + Path("bad.lcd")
                         + ": Datei kann nicht geöffnet werden!\"}\n");

    r = Run({"backups", "--serial", "9999"});
    EXPECT_EQ(r.Code, 0);
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err, "lcdkonfig-cli: no backups of serial number 9999 in " + StateFolder().string() + "\n");
}
