// lcdkonfig-cli check, backups, ports and the command line itself: what a file holds
// or why it is refused, the backup history, the PC's ports with the board's converter
// marked, and the usage errors.
#include "backups.h"
#include "cli_rig.h"
#include "config_file.h"
#include "unsaved_sets.h"

using namespace clitest;

namespace {

const std::string kSample =
    (fs::path(LCD_SAMPLES_DIR) / "sample_firmware.mot").string();

class OfflineTest : public Cli {};

// A PC with the board's converter on /dev/ttyUSB0 beside a plain port.
class ConverterOnUsb0 : public PortDiscovery {
public:
    std::vector<std::string> SerialPorts() override { return {"/dev/ttyS0", "/dev/ttyUSB0"}; }
    std::vector<std::string> DeviceNames() override
    {
        return {"PNP0501#1", std::string(kBoardConverterPrefix) + "A9XK2Q1LA"};
    }
    ConverterPort BoardConverterPort(const std::string& converter) override
    {
        if (converter == "A9XK2Q1LA")
            return {ConverterPort::Result::Found, "/dev/ttyUSB0"};
        return {};
    }
};

}  // namespace

TEST_F(OfflineTest, CheckSaysWhatAFileHoldsOrWhyItIsRefused)
{
    Result r = Run({"check", kSample});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out, kSample + ": firmware\n  code flash  0x8000 to 0xFFFF, 128 pages\n"
                               "  data flash  0x2400 to 0x2BFF, 8 pages\n  ID code     4C 43 44 4B 4F 4E 46\n");

    // The checksum of the first data record spoilt.
    std::string bad = *ReadFileBytes(kSample);
    const size_t end = bad.find('\n', bad.find("S2"));
    bad[end - 2] = bad[end - 2] == '0' ? '1' : '0';
    Put("bad.MOT", bad);
    r = Run({"check", Path("bad.MOT")});
    EXPECT_EQ(r.Code, 6);
    EXPECT_EQ(r.Err, "lcdkonfig-cli: " + Path("bad.MOT") + ": Checksummen-Fehler!\n");

    ParameterSet set;
    set.Values = Config().Values;
    set.SerialNumber = "0042";
    set.DeviceMark = "XYZ";
    set.DeviceType = 12;
    Put("set.lcd", WithCrLf(ToWindows1252(LcdFileText(set))));
    r = Run({"check", Path("set.lcd")});
    EXPECT_EQ(r.Code, 0);
    EXPECT_EQ(r.Out, Path("set.lcd") + ": parameter set, configuration version 2\n  values         120 of 120\n"
                                       "  serial number  0042\n  device mark    XYZ\n  device type    12\n"
                                       "  safety check   passed\n");
    r = Run({"--json", "check", Path("set.lcd")});
    EXPECT_EQ(r.Out, "{\"file\":\"" + Path("set.lcd")
                         + "\",\"kind\":\"parameter set\",\"config_version\":2,\"values\":120,\"serial\":\"0042\","
                           "\"mark\":\"XYZ\",\"device_type\":12,\"findings\":[]}\n");

    // A file without all values fails the safety check (exit 7), which says why.
    Put("short.lcd", "2\r\n25\r\n2\r\n");
    r = Run({"check", Path("short.lcd")});
    EXPECT_EQ(r.Code, 7);
    EXPECT_NE(r.Out.find("  values         2 of 120 (the file ends)\n"
                         "  identity       none\n"
                         "  safety check   1 finding:\n"
                         "    Fehler: die Datei enthält nur 2 von 120 Werten: die Datei endet\n"),
              std::string::npos)
        << r.Out;

    Put("old.lcd", "1\r\n15\r\n");
    r = Run({"check", Path("old.lcd")});
    EXPECT_EQ(r.Code, 6);
    EXPECT_EQ(r.Err, "lcdkonfig-cli: " + Path("old.lcd")
                         + ": configuration version 1, not 2; the window asks before it loads it\n");
    Put("text.lcd", "Hallo\r\n");
    EXPECT_EQ(Run({"check", Path("text.lcd")}).Code, 6);
    EXPECT_EQ(Run({"check", Path("none.lcd")}).Code, 6);
}

TEST_F(OfflineTest, BackupsListsSerialTimeFirmwareAndFileNewestFirst)
{
    ParameterSet set;
    set.SerialNumber = "0001";
    set.BoardVersionText = "7.5";
    const std::string root = StateFolder().string();
    const std::string older = StoreBackup(root, set, "", "2027-01-14_10-00-00").LcdPath;
    const std::string newer = StoreBackup(root, set, "", "2027-01-15_09-30-05").LcdPath;
    set.SerialNumber = "0002";
    set.BoardVersionText = "7.14";
    const std::string other = StoreBackup(root, set, "", "2027-01-13_00-00-00").LcdPath;

    Result r = Run({"backups"});
    EXPECT_EQ(r.Code, 0);
    EXPECT_EQ(r.Out, "0001  2027-01-15 09:30:05  7.5  " + newer + "\n0001  2027-01-14 10:00:00  7.5  " + older
                         + "\n0002  2027-01-13 00:00:00  7.14  " + other + "\n");
    r = Run({"backups", "--serial", "0002"});
    EXPECT_EQ(r.Out, "0002  2027-01-13 00:00:00  7.14  " + other + "\n");
    r = Run({"--json", "backups", "--serial", "0002"});
    EXPECT_EQ(r.Out, "[\n  {\"serial\":\"0002\",\"time\":\"2027-01-13 00:00:00\",\"firmware\":\"7.14\",\"file\":\"" + other
                         + "\"}\n]\n");
    // Without XDG_STATE_HOME the history is in the home folder.
    variables.erase("XDG_STATE_HOME");
    r = Run({"backups"});
    EXPECT_EQ(r.Code, 0);
    EXPECT_EQ(r.Out, "");
}

TEST_F(OfflineTest, BackupsListsTheWindowsUnsavedSetsBesideThem)
{
    ParameterSet set;
    set.SerialNumber = "0001";
    set.BoardVersionText = "7.5";
    const std::string backup = StoreBackup(StateFolder().string(), set, "", "2027-01-14_10-00-00").LcdPath;
    const std::string unsaved = (dir / "state" / "lcdkonfig" / "unsaved").string();
    const std::string newer = StoreUnsaved(unsaved, set, "2027-01-15_18-00-00").LcdPath;
    set.SerialNumber = "0002";
    const std::string older = StoreUnsaved(unsaved, set, "2027-01-13_08-00-00").LcdPath;
    ASSERT_EQ(newer, unsaved + "/2027-01-15_18-00-00.lcd");

    Result r = Run({"backups"});
    EXPECT_EQ(r.Code, 0);
    EXPECT_EQ(r.Out, "0001  2027-01-15 18:00:00  unsaved  " + newer + "\n0001  2027-01-14 10:00:00  7.5  " + backup
                         + "\n0002  2027-01-13 08:00:00  unsaved  " + older + "\n");
    r = Run({"backups", "--serial", "0002"});
    EXPECT_EQ(r.Out, "0002  2027-01-13 08:00:00  unsaved  " + older + "\n");
    r = Run({"--json", "backups", "--serial", "0002"});
    EXPECT_EQ(r.Out, "[\n  {\"serial\":\"0002\",\"time\":\"2027-01-13 08:00:00\",\"firmware\":\"\",\"unsaved\":true,"
                     "\"file\":\"" + older + "\"}\n]\n");
}

TEST_F(OfflineTest, PortsListsThePortsAndMarksTheBoardsConverter)
{
    variables.erase("LCDKONFIG_VIRTUAL_BOARD");
    board.reset();
    MakeDiscovery = [] { return std::make_unique<ConverterOnUsb0>(); };
    Result r = Run({"ports"});
    EXPECT_EQ(r.Code, 0);
    EXPECT_EQ(r.Out, "/dev/ttyS0\n/dev/ttyUSB0  <- LCD-Platine (FTDI 0403:6001, A9XK2Q1LA)\n");
    r = Run({"--json", "ports"});
    EXPECT_EQ(r.Out, "[\n  {\"port\":\"/dev/ttyS0\",\"board\":false},\n  {\"port\":\"/dev/ttyUSB0\",\"board\":true,"
                     "\"converter\":\"A9XK2Q1LA\"}\n]\n");
    MakeDiscovery = [] { return std::make_unique<NoPorts>(); };
    r = Run({"ports"});
    EXPECT_EQ(r.Code, 3);
    EXPECT_EQ(r.Err, "lcdkonfig-cli: Keinen ComPort auf dem PC gefunden!\n");
}

TEST_F(OfflineTest, AWrongCommandLineIsExitCode2WithOneLinePointingAtTheHelp)
{
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"lesen"},
                                               {"read", "extra"},
                                               {"write"},
                                               {"diff", "a.lcd"},
                                               {"read", "--yes"},
                                               {"-q", "-v", "ports"},
                                               {"read", "-o"},
                                               {"--colour", "ports"}}) {
        const Result r = Run(args);
        EXPECT_EQ(r.Code, 2) << (args.empty() ? "(none)" : args[0]);
        EXPECT_EQ(r.ErrLines().size(), 1u) << r.Err;
        EXPECT_NE(r.Err.find(" (see lcdkonfig-cli "), std::string::npos) << r.Err;
    }
    EXPECT_EQ(Run({"read", "--yes"}).Err,
              "lcdkonfig-cli: option --yes does not belong to read (see lcdkonfig-cli read --help)\n");
    EXPECT_TRUE(Wire().Log().empty());
}

TEST_F(OfflineTest, HelpAndVersion)
{
    Result r = Run({"--help"});
    EXPECT_EQ(r.Code, 0);
    EXPECT_EQ(r.Out.rfind("Usage: lcdkonfig-cli [-p PORT] [-q|-v] [--trace FILE] [--json] [--lang de|en]\n"
                          "                     COMMAND ...\n",
                          0),
              0u);
    for (const char* line : {"  0    done", "  1    the two sets differ (diff)", "  3    no port, port busy or no permission",
                             "  4    the board did not answer or the exchange failed",
                             "  5    the read-back after write or flash found a difference",
                             "  7    the set failed the safety check", "  130  interrupted"})
        EXPECT_NE(r.Out.find(std::string("\n") + line), std::string::npos) << line;
    r = Run({"--version"});
    EXPECT_EQ(r.Out, "lcdkonfig-cli 7.9\n");
}
