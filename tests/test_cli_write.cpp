// lcdkonfig-cli write through the program's entry point, against the virtual board in
// virtual time: the backup read first, the list of changes, the upload on the wire,
// the read-back, and the refusals and failures with their exit codes.
#include "backups.h"
#include "cli_rig.h"
#include "config_file.h"

using namespace clitest;

namespace {

std::string Windows(const std::string& text) { return WithCrLf(ToWindows1252(text)); }

class WriteTest : public Cli {
protected:
    // A file holding the board's demo values with some changed.
    std::string ChangedFile(const std::string& name)
    {
        ParameterSet set;
        set.Values = Config().Values;
        set.Values[1] = 120;   // pre-heat time, seconds
        set.Values[2] = 30;    // PTT minimum time, 2 ms units
        set.Values[100] = 7;   // carried, no editor
        set.SerialNumber = "0001";
        set.DeviceMark = "DEM";
        set.DeviceType = 3;
        Put(name, Windows(LcdFileText(set)));
        expected = set.Values;
        return Path(name);
    }
    std::array<int32_t, kValueCount> expected{};
};

// What the board receives of an upload of `values`: 0xA5 0xA8, then every value as
// decimal text ended by "_", then 0xFA.
std::string UploadBytes(const std::array<int32_t, kValueCount>& values)
{
    std::string bytes = "\xA5\xA8";
    for (int32_t v : values)
        bytes += std::to_string(v) + "_";
    return bytes + "\xFA";
}

}  // namespace

TEST_F(WriteTest, WriteReadsAndBacksUpTheBoardListsTheChangesWritesAndVerifies)
{
    const std::string file = ChangedFile("new.lcd");
    const Result r = Run({"-p", "virtuell", "write", file, "--yes"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(Config().Values, expected);
    EXPECT_EQ(Config().Uploads(), 1);
    // Download (the backup), upload with its reset and ping, download (the read-back).
    EXPECT_EQ(Received(), "\xBA\xA5\xAB" + std::string("\xBA") + UploadBytes(expected) + "\xBA\xA5\xAB");

    const std::string backup = (StateFolder() / "0001" / (BackupStamp(now) + ".lcd")).string();
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: backup: " + backup)) << r.Err;
    // The backup is the board before the write; the read-back leaves none of its own.
    EXPECT_NE(Bytes(backup).find("\r\n90\r\n"), std::string::npos);
    EXPECT_EQ(BackupFiles().size(), 4u);

    // The changes: index, dialog and field, raw values and the editor's units.
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: 3 values change:"));
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli:   1  Timing / Vorheizzeit: (EditVorheizzeit): 90 -> 120 (90 sek -> 120 sek)"));
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli:   2  Timing / PttMindestTastZeit: (EditPttMinTastZeit): 10 -> 30 (20 ms -> 60 ms)"));
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: 100  no editor: 0 -> 7"));
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: Programmiert"));
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: verified: the board holds every value written"));
    EXPECT_EQ(r.Out, "");
}

TEST_F(WriteTest, WithoutATerminalWriteRefusesUnlessYesAndTouchesNothing)
{
    const std::string file = ChangedFile("new.lcd");
    const Result r = Run({"-p", "virtuell", "write", file});
    EXPECT_EQ(r.Code, 2);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: write: standard input is no terminal to ask on; give --yes to go ahead "
                         "without asking"));
    EXPECT_TRUE(Wire().Log().empty());
    EXPECT_FALSE(Wire().Active());
    EXPECT_FALSE(fs::exists(StateFolder()));
}

TEST_F(WriteTest, OnATerminalTheWindowsQuestionIsAskedAndOnlyYesWrites)
{
    const std::string file = ChangedFile("new.lcd");
    inIsTerminal = true;
    Result r = Run({"-p", "virtuell", "write", file, "--no-verify"}, "n\n");
    EXPECT_EQ(r.Code, 130);
    EXPECT_NE(r.Err.find("lcdkonfig-cli: Daten übertragen? [j/N] "), std::string::npos);
    // (The answer's line end is the terminal's echo; here the next line follows at once.)
    EXPECT_NE(r.Err.find("[j/N] lcdkonfig-cli: stopped: the question was answered no\n"), std::string::npos);
    EXPECT_EQ(Config().Uploads(), 0);
    // The question comes after the reset and the ping, as in the window; no 0xA8 went.
    EXPECT_EQ(Received(), "\xBA\xA5\xAB\xBA");

    r = Run({"-p", "virtuell", "write", file, "--no-verify"}, "j\n");
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(Config().Uploads(), 1);
    EXPECT_EQ(Config().Values, expected);
}

TEST_F(WriteTest, AReadBackThatDiffersIsExitCode5AndNamesTheValues)
{
    const std::string file = ChangedFile("new.lcd");
    // The board stores one value wrongly, though it confirmed.
    OnSleep = [this](int) {
        if (Config().Uploads() == 1 && Config().Values[2] == 30)
            Config().Values[2] = 31;
    };
    const Result r = Run({"-p", "virtuell", "write", file, "--yes"});
    EXPECT_EQ(r.Code, 5) << r.Err;
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: read-back: 1 value differs from those written (written -> read):"));
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli:   2  Timing / PttMindestTastZeit: (EditPttMinTastZeit): 30 -> 31 (60 ms -> 62 ms)"));
}

TEST_F(WriteTest, AFailingUploadIsExitCode4WithTheWindowsMessage)
{
    const std::string file = ChangedFile("new.lcd");
    Config().Faults.WrongEchoAt = 0;
    Result r = Run({"-p", "virtuell", "write", file, "--yes"});
    EXPECT_EQ(r.Code, 4);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: Datenübertragungsfehler!  Fehlercode 1 Falsches Antwortbyte.")) << r.Err;
    EXPECT_EQ(Config().Uploads(), 0);

    SetUp();
    Config().Faults.NoConfirmation = true;
    r = Run({"-p", "virtuell", "write", ChangedFile("new.lcd"), "--yes", "--no-backup"});
    EXPECT_EQ(r.Code, 4);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: Programmierfehler!  Fehlercode 8 Zeitüberschreitung.")) << r.Err;
    // --no-backup: the board is read first all the same, and not backed up.
    EXPECT_EQ(Received().substr(0, 4), "\xBA\xA5\xAB\xBA");
    EXPECT_FALSE(fs::exists(StateFolder()));
}

TEST_F(WriteTest, ARefusedFileIsExitCode6BeforeTheBoardIsTouched)
{
    Put("bad.lcd", "kein Parametersatz\r\n");
    Result r = Run({"-p", "virtuell", "write", Path("bad.lcd"), "--yes"});
    EXPECT_EQ(r.Code, 6);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: " + Path("bad.lcd") + ": Datei kann nicht geöffnet werden!")) << r.Err;
    r = Run({"-p", "virtuell", "write", Path("missing.lcd"), "--yes"});
    EXPECT_EQ(r.Code, 6);
    // Another configuration version is asked about; without a terminal the answer is no.
    Put("old.lcd", "1\r\n15\r\n");
    r = Run({"-p", "virtuell", "write", Path("old.lcd")});
    EXPECT_EQ(r.Code, 6);
    EXPECT_NE(r.Err.find("lcdkonfig-cli: Datei gehört zu einer anderen Konfigurationsversion! Einträge können "
                         "fehlerhaft sein! Trotzdem laden? -- no"),
              std::string::npos)
        << r.Err;
    r = Run({"-p", "virtuell", "write", "last"});
    EXPECT_EQ(r.Code, 6);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: no backup in " + StateFolder().string()));
    EXPECT_TRUE(Wire().Log().empty());
}

TEST_F(WriteTest, LastRestoresTheNewestBackupOfTheBoard)
{
    // A read leaves the backup; then the board is changed behind the program's back.
    ASSERT_EQ(Run({"-p", "virtuell", "read", "-o", Path("x.lcd")}).Code, 0);
    const std::array<int32_t, kValueCount> before = Config().Values;
    Config().Values[1] = 5;
    Config().Values[44] = 6;
    now += 60;
    const Result r = Run({"-p", "virtuell", "write", "last:0001", "--yes"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(Config().Values, before);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli:   1  Timing / Vorheizzeit: (EditVorheizzeit): 5 -> 90 (5 sek -> 90 sek)"));
    // The write backed up the changed board first: two backups now.
    EXPECT_EQ(ListBackups(StateFolder().string()).size(), 2u);
}

TEST_F(WriteTest, AShortFileIsRefusedAndWithForceChangesOnlyTheValuesItHolds)
{
    Put("short.lcd", "2\r\n25\r\n77\r\n");
    const std::array<int32_t, kValueCount> before = Config().Values;
    Result r = Run({"-p", "virtuell", "write", Path("short.lcd"), "--yes", "--no-verify"});
    EXPECT_EQ(r.Code, 6) << r.Err;
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: Fehler: die Datei enthält nur 2 von 120 Werten: die Datei endet")) << r.Err;
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: " + Path("short.lcd")
                         + ": the file holds 2 of 120 values; nothing sent (--force takes the others from the board)"));
    EXPECT_EQ(Config().Uploads(), 0);
    EXPECT_EQ(Received(), "\xBA\xA5\xAB");

    // With --force (and without a backup) the others are the board's, never the
    // program's start values: on the wire the board's values with entry 1 changed.
    std::array<int32_t, kValueCount> wanted = before;
    wanted[1] = 77;
    for (const char* backup : {"", "--no-backup"}) {
        SetUp();
        Put("short.lcd", "2\r\n25\r\n77\r\n");
        std::vector<std::string> args = {"-p", "virtuell", "write", Path("short.lcd"), "--yes", "--force"};
        if (*backup)
            args.push_back(backup);
        r = Run(args);
        ASSERT_EQ(r.Code, 0) << backup << r.Err;
        EXPECT_EQ(Config().Values, wanted) << backup;
        EXPECT_EQ(Received(), "\xBA\xA5\xAB" + std::string("\xBA") + UploadBytes(wanted) + "\xBA\xA5\xAB") << backup;
        EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: 1 value changes:")) << backup;
        EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: verified: the board holds every value written")) << backup;
        EXPECT_EQ(fs::exists(StateFolder()), !*backup) << backup;
    }
}
