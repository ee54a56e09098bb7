// lcdkonfig-cli read and faults through the program's entry point, against the virtual
// board in virtual time: what goes over the wire, the files written, standard output
// and error, the backup every read leaves, and the exit code of each way it can fail.
#include "backups.h"
#include "cli_rig.h"
#include "config_file.h"
#include "fault_texts.h"

using namespace clitest;

namespace {

// The parameter set a download from the board leaves.
ParameterSet AsDownloaded(const ConfigBoard& config)
{
    ParameterSet params;
    params.Values = config.Values;
    params.SerialNumber = config.SerialNumber;
    params.DeviceMark = config.DeviceMark;
    params.DeviceType = config.DeviceType;
    params.BoardVersionText = config.VersionText;
    return params;
}

std::string Windows(const std::string& text) { return WithCrLf(ToWindows1252(text)); }

class ReadTest : public Cli {};

}  // namespace

TEST_F(ReadTest, ReadWritesTheBoardsSetItsCompanionAndFaultsAndLeavesABackup)
{
    const Result r = Run({"-p", "virtuell", "read", "-o", Path("board.lcd"), "--faults", Path("faults.txt")});
    ASSERT_EQ(r.Code, 0) << r.Err;
    // Reset pulse, ping, 0xA5 0xAB: the download and nothing else.
    EXPECT_EQ(Received(), "\xBA\xA5\xAB");
    const ParameterSet expected = AsDownloaded(Config());
    EXPECT_EQ(Bytes(Path("board.lcd")), Windows(LcdFileText(expected)));
    EXPECT_EQ(Bytes(Path("board.txt")), Windows(CompanionFileText(expected)));

    // The fault export as the window writes it: header, empty line, newest record first.
    const std::string faults = Bytes(Path("faults.txt"));
    EXPECT_EQ(faults.rfind("Tage\tStd\tMin\tSek\tFehler\r\n\r\n", 0), 0u);
    const uint32_t newest = Config().FaultTimes[kBoardFaultRecords - 1];
    const FaultTime t = SplitFaultTime(newest);
    const std::string firstRecord = std::to_string(t.Days) + "\t" + std::to_string(t.Hours) + "\t"
                                    + std::to_string(t.Minutes) + "\t" + std::to_string(t.Seconds) + "\t"
                                    + ToWindows1252(FaultText(uint8_t(Config().FaultCodes[kBoardFaultRecords - 1])))
                                    + "\r\n";
    EXPECT_NE(faults.find("\r\n\r\n" + firstRecord), std::string::npos);
    EXPECT_EQ(std::count(faults.begin(), faults.end(), '\n'), 2 + 36);

    // The backup: the four files under the serial number, stamped with the moment.
    const std::string stamp = BackupStamp(now);
    EXPECT_EQ(BackupFiles(), (std::vector<std::string>{stamp + "-fehlerspeicher.txt", stamp + ".info",
                                                       stamp + ".lcd", stamp + ".txt"}));
    const fs::path backup = StateFolder() / "0001" / (stamp + ".lcd");
    EXPECT_EQ(Bytes(backup.string()), Windows(LcdFileText(expected)));
    EXPECT_EQ(Bytes((StateFolder() / "0001" / (stamp + "-fehlerspeicher.txt")).string()), faults);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: backup: " + backup.string()));
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: written: " + Path("board.lcd") + ", " + Path("board.txt")));
    EXPECT_EQ(r.Out, "");
}

TEST_F(ReadTest, ProgressIsOneLinePerPhaseAndTenPercentWithoutATerminalAndABarOnOne)
{
    Result r = Run({"-p", "virtuell", "read", "-o", "-"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    const std::string phase = "lcdkonfig-cli: Konfiguration und Fehlerspeicher lesen";
    // The bar shows fields / 30: 10 % steps up to 70, then 100 once everything is in.
    std::vector<std::string> expected = {phase};
    for (int p : {10, 20, 30, 40, 50, 60, 70, 100})
        expected.push_back(phase + " " + std::to_string(p) + " %");
    expected.push_back("lcdkonfig-cli: Daten gelesen");
    std::vector<std::string> lines = r.ErrLines();
    ASSERT_GE(lines.size(), expected.size());
    lines.resize(expected.size());
    EXPECT_EQ(lines, expected);
    // -o -: the .lcd file's bytes on standard output.
    EXPECT_EQ(r.Out, Windows(LcdFileText(AsDownloaded(Config()))));

    errIsTerminal = true;
    r = Run({"-p", "virtuell", "read", "-o", Path("x.lcd")});
    ASSERT_EQ(r.Code, 0);
    EXPECT_NE(r.Err.find("\r\033[KKonfiguration und Fehlerspeicher lesen [#####################.........] 70 %"),
              std::string::npos);
    EXPECT_NE(r.Err.find("[##############################] 100 %\n"), std::string::npos);

    // -q: nothing but errors.
    errIsTerminal = false;
    r = Run({"-q", "-p", "virtuell", "read", "-o", Path("y.lcd")});
    EXPECT_EQ(r.Code, 0);
    EXPECT_EQ(r.Err, "");
}

TEST_F(ReadTest, ReadWithoutOutputListsValuesInTheEditorsUnitsAndTheFaults)
{
    Result r = Run({"-p", "virtuell", "read"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out.rfind("serial number  0001\ndevice mark    DEM\ndevice type    3\nfirmware       7.5\n", 0), 0u);
    EXPECT_NE(r.Out.find("\n  1          90  Timing / Vorheizzeit: (EditVorheizzeit): 90 sek\n"), std::string::npos);
    EXPECT_NE(r.Out.find("\n 95           0  no editor\n"), std::string::npos);
    EXPECT_NE(r.Out.find("\nTage\tStd\tMin\tSek\tFehler\n\n"), std::string::npos);

    r = Run({"-p", "virtuell", "--json", "read"});
    ASSERT_EQ(r.Code, 0);
    EXPECT_EQ(r.Out.rfind("{\"serial\":\"0001\",\"mark\":\"DEM\",\"device_type\":3,\"firmware\":\"7.5\","
                          "\"config_version\":2,\"values\":[25,90,10,",
                          0),
              0u);
    EXPECT_NE(r.Out.find("\"faults\":[\n  {\"entry\":1,"), std::string::npos);
}

TEST_F(ReadTest, FaultsComeAsTextCsvOrJsonInTheWindowsOrder)
{
    Result r = Run({"-p", "virtuell", "faults", "--format", "csv"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    std::istringstream csv(r.Out);
    std::string header, first;
    std::getline(csv, header);
    std::getline(csv, first);
    EXPECT_EQ(header, "Nr,Tage,Std,Min,Sek,Code,Fehler");
    const FaultTime t = SplitFaultTime(Config().FaultTimes[kBoardFaultRecords - 1]);
    EXPECT_EQ(first, "1," + std::to_string(t.Days) + "," + std::to_string(t.Hours) + "," + std::to_string(t.Minutes)
                         + "," + std::to_string(t.Seconds) + ",25,U-HZ hat den Maximalwert überschritten.");
    EXPECT_EQ(std::count(r.Out.begin(), r.Out.end(), '\n'), 1 + 36);
    // A text with a comma is quoted.
    EXPECT_NE(r.Out.find(",2,\"PTT während der Vorheizzeit eingeschaltet, nur Meldung.\"\n"), std::string::npos);

    r = Run({"-p", "virtuell", "faults", "--format", "json"});
    ASSERT_EQ(r.Code, 0);
    EXPECT_EQ(r.Out.rfind("[\n  {\"entry\":1,\"time\":" + std::to_string(Config().FaultTimes[kBoardFaultRecords - 1]), 0), 0u);
    EXPECT_EQ(r.Out.substr(r.Out.size() - 4), "}\n]\n");

    r = Run({"-p", "virtuell", "faults", "-o", Path("f.txt")});
    ASSERT_EQ(r.Code, 0);
    EXPECT_EQ(Bytes(Path("f.txt")).rfind("Tage\tStd\tMin\tSek\tFehler\r\n\r\n", 0), 0u);

    r = Run({"-p", "virtuell", "faults", "--format", "xml"});
    EXPECT_EQ(r.Code, 2);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: faults: --format is text, csv or json"));
}

// Each phase of the download failing: the window's message on one line, exit 4,
// nothing written, no backup.
TEST_F(ReadTest, ABoardFailingInEachPhaseEndsWithItsMessageAndExitCode4)
{
    struct Case {
        const char* name;
        std::function<void(ConfigBoard&, VirtualBoard&)> fault;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"reset line", [](ConfigBoard&, VirtualBoard& b) { b.ResetAnswer.mode = LineBehaviour::Mode::Never; },
         "Keine Rückmeldung vom \"Reset\"-Befehl \"ein\" erhalten! Datenübertragung abgebrochen!"},
        {"ping", [](ConfigBoard& c, VirtualBoard&) { c.Ping.mode = PingBehaviour::Mode::NoAnswer; },
         "Gerät antwortet nicht! Mögliche Gründe, z.B.: Test-Jumper auf Platine vergessen. "
         "Netzkabel nicht entfernt. Noch keine Firmware geladen."},
        {"block", [](ConfigBoard& c, VirtualBoard&) { c.Faults.SilentAfter = 900; },
         "Datenübertragungsfehler! Zeitüberschreitung."},
        {"version", [](ConfigBoard& c, VirtualBoard&) { c.ConfigVersion = 3; },
         "Datenübertragungsfehler! Falsches Kontrollzeichen empfangen. Firmware in LCD-Platine vermutlich nicht kompatibel."},
        {"language", [](ConfigBoard& c, VirtualBoard&) { c.Language = 2; },
         "Datenübertragungsfehler! Ungültiges Sprach-Kontrollzeichen empfangen."},
        {"version text", [](ConfigBoard& c, VirtualBoard&) { c.Faults.StopAfterDeviceType = true; },
         "Datenübertragungsfehler! Zeitüberschreitung."},
    };
    for (const Case& c : cases) {
        SetUp();
        c.fault(Config(), Wire());
        const Result r = Run({"-p", "virtuell", "read", "-o", Path("board.lcd")});
        EXPECT_EQ(r.Code, 4) << c.name;
        EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: " + c.message)) << c.name << "\n" << r.Err;
        EXPECT_FALSE(fs::exists(Path("board.lcd"))) << c.name;
        EXPECT_FALSE(fs::exists(StateFolder())) << c.name;
        TearDown();
    }
}

TEST_F(ReadTest, APortThatCannotBeOpenedOrFoundIsExitCode3)
{
    Result r = Run({"-p", Path("no-such-tty"), "read"});
    EXPECT_EQ(r.Code, 3);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: ComPortError:  " + Path("no-such-tty") + " ! Der Port kann nicht geöffnet werden."))
        << r.Err;
    // The cause only with -v.
    EXPECT_EQ(r.Err.find("gone"), std::string::npos);
    r = Run({"-v", "-p", Path("no-such-tty"), "read"});
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: " + Path("no-such-tty")
                         + ": the device is gone (unplugged, or its driver was removed)."))
        << r.Err;

    // No board converter among the PC's devices: the search says so.
    variables.erase("LCDKONFIG_VIRTUAL_BOARD");
    board.reset();
    r = Run({"read"});
    EXPECT_EQ(r.Code, 3);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: USB-Port der LCD-Platine nicht gefunden!")) << r.Err;
    r = Run({"-p", "virtuell", "read"});
    EXPECT_EQ(r.Code, 3);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: the port virtuell is there only with LCDKONFIG_VIRTUAL_BOARD=1"));
}

TEST_F(ReadTest, TheSearchOrLcdkonfigPortFindsTheBoardWithoutDashP)
{
    Result r = Run({"read", "-o", Path("a.lcd")});
    EXPECT_EQ(r.Code, 0) << r.Err;
    variables["LCDKONFIG_PORT"] = "virtuell";
    MakeDiscovery = [] { return std::make_unique<OneOrdinaryPort>(); };
    r = Run({"-v", "read", "-o", Path("b.lcd")});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: port virtuell open"));
}

TEST_F(ReadTest, WithDashVAFailureAlsoTellsTheLastBytesOnTheWire)
{
    Config().Language = 7;
    const Result r = Run({"-v", "-p", "virtuell", "read"});
    EXPECT_EQ(r.Code, 4);
    // The board's last bytes: language 07 after the version 02, nothing more asked.
    bool told = false;
    for (const std::string& line : r.ErrLines())
        if (line.rfind("lcdkonfig-cli: last bytes sent: BA A5 AB; received: ", 0) == 0)
            told = line.size() >= 5 && line.substr(line.size() - 5) == "02 07";
    EXPECT_TRUE(told) << r.Err;
}

TEST_F(ReadTest, ABackupThatCannotBeWrittenIsOneLineAndTheReadStillSucceeds)
{
    // The state folder is a file: nothing can go below it.
    Put("state", "not a folder");
    const Result r = Run({"-p", "virtuell", "read", "-o", Path("board.lcd")});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(Bytes(Path("board.lcd")), Windows(LcdFileText(AsDownloaded(Config()))));
    int backupLines = 0;
    for (const std::string& line : r.ErrLines())
        backupLines += line.rfind("lcdkonfig-cli: backup", 0) == 0;
    EXPECT_EQ(backupLines, 1);
    EXPECT_NE(r.Err.find("lcdkonfig-cli: backup not written: " + (StateFolder() / "0001").string() + ": "),
              std::string::npos)
        << r.Err;
}

TEST_F(ReadTest, CtrlCDuringAReadEndsItAsAFailureWithExitCode130)
{
    InterruptWhen = [this] { return Wire().BytesSent().size() > 3000; };
    const Result r = Run({"-p", "virtuell", "read", "-o", Path("board.lcd")});
    EXPECT_EQ(r.Code, 130);
    EXPECT_EQ(r.ErrLines().back(), "lcdkonfig-cli: interrupted");
    // No port error is shown for it, nothing is written, the port is closed.
    EXPECT_EQ(r.Err.find("ComPortError"), std::string::npos);
    EXPECT_FALSE(fs::exists(Path("board.lcd")));
    EXPECT_FALSE(fs::exists(StateFolder()));
    EXPECT_FALSE(Wire().Active());
}

TEST_F(ReadTest, TraceWritesTheWireToAFileAndAFileThatCannotBeOpenedIsSaid)
{
    Result r = Run({"-p", "virtuell", "--trace", Path("trace.txt"), "read", "-o", Path("a.lcd")});
    ASSERT_EQ(r.Code, 0) << r.Err;
    const std::string trace = Bytes(Path("trace.txt"));
    EXPECT_NE(trace.find(" open virtuell\n"), std::string::npos) << trace;
    EXPECT_NE(trace.find(" >> BA\n"), std::string::npos);
    EXPECT_NE(trace.find(" >> AB\n"), std::string::npos);
    EXPECT_NE(trace.find(" << AF\n"), std::string::npos);

    r = Run({"-p", "virtuell", "--trace", Path("no/such/folder/trace.txt"), "read", "-o", Path("b.lcd")});
    EXPECT_EQ(r.Code, 0);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: trace file " + Path("no/such/folder/trace.txt")
                         + " cannot be opened; going on without a trace"))
        << r.Err;
}

// The causes come through the core's diagnostics: only with -v, each as one line of
// this program, and nothing of them on the window's "lcdkonfig: " prefix.
TEST_F(ReadTest, TheCauseOfAWrongEchoIsOneLineWithDashVAndNothingWithout)
{
    const std::vector<std::pair<std::vector<std::string>, bool>> runs = {
        {{"-v", "-p", "virtuell", "write", "last", "--yes", "--no-backup"}, true},
        {{"-p", "virtuell", "write", "last", "--yes", "--no-backup"}, false},
    };
    ASSERT_EQ(Run({"-p", "virtuell", "read"}).Code, 0);
    for (const auto& [args, verbose] : runs) {
        Config().Faults.WrongEchoAt = 0;
        const Result r = Run(args);
        EXPECT_EQ(r.Code, 4) << r.Err;
        // The first digit goes out, its echo comes back with every bit inverted.
        bool told = false;
        for (const std::string& line : r.ErrLines())
            if (line.rfind("lcdkonfig-cli: echo: expected 0x", 0) == 0) {
                const unsigned expected = std::stoul(line.substr(32, 2), nullptr, 16);
                const unsigned received = std::stoul(line.substr(line.size() - 2), nullptr, 16);
                told = (expected ^ received) == 0xFF;
            }
        EXPECT_EQ(told, verbose) << r.Err;
        EXPECT_EQ(r.Err.find("lcdkonfig: "), std::string::npos) << r.Err;
    }
}
