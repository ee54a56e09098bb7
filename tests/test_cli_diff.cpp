// lcdkonfig-cli diff: two sets from files or the board, compared index by index with
// the editor's dialog and field, the raw values and the editor's units, and the
// identity; exit 1 when they differ.
#include "cli_rig.h"
#include "config_file.h"

using namespace clitest;

namespace {

std::string Windows(const std::string& text) { return WithCrLf(ToWindows1252(text)); }

class DiffTest : public Cli {
protected:
    std::string File(const std::string& name, const ParameterSet& set)
    {
        Put(name, Windows(LcdFileText(set)));
        return Path(name);
    }
    ParameterSet BoardSet()
    {
        ParameterSet set;
        set.Values = Config().Values;
        set.SerialNumber = Config().SerialNumber;
        set.DeviceMark = Config().DeviceMark;
        set.DeviceType = Config().DeviceType;
        return set;
    }
};

}  // namespace

TEST_F(DiffTest, EqualSetsAreExitCode0AndPrintNothing)
{
    const std::string a = File("a.lcd", BoardSet());
    const Result r = Run({"diff", a, a});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out, "");
    EXPECT_TRUE(Wire().Log().empty());
}

TEST_F(DiffTest, EachDifferenceNamesItsFieldRawValuesAndUnits)
{
    ParameterSet a = BoardSet();
    ParameterSet b = a;
    b.Values[0] = 30;     // MaxSWR, tenths
    b.Values[25] = 1;     // display language, a list
    b.Values[29] = 1;     // a service option of the main window
    b.Values[57] = 1500;  // per-band maximum power
    b.Values[95] = -4;    // no editor
    b.SerialNumber = "0\x01" "02";
    b.DeviceType = 9;
    const Result r = Run({"diff", File("a.lcd", a), File("b.lcd", b)});
    EXPECT_EQ(r.Code, 1) << r.Err;
    EXPECT_EQ(r.Out,
              "  0  Grenzwerte allgemein / MaxSWR: (EditMaxSWR): 25 -> 30 (2.5 -> 3.0)\n"
              " 25  Allgemeines / Display-Sprache: (ComboBoxSprache): 0 -> 1 (Deutsch -> Englisch)\n"
              " 29  Hauptfenster / Überwachungen abschalten (CheckBox1): 0 -> 1 (nein -> ja)\n"
              " 57  Grenzwerte Max-PWR bei Dauerträger / (Edit1): 1200 -> 1500 (1200 W -> 1500 W)\n"
              " 95  no editor: 0 -> -4\n"
              "serial number: \"0001\" -> \"0\\u000102\"\n"
              "device type: \"3\" -> \"9\"\n");

    const Result json = Run({"--json", "diff", Path("a.lcd"), Path("b.lcd")});
    EXPECT_EQ(json.Code, 1);
    EXPECT_NE(json.Out.find("{\"index\":0,\"field\":\"Grenzwerte allgemein / MaxSWR: (EditMaxSWR)\",\"a\":25,\"b\":30,"
                            "\"a_units\":\"2.5\",\"b_units\":\"3.0\"}"),
              std::string::npos)
        << json.Out;
    EXPECT_NE(json.Out.find("{\"item\":\"device type\",\"a\":\"3\",\"b\":\"9\"}"), std::string::npos);
}

TEST_F(DiffTest, AFileAgainstTheBoardReadsTheBoardOnceAndBacksItUp)
{
    ParameterSet file = BoardSet();
    file.Values[1] = 60;
    const std::string path = File("saved.lcd", file);
    Result r = Run({"-p", "virtuell", "diff", path, "board"});
    EXPECT_EQ(r.Code, 1) << r.Err;
    EXPECT_EQ(r.Out, "  1  Timing / Vorheizzeit: (EditVorheizzeit): 60 -> 90 (60 sek -> 90 sek)\n");
    EXPECT_EQ(Received(), "\xBA\xA5\xAB");
    EXPECT_EQ(BackupFiles().size(), 4u);

    r = Run({"-p", "virtuell", "diff", "board", "board"});
    EXPECT_EQ(r.Code, 0);
    EXPECT_EQ(Received(), "\xBA\xA5\xAB\xBA\xA5\xAB");  // one more read, not two

    r = Run({"diff", path, Path("missing.lcd")});
    EXPECT_EQ(r.Code, 6);
}
