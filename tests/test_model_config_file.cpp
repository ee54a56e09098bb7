#include "config_file.h"
#include "file_names.h"
#include "scripted_dialogs.h"
#include "text_file.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The main window as the file commands see it: records what they did to it.
struct RecordingHost : ConfigFileHost {
    ScriptedDialogs dialogs;
    std::vector<std::string> captions;
    std::vector<std::string> fileLabels;
    int refreshes = 0;
    std::vector<bool> editorSwitches;

    Dialogs& Messages() override { return dialogs; }
    void SetCaption(const std::string& text) override { captions.push_back(text); }
    void SetFileLabel(const std::string& text) override { fileLabels.push_back(text); }
    void RefreshMainWindow() override { ++refreshes; }
    void EnableEditorControls(bool on) override { editorSwitches.push_back(on); }
};

class ConfigFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path()
            / ("configfile_" + std::to_string(getpid()) + "_"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        params.ProgramVersion = "7.9";
        params.ValueCount = 120;
        params.DataFolder = dir.string();
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Path(const std::string& name) const { return (dir / name).string(); }
    void Put(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    std::string Get(const std::string& name) const
    {
        auto bytes = ReadFileBytes(Path(name));
        return bytes ? *bytes : "<missing>";
    }
    // A version line followed by the numbers from..from+count-1, LF line ends.
    static std::string Numbers(const std::string& first, int from, int count)
    {
        std::string text = first + "\n";
        for (int i = 0; i < count; ++i)
            text += std::to_string(from + i) + "\n";
        return text;
    }

    fs::path dir;
    ParameterSet params;
    RecordingHost host;
};

std::string StartSetLcd()
{
    std::string text = "2\r\n";
    for (int32_t v : ParameterSet::StartValues())
        text += std::to_string(v) + "\r\n";
    return text + "....\r\n...\r\n255\r\n";
}

}  // namespace

TEST_F(ConfigFileTest, StartSetIsWrittenByteForByte)
{
    params.FileName = "start.lcd";
    ASSERT_TRUE(WriteConfigFiles(params, host.dialogs));
    EXPECT_TRUE(host.dialogs.Events().empty());

    std::string lcd = Get("start.lcd");
    EXPECT_EQ(lcd, StartSetLcd());
    EXPECT_EQ(std::count(lcd.begin(), lcd.end(), '\n'), 124);
    EXPECT_EQ(lcd.substr(0, 15), "2\r\n15\r\n1\r\n1\r\n1\r");

    std::string txt = Get("start.txt");
    EXPECT_EQ(txt.substr(0, 38), "KonfigVersion = 2\r\n000\t15\r\n001\t1\r\n002\t");
    EXPECT_NE(txt.find("\r\n027\t10465\r\n"), std::string::npos);
    EXPECT_NE(txt.find("\r\n119\t0\r\nS\t....\r\nF\t...\r\nG\t255\r\n"), std::string::npos);
    EXPECT_EQ(txt.size() - txt.rfind("G\t255\r\n"), 7u);
    EXPECT_EQ(std::count(txt.begin(), txt.end(), '\n'), 124);
}

TEST_F(ConfigFileTest, NegativeValuesAndIdentityRoundTrip)
{
    params.Values[5] = -17;
    params.Values[119] = -2147483647 - 1;
    params.Values[90] = 2147483647;
    params.SerialNumber = "Ä123";
    params.DeviceMark = "xyz";
    params.DeviceType = 7;
    params.FileName = "neg.lcd";
    ASSERT_TRUE(WriteConfigFiles(params, host.dialogs));
    std::string lcd = Get("neg.lcd");
    EXPECT_NE(lcd.find("\r\n-17\r\n"), std::string::npos);
    EXPECT_NE(lcd.find("\r\n-2147483648\r\n\xC4" "123\r\nxyz\r\n7\r\n"), std::string::npos);
    EXPECT_NE(Get("neg.txt").find("\r\n005\t-17\r\n"), std::string::npos);

    ParameterSet loaded;
    loaded.DataFolder = dir.string();
    loaded.FileName = "neg.lcd";
    ASSERT_TRUE(ReadConfigFile(loaded, host));
    EXPECT_EQ(loaded.Values, params.Values);
    // The identity lines of the file are not taken.
    EXPECT_EQ(loaded.SerialNumber, "....");
    EXPECT_EQ(loaded.DeviceMark, "...");
    EXPECT_EQ(loaded.DeviceType, 255);
    EXPECT_EQ(loaded.DataPresent, 1);
    EXPECT_EQ(host.refreshes, 1);
    EXPECT_EQ(host.editorSwitches, std::vector<bool>{true});
    EXPECT_TRUE(host.dialogs.Events().empty());
}

TEST_F(ConfigFileTest, IdentityBytesWindows1252LeavesUnassignedAreWrittenAsTheyCame)
{
    params.SerialNumber = FromWindows1252("\x81\x8D\x8F\x90");
    params.DeviceMark = FromWindows1252("\x9D" "A\x80");
    params.FileName = "raw.lcd";
    ASSERT_TRUE(WriteConfigFiles(params, host.dialogs));
    EXPECT_NE(Get("raw.lcd").find("\r\n\x81\x8D\x8F\x90\r\n\x9D" "A\x80\r\n"), std::string::npos);
}

TEST_F(ConfigFileTest, ReaderAcceptsAnySeparatorsAndKeepsWhatAShortFileLacks)
{
    // Blanks, tabs, bare LF and CR LF mixed; only 50 values.
    std::string text = "2\n";
    for (int i = 0; i < 50; ++i)
        text += (i % 3 == 0 ? " \t" : "") + std::to_string(1000 + i) + (i % 2 ? "\r\n" : "\n\n");
    Put("short.lcd", text);
    params.FileName = "short.lcd";
    ASSERT_TRUE(ReadConfigFile(params, host));
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(params.Values[i], 1000 + i) << i;
    for (int i = 50; i < kValueCount; ++i)
        EXPECT_EQ(params.Values[i], ParameterSet::StartValues()[i]) << i;
    EXPECT_EQ(params.DataPresent, 1);
    EXPECT_TRUE(host.dialogs.Events().empty());
}

TEST_F(ConfigFileTest, DamagedNumberEndsTheReadingWithoutMessage)
{
    params.FileName = "bad.lcd";
    Put("bad.lcd", "2\n7\n8\nx9\n10\n");
    ASSERT_TRUE(ReadConfigFile(params, host));
    EXPECT_EQ(params.Values[0], 7);
    EXPECT_EQ(params.Values[1], 8);
    EXPECT_EQ(params.Values[2], 1);   // start value kept
    EXPECT_EQ(params.Values[3], 1);

    // A number beyond 32 bits is as unreadable as text.
    Put("bad.lcd", "2\n5\n2147483648\n6\n");
    ASSERT_TRUE(ReadConfigFile(params, host));
    EXPECT_EQ(params.Values[0], 5);
    EXPECT_EQ(params.Values[1], 8);
    EXPECT_TRUE(host.dialogs.Events().empty());
}

TEST_F(ConfigFileTest, FileThatIsNoParameterSetIsRefused)
{
    params.FileName = "text.lcd";
    Put("text.lcd", "Hallo\n1\n2\n");
    EXPECT_FALSE(ReadConfigFile(params, host));
    params.FileName = "missing.lcd";
    EXPECT_FALSE(ReadConfigFile(params, host));
    EXPECT_EQ(host.dialogs.Log(),
              (std::vector<std::string>{"beep", "info:Datei kann nicht geöffnet werden!", "beep",
                                        "info:Datei kann nicht geöffnet werden!"}));
    EXPECT_EQ(params.Values, ParameterSet::StartValues());
    EXPECT_EQ(params.DataPresent, 0);
    EXPECT_EQ(host.refreshes, 0);
}

TEST_F(ConfigFileTest, OtherConfigVersionAsksAndShiftsByTheFirstNumber)
{
    const std::string question = std::string("yesno:") + kOtherConfigVersion;
    params.FileName = "v.lcd";

    // Version 1, Yes: the numbers after the first line fill entries 0..119.
    Put("v.lcd", Numbers("1", 500, 120));
    host.dialogs.AnswerYesNo(Answer::Yes);
    ASSERT_TRUE(ReadConfigFile(params, host));
    EXPECT_EQ(params.Values[0], 500);
    EXPECT_EQ(params.Values[119], 619);

    // First number 15, Yes: it is entry 0, and lines 2 on fill entries 1..119.
    Put("v.lcd", Numbers("15", 700, 120));
    host.dialogs.AnswerYesNo(Answer::Yes);
    ASSERT_TRUE(ReadConfigFile(params, host));
    EXPECT_EQ(params.Values[0], 15);
    EXPECT_EQ(params.Values[1], 700);
    EXPECT_EQ(params.Values[119], 818);

    // Box closed without an answer: like a small version number.
    host.dialogs.AnswerYesNo(Answer::Closed);
    ASSERT_TRUE(ReadConfigFile(params, host));
    EXPECT_EQ(params.Values[0], 700);
    EXPECT_EQ(params.Values[119], 819);

    // No: nothing changes, the file is not taken.
    ParameterSet before = params;
    Put("v.lcd", Numbers("3", 1, 120));
    host.dialogs.AnswerYesNo(Answer::No);
    EXPECT_FALSE(ReadConfigFile(params, host));
    EXPECT_EQ(params.Values, before.Values);
    EXPECT_EQ(host.refreshes, 3);

    EXPECT_EQ(host.dialogs.Log(),
              (std::vector<std::string>{"beep", question, "beep", question, "beep", question,
                                        "beep", question}));
}

TEST_F(ConfigFileTest, NeuOnlyMakesTheSetEditable)
{
    params.Values[3] = 99;
    Neu1Click(params, host);
    EXPECT_EQ(params.DataPresent, 1);
    EXPECT_EQ(params.Values[3], 99);
    EXPECT_EQ(params.FileName, "unbenannt");
    EXPECT_EQ(host.editorSwitches, std::vector<bool>{true});
    EXPECT_TRUE(host.captions.empty());
    EXPECT_TRUE(host.fileLabels.empty());
}

TEST_F(ConfigFileTest, OpenTakesTheChosenFileAndItsFolder)
{
    fs::create_directories(dir / "sub");
    std::string path = (dir / "sub" / "abc.lcd").string();
    std::ofstream(path, std::ios::binary) << Numbers("2", 40, 120);
    params.DataFolder = "/elsewhere";
    host.dialogs.ChooseOpen(path);
    ffnen1Click(params, host);

    ASSERT_EQ(host.dialogs.FileRequests().size(), 1u);
    const FileDialogRequest& request = host.dialogs.FileRequests()[0];
    EXPECT_EQ(request.Filter, "LCD Konfiguration  ( *.lcd )|*.LCD|");
    EXPECT_EQ(request.InitialFolder, "/elsewhere");
    EXPECT_EQ(request.FileName, "");
    EXPECT_EQ(params.FileName, "abc.lcd");
    EXPECT_EQ(params.DataFolder, (dir / "sub").string());
    EXPECT_EQ(params.Values[0], 40);
    EXPECT_EQ(host.captions, std::vector<std::string>{"LCD Konfiguration v7.9"});
    EXPECT_EQ(host.fileLabels, std::vector<std::string>{"abc.lcd"});
    EXPECT_EQ(host.dialogs.Beeps(), 0);
}

TEST_F(ConfigFileTest, DeclinedOpenShowsTheDialogAgainAndCancelRestoresTheName)
{
    fs::create_directories(dir / "old");
    std::string path = (dir / "old" / "v1.lcd").string();
    std::ofstream(path, std::ios::binary) << Numbers("1", 40, 120);
    params.FileName = "mine.lcd";
    host.dialogs.ChooseOpen(path);
    host.dialogs.AnswerYesNo(Answer::No);
    host.dialogs.ChooseOpen((dir / "nothing.lcd").string());
    host.dialogs.ChooseOpen(std::nullopt);
    ffnen1Click(params, host);

    EXPECT_TRUE(host.dialogs.ScriptUsedUp());
    EXPECT_EQ(params.FileName, "mine.lcd");
    EXPECT_EQ(params.DataFolder, dir.string());  // folder of the last file chosen
    EXPECT_EQ(params.Values, ParameterSet::StartValues());
    EXPECT_EQ(params.DataPresent, 0);
    EXPECT_TRUE(host.captions.empty());
    EXPECT_TRUE(host.fileLabels.empty());
    EXPECT_EQ(host.dialogs.Log(),
              (std::vector<std::string>{
                  std::string("open:") + kOpenFilter, "beep",
                  std::string("yesno:") + kOtherConfigVersion, std::string("open:") + kOpenFilter,
                  "beep", "info:Datei kann nicht geöffnet werden!",
                  std::string("open:") + kOpenFilter}));
}

TEST_F(ConfigFileTest, SaveAsNameRules)
{
    for (std::string typed : {"abc", "abc.txt", "abc.alt.lcd"}) {
        fs::remove_all(dir / "out");
        fs::create_directories(dir / "out");
        params.FileName = "unbenannt";
        host.dialogs.ChooseSave((dir / "out" / typed).string());
        EXPECT_TRUE(Speichernunter1Click(params, host)) << typed;
        EXPECT_EQ(params.FileName, "abc.lcd") << typed;
        EXPECT_EQ(params.DataFolder, (dir / "out").string());
        EXPECT_EQ(Get("out/abc.lcd"), StartSetLcd()) << typed;
        EXPECT_TRUE(fs::exists(dir / "out" / "abc.txt")) << typed;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir / "out"), fs::directory_iterator()), 2)
            << typed;
        EXPECT_EQ(host.captions.back(), "LCD Konfiguration v7.9");
        EXPECT_EQ(host.fileLabels.back(), "abc.lcd");
    }
    const FileDialogRequest& request = host.dialogs.FileRequests().back();
    EXPECT_EQ(request.Filter, "LCD Konfiguration (*.lcd)|*.LCD|");
    EXPECT_EQ(request.FileName, "unbenannt");
    EXPECT_EQ(request.DefaultExtension, "lcd");
    EXPECT_EQ(host.dialogs.Beeps(), 0);
}

TEST_F(ConfigFileTest, SaveAsAsksBeforeOverwriting)
{
    Put("abc.lcd", "old");
    const std::string question =
        "yesno:abc.lcd\nist schon vorhanden.\n\nMöchten Sie die vorhandene Datei überschreiben?";
    params.FileName = "x.lcd";

    // No, then cancel: nothing written, name back, caption and label set all the same.
    host.dialogs.ChooseSave(Path("abc.lcd"));
    host.dialogs.AnswerYesNo(Answer::No);
    host.dialogs.ChooseSave(std::nullopt);
    EXPECT_FALSE(Speichernunter1Click(params, host));
    EXPECT_EQ(Get("abc.lcd"), "old");
    EXPECT_EQ(params.FileName, "x.lcd");
    EXPECT_EQ(host.captions, std::vector<std::string>{"LCD Konfiguration v7.9"});
    EXPECT_EQ(host.fileLabels, std::vector<std::string>{"x.lcd"});
    EXPECT_EQ(host.dialogs.Log(),
              (std::vector<std::string>{std::string("save:") + kSaveFilter, "beep", question,
                                        std::string("save:") + kSaveFilter}));

    // Yes: overwritten.
    host.dialogs.Clear();
    host.dialogs.ChooseSave(Path("abc.lcd"));
    host.dialogs.AnswerYesNo(Answer::Yes);
    EXPECT_TRUE(Speichernunter1Click(params, host));
    EXPECT_EQ(Get("abc.lcd"), StartSetLcd());
    EXPECT_EQ(host.dialogs.Log(),
              (std::vector<std::string>{std::string("save:") + kSaveFilter, "beep", question}));
}

TEST_F(ConfigFileTest, SaveWritesTheOpenedFileAgain)
{
    Put("abc.lcd", Numbers("2", 10, 120));
    host.dialogs.ChooseOpen(Path("abc.lcd"));
    ffnen1Click(params, host);
    params.Values[1] = -5;
    Speichern1Click(params, host);
    EXPECT_EQ(params.FileName, "abc.lcd");
    EXPECT_EQ(host.captions.back(), "LCD Konfiguration v7.9  -  abc.lcd");
    EXPECT_EQ(host.fileLabels.size(), 1u);  // Save leaves Label61 alone
    std::string lcd = Get("abc.lcd");
    EXPECT_EQ(lcd.substr(0, 13), "2\r\n10\r\n-5\r\n12");
    EXPECT_NE(Get("abc.txt").find("\r\n001\t-5\r\n"), std::string::npos);
}

// A file opened as "ABC.LCD" (written by another system) is the file "Speichern"
// writes again; on a case-sensitive file system "ABC.lcd" would be a second file and
// the opened one would silently keep its old values.
TEST_F(ConfigFileTest, SaveKeepsAnUpperCaseEndingOfTheOpenedFile)
{
    Put("ABC.LCD", Numbers("2", 10, 120));
    host.dialogs.ChooseOpen(Path("ABC.LCD"));
    ffnen1Click(params, host);
    params.Values[1] = -7;
    Speichern1Click(params, host);
    EXPECT_EQ(params.FileName, "ABC.LCD");
    EXPECT_EQ(host.captions.back(), "LCD Konfiguration v7.9  -  ABC.LCD");
    EXPECT_EQ(Get("ABC.LCD").substr(0, 13), "2\r\n10\r\n-7\r\n12");
    EXPECT_FALSE(fs::exists(dir / "ABC.lcd"));
    EXPECT_NE(Get("ABC.txt").find("\r\n001\t-7\r\n"), std::string::npos);

    // Any other ending still gets its last three characters replaced.
    params.FileName = "ABC.alt";
    Speichern1Click(params, host);
    EXPECT_EQ(params.FileName, "ABC.lcd");
    EXPECT_TRUE(fs::exists(dir / "ABC.lcd"));
}

TEST_F(ConfigFileTest, SaveBeforeAnyFileActsAsSaveAs)
{
    host.dialogs.ChooseSave(Path("erst"));
    Speichern1Click(params, host);
    EXPECT_TRUE(host.dialogs.ScriptUsedUp());
    EXPECT_EQ(params.FileName, "erst.lcd");
    EXPECT_EQ(Get("erst.lcd"), StartSetLcd());
    EXPECT_FALSE(fs::exists(dir / "unbenlcd"));
    EXPECT_EQ(host.captions, std::vector<std::string>{"LCD Konfiguration v7.9"});
    EXPECT_EQ(host.fileLabels, std::vector<std::string>{"erst.lcd"});
}

TEST_F(ConfigFileTest, FailedSaveRestoresTheNameAndReportsIt)
{
    params.FileName = "abc.lcd";
    params.DataFolder = (dir / "gone").string();
    Speichern1Click(params, host);
    EXPECT_EQ(params.FileName, "abc.lcd");
    EXPECT_EQ(host.captions.back(), "LCD Konfiguration v7.9  -  abc.lcd");
    EXPECT_EQ(host.dialogs.Log(),
              (std::vector<std::string>{"beep", "info:Datei kann nicht geöffnet werden!"}));

    // The companion cannot be created: the .lcd file stays, the save counts as failed.
    params.DataFolder = dir.string();
    fs::create_directories(dir / "abc.txt");
    host.dialogs.Clear();
    EXPECT_FALSE(WriteConfigFiles(params, host.dialogs));
    EXPECT_EQ(Get("abc.lcd"), StartSetLcd());
    EXPECT_EQ(host.dialogs.Log(),
              (std::vector<std::string>{"beep", "info:Datei kann nicht geöffnet werden!"}));
}

TEST_F(ConfigFileTest, WriteThatBreaksOffKeepsTheOldFile)
{
    // A file-size limit makes the write fail after the file was created, as a full
    // disk would.
    Put("abc.lcd", "old");
    params.FileName = "abc.lcd";
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool written = WriteConfigFiles(params, host.dialogs);
    setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_FALSE(written);
    EXPECT_EQ(Get("abc.lcd"), "old");
    EXPECT_FALSE(fs::exists(dir / "abc.txt"));
    EXPECT_EQ(host.dialogs.Log(),
              (std::vector<std::string>{"beep", "info:Datei kann nicht geschrieben werden!"}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST(FileNames, Rules)
{
    EXPECT_EQ(FolderOf("/a/b/c.lcd"), "/a/b");
    EXPECT_EQ(FolderOf("/c.lcd"), "/");
    EXPECT_EQ(FolderOf("c.lcd"), "");
    EXPECT_EQ(BareName("/a/b/c.lcd"), "c.lcd");
    EXPECT_EQ(ResolveInFolder("/d", "c.lcd"), "/d/c.lcd");
    EXPECT_EQ(ResolveInFolder("/", "c.lcd"), "/c.lcd");
    EXPECT_EQ(ResolveInFolder("/d", "/e/c.lcd"), "/e/c.lcd");
    EXPECT_EQ(ResolveInFolder("", "c.lcd"), "c.lcd");
    EXPECT_EQ(WithLastThree("abc.lcd", "txt"), "abc.txt");
    EXPECT_EQ(SaveAsName("/x.y/abc.alt.lcd"), "abc.lcd");
    EXPECT_EQ(SaveAsName("/x.y/abc"), "abc.lcd");
}

TEST_F(ConfigFileTest, TheReaderSaysHowManyValuesItReadAndWhyItStopped)
{
    struct Case {
        std::string bytes;
        int end;
        ConfigReadStop stop;
        int line;
        std::string text;
    };
    const Case cases[] = {
        {Numbers("2", 100, 120), 120, ConfigReadStop::AllValues, 0, ""},
        {Numbers("2", 100, 50), 50, ConfigReadStop::FileEnded, 0, ""},
        {"2\r\n", 0, ConfigReadStop::FileEnded, 0, ""},
        {"2\r\n2147483648\r\n5\r\n", 0, ConfigReadStop::NotANumber, 2, "2147483648"},
        // "0x10" and "2,5": the leading digit is a number as the board tools read it.
        {"2\r\n7\r\n0x10\r\n", 2, ConfigReadStop::NotANumber, 3, "0x10"},
        {"2\n7\n8\n2,5\n", 3, ConfigReadStop::NotANumber, 4, "2,5"},
        {"2\n7\n\n  abc def\n", 1, ConfigReadStop::NotANumber, 4, "abc"},
    };
    for (const Case& c : cases) {
        ParameterSet set;
        ConfigEntriesTaken taken;
        ASSERT_TRUE(ReadConfigBytes(set, host, c.bytes, &taken)) << c.bytes;
        EXPECT_EQ(taken.First, 0);
        EXPECT_EQ(taken.End, c.end) << c.bytes;
        EXPECT_EQ(taken.Stop, c.stop) << c.bytes;
        EXPECT_EQ(taken.Line, c.line) << c.bytes;
        EXPECT_EQ(taken.Text, c.text) << c.bytes;
        EXPECT_EQ(taken.Complete(), c.end == 120) << c.bytes;
        // The window's reading is unchanged: the entries not read keep their values.
        if (c.end < 120) {
            EXPECT_EQ(set.Values[119], ParameterSet::StartValues()[119]);
        }
    }
    EXPECT_TRUE(host.dialogs.Log().empty());
}
