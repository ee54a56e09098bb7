// lcdkonfig-cli flash through the program's entry point, against the virtual board's
// boot ROM in virtual time: the flash ends up holding the file, the board is backed up
// first, and refusals, failures in each phase and Ctrl-C end with their exit codes and
// with the Mode line released.
#include "backups.h"
#include "cli_rig.h"
#include "srecord_reader.h"

using namespace clitest;

namespace {

const std::string kSample =
    (fs::path(LCD_SAMPLES_DIR) / "sample_firmware.mot").string();

class FlashTest : public Cli {
protected:
    // After every update, good or bad: Mode line low, the port closed.
    void ExpectReleased(const char* when)
    {
        EXPECT_FALSE(Wire().RtsHigh()) << when;
        EXPECT_FALSE(Wire().Active()) << when;
    }
};

}  // namespace

TEST_F(FlashTest, FlashWritesTheFileVerifiesItAndBacksUpTheBoardFirst)
{
    const Result r = Run({"-p", "virtuell", "flash", kSample, "--yes"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    const SRecordResult file = ReadSRecords(*ReadFileBytes(kSample));
    ASSERT_TRUE(file.image);
    for (int a = kCodeFlashStart; a < kCodeFlashEnd; ++a)
        ASSERT_EQ(Rom().Flash()[size_t(a)], file.image->CodeByte(a)) << a;
    for (int a = kDataFlashStart; a < kDataFlashEnd; ++a)
        ASSERT_EQ(Rom().Flash()[size_t(a)], file.image->DataByte(a)) << a;
    EXPECT_EQ(Rom().PagesProgrammed().size(), 128u + 8u);
    EXPECT_EQ(Rom().PagesRead().size(), 128u + 8u);
    // The backup read came first: the download's bytes open the wire.
    EXPECT_EQ(Received().substr(0, 3), "\xBA\xA5\xAB");
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: backup: " + (StateFolder() / "0001" / (BackupStamp(now) + ".lcd")).string()));
    for (const char* phase : {"Connect", "Flash löschen", "Flash gelöscht", "Code-Flash programmieren", "Flash prüfen",
                              "Code-Flash programmiert", "Daten-Flash programmieren", "Daten-Flash programmiert"})
        EXPECT_TRUE(r.ErrHas(std::string("lcdkonfig-cli: ") + phase)) << phase;
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: flashed and verified: " + kSample));
    ExpectReleased("after success");
}

TEST_F(FlashTest, ARefusedFileIsExitCode6AndNothingReachesTheBoard)
{
    std::string text = *ReadFileBytes(kSample);
    // Spoil the checksum of the first S2 record.
    const size_t record = text.find("S2");
    const size_t end = text.find('\n', record);
    text[end - 2] = text[end - 2] == '0' ? '1' : '0';
    Put("bad.mot", text);
    Result r = Run({"-p", "virtuell", "flash", Path("bad.mot"), "--yes"});
    EXPECT_EQ(r.Code, 6);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: " + Path("bad.mot") + ": Checksummen-Fehler!")) << r.Err;
    // The sample without its termination record.
    const std::string sample = *ReadFileBytes(kSample);
    ASSERT_NE(sample.find("\nS8"), std::string::npos);
    Put("cut.mot", sample.substr(0, sample.find("\nS8") + 1));
    r = Run({"-p", "virtuell", "flash", Path("cut.mot"), "--yes"});
    EXPECT_EQ(r.Code, 6);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: " + Path("cut.mot") + ": Unerwartetes Dateiende!")) << r.Err;
    r = Run({"-p", "virtuell", "flash", Path("none.mot"), "--yes"});
    EXPECT_EQ(r.Code, 6);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: " + Path("none.mot") + ": Datei kann nicht geöffnet werden!"));
    EXPECT_TRUE(Wire().Log().empty());
}

TEST_F(FlashTest, WithoutATerminalFlashRefusesUnlessYes)
{
    Result r = Run({"-p", "virtuell", "flash", kSample});
    EXPECT_EQ(r.Code, 2);
    EXPECT_TRUE(Wire().Log().empty());
    inIsTerminal = true;
    r = Run({"-p", "virtuell", "flash", kSample}, "nein\n");
    EXPECT_EQ(r.Code, 130);
    EXPECT_NE(r.Err.find("lcdkonfig-cli: Firmware " + kSample + " in die LCD-Platine übertragen? [j/N] "),
              std::string::npos);
    EXPECT_TRUE(Wire().Log().empty());
}

// Each phase of the update failing: the window's message, exit 4, Mode line released.
TEST_F(FlashTest, ABoardFailingInEachPhaseIsExitCode4WithTheModeLineReleased)
{
    struct Case {
        const char* name;
        std::function<void(FlashTest&)> fault;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"mode line", [](FlashTest& t) { t.Wire().ModeAnswer.mode = LineBehaviour::Mode::Never; },
         "Keine Rückmeldung vom \"Mode\"-Befehl erhalten! Datenübertragung abgebrochen!"},
        {"baud rate", [](FlashTest& t) { t.Rom().failure = BootRom::Failure::NoBaudReply; },
         "Zeitüberschreitung beim Baudrate ermitteln! Datenübertragung abgebrochen!"},
        {"ID", [](FlashTest& t) { t.Rom().failure = BootRom::Failure::WrongId; }, "ID nicht abgestimmt!"},
        {"erase", [](FlashTest& t) { t.Rom().failure = BootRom::Failure::EraseError; },
         "Flash löschen mit Fehler beendet!"},
        {"page", [](FlashTest& t) {
             t.Rom().failure = BootRom::Failure::ProgramError;
             t.Rom().FailPage = 0x8300;
         },
         "Flash programmieren mit Fehler beendet!!"},
    };
    for (const Case& c : cases) {
        SetUp();
        c.fault(*this);
        const Result r = Run({"-p", "virtuell", "flash", kSample, "--yes", "--no-backup"});
        EXPECT_EQ(r.Code, 4) << c.name << "\n" << r.Err;
        EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: " + c.message)) << c.name << "\n" << r.Err;
        ExpectReleased(c.name);
        TearDown();
    }
}

TEST_F(FlashTest, AReadBackThatFindsADifferenceIsExitCode5)
{
    Rom().failure = BootRom::Failure::SilentBadPage;
    Rom().FailPage = 0x8300;
    const Result r = Run({"-p", "virtuell", "flash", kSample, "--yes", "--no-backup"});
    EXPECT_EQ(r.Code, 5) << r.Err;
    char address[32];
    std::snprintf(address, sizeof address, "0x%04X!", 0x8300 + BootRom::kBadPageByte);
    EXPECT_TRUE(r.ErrHas(std::string("lcdkonfig-cli: Flash-Prüfung fehlgeschlagen bei Adresse ") + address)) << r.Err;
    ExpectReleased("after the read-back");
}

TEST_F(FlashTest, ABoardThatCannotBeBackedUpIsNotFlashedUnlessNoBackup)
{
    Config().Ping.mode = PingBehaviour::Mode::NoAnswer;
    const Result r = Run({"-p", "virtuell", "flash", kSample, "--yes"});
    EXPECT_EQ(r.Code, 4);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: flash: the board could not be read for its backup; --no-backup flashes "
                         "without one (a board without firmware)"));
    EXPECT_EQ(Rom().Erases(), 0);
}

TEST_F(FlashTest, CtrlCDuringTheFlashReleasesTheModeLineClosesThePortAndIsExitCode130)
{
    bool programming = false;
    InterruptWhen = [&] {
        programming = Rom().PagesProgrammed().size() >= 3;
        return programming;
    };
    const Result r = Run({"-p", "virtuell", "flash", kSample, "--yes", "--no-backup"});
    EXPECT_EQ(r.Code, 130);
    EXPECT_TRUE(programming);
    // It stopped there: no further page, no read-back.
    EXPECT_EQ(Rom().PagesProgrammed().size(), 3u);
    EXPECT_TRUE(Rom().PagesRead().empty());
    ExpectReleased("after Ctrl-C");
    // The last line on the wire: the Mode line dropped after the interrupt.
    const auto& log = Wire().Log();
    bool rtsDropped = false;
    for (auto it = log.rbegin(); it != log.rend(); ++it)
        if (it->kind == VirtualBoard::LogEntry::Kind::Line && it->line.rfind("RTS=", 0) == 0) {
            rtsDropped = it->line == "RTS=0";
            break;
        }
    EXPECT_TRUE(rtsDropped);
    // After the erase the update leaves the firmware incomplete, and says so.
    const std::vector<std::string> lines = r.ErrLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "lcdkonfig-cli: interrupted");
    EXPECT_EQ(lines.back().rfind("lcdkonfig-cli: Die Firmware der LCD-Platine ist unvollständig", 0), 0u) << r.Err;
    EXPECT_EQ(r.Err.find("ComPortError"), std::string::npos) << r.Err;
}
