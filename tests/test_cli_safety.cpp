// lcdkonfig-cli and the safety check: write refuses a set with findings (exit 7) and
// sends nothing, --force writes it after the listing, --dry-run only lists, check
// lists a file's findings (with --board also against the board), "last" is the
// board's own newest backup, a backup that cannot be written stops the change, and
// Ctrl-C once the board is storing says how to find out what it holds.
#include "backups.h"
#include "cli_rig.h"
#include "config_file.h"
#include "parameter_set.h"
#include "service_options.h"

using namespace clitest;

namespace {

class SafetyTest : public Cli {
protected:
    // The board's own values with `change` made, as a .lcd file of board 0001.
    std::string SetFile(const std::string& name, const std::function<void(ParameterSet&)>& change = {})
    {
        ParameterSet set;
        set.Values = Config().Values;
        set.SerialNumber = "0001";
        set.DeviceMark = "DEM";
        set.DeviceType = 3;
        if (change)
            change(set);
        Put(name, WithCrLf(ToWindows1252(LcdFileText(set))));
        return Path(name);
    }
    // The hand-edited file: MaxSWR 20.0, UA max 999999 V, I-Anode max sofort -5 and
    // a check box of 7.
    std::string UnsafeFile()
    {
        return SetFile("unsafe.lcd", [](ParameterSet& s) {
            s.Values[0] = 200;
            s.Values[21] = 999999;
            s.Values[10] = -5;
            s.Values[42] = 7;
        });
    }
    const std::vector<std::string> kUnsafeFindings = {
        "lcdkonfig-cli: Fehler:  10  Grenzwerte allgemein / I-Anode max sofort (Edit_IA_MaxSofort) = 4294967291 mA: "
        "Gültige Eingaben sind 1 mA bis 65000 mA !",
        "lcdkonfig-cli: Fehler:  21  Grenzwerte allgemein / Anode: (EditUAmax) = 999999 V: "
        "Gültige Eingaben sind 1 V bis 65000 V !",
        "lcdkonfig-cli: Fehler:   0  Grenzwerte allgemein / MaxSWR: (EditMaxSWR) = 20.0: "
        "Gültige Eingaben sind 1.5 bis 10.0 !",
        "lcdkonfig-cli: Fehler:  42  Allgemeines / IA-Mittelwert anzeigen: (CheckBox4) = ja: ein Kästchen hält 0 oder 1, nicht 7",
    };
    bool HasAll(const Result& r, const std::vector<std::string>& lines)
    {
        for (const std::string& line : lines)
            if (!r.ErrHas(line)) {
                ADD_FAILURE() << "missing: " << line << "\n" << r.Err;
                return false;
            }
        return true;
    }
    static constexpr const char* kDownload = "\xBA\xA5\xAB";
};

}  // namespace

TEST_F(SafetyTest, WriteRefusesAnUnsafeSetWithExit7AndForceWritesItAfterTheListing)
{
    const std::string file = UnsafeFile();
    const std::array<int32_t, kValueCount> before = Config().Values;
    Result r = Run({"-p", "virtuell", "write", file, "--yes"});
    EXPECT_EQ(r.Code, 7) << r.Err;
    EXPECT_TRUE(HasAll(r, kUnsafeFindings));
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: the set failed the safety check; nothing sent (--force writes it all the same)"));
    // The board was read (and backed up); nothing went to it after that.
    EXPECT_EQ(Received(), kDownload);
    EXPECT_EQ(Config().Uploads(), 0);
    EXPECT_EQ(Config().Values, before);
    EXPECT_EQ(BackupFiles().size(), 4u);  // one backup: .lcd, .txt and the fault memory

    r = Run({"-p", "virtuell", "write", file, "--yes", "--force"});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_TRUE(HasAll(r, kUnsafeFindings));
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: the set failed the safety check; written all the same (--force)"));
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: verified: the board holds every value written"));
    EXPECT_EQ(Config().Uploads(), 1);
    EXPECT_EQ(Config().Values[0], 200);
    EXPECT_EQ(Config().Values[21], 999999);
}

TEST_F(SafetyTest, DryRunReadsTheBoardListsChangesAndFindingsAndSendsNothing)
{
    struct Case {
        std::function<std::string()> file;
        int code;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {[this] { return UnsafeFile(); }, 7, kUnsafeFindings},
        {[this] { return SetFile("clean.lcd", [](ParameterSet& s) { s.Values[1] = 120; }); }, 0,
         {"lcdkonfig-cli:   1  Timing / Vorheizzeit: (EditVorheizzeit): 90 -> 120 (90 sek -> 120 sek)"}},
        // Against the board: I-Anode max sofort 1100 -> 11000 mA, Max IG1 switched off.
        {[this] { return SetFile("slip.lcd", [](ParameterSet& s) { s.Values[10] = 11000; s.Values[82] = 0; }); }, 7,
         {"lcdkonfig-cli: Warnung:  82  Grenzwerte allgemein / Max IG1 (0=abgeschaltet) (Edit_MaxIG1) = 0 mA: "
          "abgeschaltet; im Gerät eingeschaltet mit 60 mA",
          "lcdkonfig-cli: Warnung:  10  Grenzwerte allgemein / I-Anode max sofort (Edit_IA_MaxSofort) = 11000 mA: "
          "mehr als um den Faktor zwei geändert; im Gerät 1100 mA"}},
    };
    for (const Case& c : cases) {
        SetUp();
        const std::string file = c.file();
        // No terminal and no --yes: a dry run asks nothing.
        const Result r = Run({"-p", "virtuell", "write", file, "--dry-run"});
        EXPECT_EQ(r.Code, c.code) << file << r.Err;
        EXPECT_TRUE(HasAll(r, c.lines)) << file;
        EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: dry run: nothing sent")) << file;
        EXPECT_EQ(Received(), kDownload) << file;
        EXPECT_EQ(Config().Uploads(), 0) << file;
    }
}

TEST_F(SafetyTest, WriteLastTakesTheNewestBackupOfTheBoardConnected)
{
    // Board 0001 read at 08:00, board 0042 a minute later: the newest backup is 0042's.
    const std::array<int32_t, kValueCount> board0001 = Config().Values;
    ASSERT_EQ(Run({"-p", "virtuell", "read", "-o", Path("a.lcd")}).Code, 0);
    Config().SerialNumber = "0042";
    Config().Values[1] = 300;
    now += 60;
    ASSERT_EQ(Run({"-p", "virtuell", "read", "-o", Path("b.lcd")}).Code, 0);
    ASSERT_EQ(ListBackups(StateFolder().string()).front().Serial, "0042");

    // Board 0001 again, changed since its backup.
    Config().SerialNumber = "0001";
    Config().Values[1] = 91;
    now += 60;
    Result r = Run({"-p", "virtuell", "write", "last", "--yes", "--no-verify"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(Config().Values, board0001);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli:   1  Timing / Vorheizzeit: (EditVorheizzeit): 91 -> 90 (91 sek -> 90 sek)"))
        << r.Err;

    // Another board's backup, named: a warning like any other serial mismatch.
    r = Run({"-p", "virtuell", "write", "last:0042", "--yes"});
    EXPECT_EQ(r.Code, 7) << r.Err;
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: Warnung: Satz für Seriennummer 0042, das Gerät hat 0001")) << r.Err;
    EXPECT_EQ(Config().Uploads(), 1);
}

TEST_F(SafetyTest, CheckListsTheFindingsOfTheFileAloneOrWithTheBoard)
{
    Result r = Run({"check", UnsafeFile()});
    EXPECT_EQ(r.Code, 7);
    EXPECT_NE(r.Out.find("  safety check   4 findings:\n"
                         "    Fehler:   0  Grenzwerte allgemein / MaxSWR: (EditMaxSWR) = 20.0: "
                         "Gültige Eingaben sind 1.5 bis 10.0 !\n"),
              std::string::npos)
        << r.Out;
    EXPECT_TRUE(Wire().Log().empty());

    Put("hex.lcd", "2\r\n25\r\n0x10\r\n");
    r = Run({"check", Path("hex.lcd")});
    EXPECT_EQ(r.Code, 7);
    EXPECT_NE(r.Out.find("  values         2 of 120 (line 3: 0x10 is no whole number)\n"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("Fehler: die Datei enthält nur 2 von 120 Werten: Zeile 3: \"0x10\" ist keine ganze Zahl"),
              std::string::npos)
        << r.Out;

    // A set of board 0042 passes alone and fails against board 0001.
    const std::string other = SetFile("other.lcd", [](ParameterSet& s) { s.SerialNumber = "0042"; });
    EXPECT_EQ(Run({"check", other}).Code, 0);
    r = Run({"-p", "virtuell", "check", other, "--board"});
    EXPECT_EQ(r.Code, 7) << r.Err;
    EXPECT_NE(r.Out.find("  safety check   1 finding (with the board):\n"
                         "    Warnung: Satz für Seriennummer 0042, das Gerät hat 0001\n"),
              std::string::npos)
        << r.Out;
    r = Run({"--json", "check", UnsafeFile()});
    EXPECT_NE(r.Out.find("{\"level\":\"error\",\"rule\":\"range\",\"index\":0,\"dialog\":\"Grenzwerte allgemein\","
                         "\"field\":\"EditMaxSWR\",\"value\":\"20.0\",\"text\":\"Gültige Eingaben sind 1.5 bis 10.0 !\"}"),
              std::string::npos)
        << r.Out;
}

TEST_F(SafetyTest, ABackupThatCannotBeWrittenStopsWriteFlashAndServiceBeforeTheyChangeTheBoard)
{
    const std::string sample = (fs::path(LCD_SAMPLES_DIR) / "sample_firmware.mot").string();
    const std::vector<std::vector<std::string>> commands = {
        {"write", Path("clean.lcd")},
        {"flash", sample},
        {"service", "--word", kServiceWord, "clear-faults"},
    };
    for (const std::vector<std::string>& command : commands) {
        SetUp();
        if (command[0] == "write")
            SetFile("clean.lcd", [](ParameterSet& s) { s.Values[1] = 120; });
        // The state folder is a file: no backup can be written under it.
        Put("state", "a file\n");
        std::vector<std::string> args = {"-p", "virtuell"};
        args.insert(args.end(), command.begin(), command.end());
        args.push_back("--yes");
        Result r = Run(args);
        EXPECT_EQ(r.Code, 6) << command[0] << r.Err;
        EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: stopped before the board was changed; --no-backup goes on without a backup"))
            << command[0] << r.Err;
        EXPECT_EQ(Received(), kDownload) << command[0];
        EXPECT_EQ(Config().Uploads(), 0) << command[0];

        // --no-backup goes on.
        args.push_back("--no-backup");
        r = Run(args);
        EXPECT_EQ(r.Code, 0) << command[0] << r.Err;
    }
}

TEST_F(SafetyTest, CtrlCOnceTheBoardIsStoringSaysItMayHoldTheNewValues)
{
    const std::string file = SetFile("clean.lcd", [](ParameterSet& s) { s.Values[1] = 120; });
    struct Case {
        const char* moment;
        std::function<bool()> when;
        bool mayHold;
    };
    const Case cases[] = {
        {"storing", [this] { return Received().find('\xFA') != std::string::npos; }, true},
        {"values", [this] { return Received().find("120_") != std::string::npos; }, false},
    };
    for (const Case& c : cases) {
        SetUp();
        SetFile("clean.lcd", [](ParameterSet& s) { s.Values[1] = 120; });
        InterruptWhen = c.when;
        const Result r = Run({"-p", "virtuell", "write", file, "--yes"});
        EXPECT_EQ(r.Code, 130) << c.moment << r.Err;
        const std::string line = "lcdkonfig-cli: the board may hold the new values already; lcdkonfig-cli diff " + file
                                 + " board tells";
        EXPECT_EQ(r.ErrHas(line), c.mayHold) << c.moment << r.Err;
        EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: interrupted")) << c.moment;
    }
}
