#include "device_types.h"
#include "diagnostics_sink.h"
#include "scripted_dialogs.h"
#include "settings.h"
#include "text_file.h"
#include "unprivileged.h"

#include <algorithm>
#include <csignal>
#include <sys/stat.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string kFaultLog = std::string("error:") + kSettingsFault;

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path()
            / ("settings_" + std::to_string(getpid()) + "_"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        ini = (dir / "Tavrix.ini").string();
    }
    void TearDown() override { fs::remove_all(dir); }
    void Put(const std::string& bytes) const { std::ofstream(ini, std::ios::binary) << bytes; }

    fs::path dir;
    std::string ini;
    ParameterSet params;
    ScriptedDialogs dialogs;
};

}  // namespace

TEST_F(SettingsTest, CompleteFileIsTaken)
{
    Put("/home/amp/Daten\t\t;Aktueller Pfad\r\n800\t\t;Bildbreite\r\n600\t\t;Bildh\xF6he\r\n");
    EXPECT_TRUE(ReadSettings(params, dialogs, ini));
    EXPECT_EQ(params.DataFolder, "/home/amp/Daten");
    EXPECT_EQ(params.FaultWindowWidth, 800);
    EXPECT_EQ(params.FaultWindowHeight, 600);
    EXPECT_EQ(params.SettingsLoaded, 1);
    EXPECT_TRUE(dialogs.Events().empty());

    // Bare LF, leading empty lines and blanks, no line end after the height.
    ParameterSet other;
    Put("\n\n  /d\t;x\n\n 1\n2");
    EXPECT_TRUE(ReadSettings(other, dialogs, ini));
    EXPECT_EQ(other.DataFolder, "/d");
    EXPECT_EQ(other.FaultWindowWidth, 1);
    EXPECT_EQ(other.FaultWindowHeight, 2);
    EXPECT_TRUE(dialogs.Events().empty());
}

TEST_F(SettingsTest, FolderWithBlanksComesBackWhole)
{
    params.DataFolder = "/home/amp/Eigene Dateien/Endstufe Ä";
    params.FaultWindowWidth = 900;
    params.FaultWindowHeight = 700;
    params.StartFolder = dir.string();
    ASSERT_TRUE(WriteSettings(params));
    EXPECT_EQ(*ReadFileBytes(ini), "/home/amp/Eigene Dateien/Endstufe \xC4\t\t;Aktueller Pfad\r\n"
                                   "900\t\t;Bildbreite\r\n700\t\t;Bildh\xF6he\r\n");
    ParameterSet loaded;
    EXPECT_TRUE(ReadSettings(loaded, dialogs, ini));
    EXPECT_EQ(loaded.DataFolder, "/home/amp/Eigene Dateien/Endstufe Ä");
    EXPECT_EQ(loaded.FaultWindowWidth, 900);
    EXPECT_EQ(loaded.FaultWindowHeight, 700);

    // Without a comment the folder runs to the line end.
    Put("/a b/c  \r\n1\r\n2\r\n");
    EXPECT_TRUE(ReadSettings(loaded, dialogs, ini));
    EXPECT_EQ(loaded.DataFolder, "/a b/c");
    EXPECT_TRUE(dialogs.Events().empty());
}

TEST_F(SettingsTest, IncompleteFileReportsOnceAndKeepsWhatWasRead)
{
    // Two lines: width taken, height stays, not loaded.
    Put("/d\t\t;Aktueller Pfad\r\n800\t\t;Bildbreite\r\n");
    EXPECT_FALSE(ReadSettings(params, dialogs, ini));
    EXPECT_EQ(params.DataFolder, "/d");
    EXPECT_EQ(params.FaultWindowWidth, 800);
    EXPECT_EQ(params.FaultWindowHeight, 766);
    EXPECT_EQ(params.SettingsLoaded, 0);
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", kFaultLog}));

    // Text where the width belongs; a single line without line end; an empty file.
    for (std::string bytes : {"/d\r\nbreit\r\n600\r\n", "/d", ""}) {
        ParameterSet fresh;
        dialogs.Clear();
        Put(bytes);
        EXPECT_FALSE(ReadSettings(fresh, dialogs, ini)) << bytes;
        EXPECT_EQ(fresh.FaultWindowWidth, 1022) << bytes;
        EXPECT_EQ(fresh.SettingsLoaded, 0) << bytes;
        EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", kFaultLog})) << bytes;
    }
}

TEST_F(SettingsTest, NoFileIsSilent)
{
    EXPECT_FALSE(ReadSettings(params, dialogs, (dir / "none.ini").string()));
    EXPECT_EQ(params.SettingsLoaded, 0);
    EXPECT_EQ(params.FaultWindowWidth, 1022);
    EXPECT_TRUE(dialogs.Events().empty());
}

// Tavrix.ini and GeraeteTyp.ini that are a FIFO, a link to one or larger than any real
// file: taken as missing at once (no box, start values kept), the cause on the
// diagnostics.
TEST_F(SettingsTest, AFileThatIsNoRegularFileOrTooLargeCountsAsMissing)
{
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
    fs::create_symlink(dir / "fifo", dir / "link");
    Put("");
    fs::resize_file(ini, (1u << 20) + 1);
    std::vector<std::string> causes;
    ScopedDiagnosticsSink sink([&](const std::string& line) { causes.push_back(line); });
    for (const std::string name : {"fifo", "link", "Tavrix.ini"}) {
        const std::string path = (dir / name).string();
        causes.clear();
        EXPECT_FALSE(ReadSettings(params, dialogs, path)) << name;
        const DeviceTypeList types = ReadDeviceTypes(dialogs, path);
        EXPECT_TRUE(types.Names.empty()) << name;
        EXPECT_FALSE(types.Complete) << name;
        ASSERT_EQ(causes.size(), 2u) << name;
        EXPECT_EQ(causes[0].rfind(path + ": not read, taken as missing: ", 0), 0u) << causes[0];
    }
    EXPECT_EQ(causes[0], ini + ": not read, taken as missing: larger than 1048576 bytes");
    EXPECT_EQ(params.SettingsLoaded, 0);
    EXPECT_EQ(params.FaultWindowWidth, 1022);
    EXPECT_TRUE(dialogs.Events().empty());
}

TEST_F(SettingsTest, WriteFailureIsQuietAndLeavesNoHalfFile)
{
    params.StartFolder = (dir / "missing").string();
    EXPECT_FALSE(WriteSettings(params));
    EXPECT_FALSE(fs::exists(dir / "missing"));

    // Breaking off in the middle (file-size limit) keeps the old file whole.
    Put("old");
    params.StartFolder = dir.string();
    params.DataFolder = std::string(200, 'x');
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 50;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool written = WriteSettings(params);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(written);
    EXPECT_EQ(*ReadFileBytes(ini), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST(SettingsWrite, WriteProtectedFileIsKeptAndNamedOnStandardError)
{
    const std::string dir = SharedTempFolder("settings_protect");
    const fs::path ini = fs::path(dir) / "Tavrix.ini";
    std::ofstream(ini, std::ios::binary) << "alt";
    fs::permissions(ini, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ParameterSet params;
    params.StartFolder = dir;
    params.DataFolder = "/daten";

    const UnprivilegedRun run = RunUnprivileged([&] { return WriteSettings(params) ? "written" : "refused"; });
    ASSERT_TRUE(run.Completed);
    EXPECT_EQ(run.Result, "refused");
    EXPECT_EQ(*ReadFileBytes(ini.string()), "alt");
    EXPECT_EQ(std::count(run.Errors.begin(), run.Errors.end(), '\n'), 1) << run.Errors;
    EXPECT_NE(run.Errors.find(ini.string()), std::string::npos) << run.Errors;
    EXPECT_NE(run.Errors.find("Permission denied"), std::string::npos) << run.Errors;
    fs::remove_all(dir);
}

TEST(DefaultDataFolder, AppendsTheProgramFolderOnce)
{
    EXPECT_EQ(DefaultDataFolder("/home/amp/Dokumente", "/w"), "/home/amp/Dokumente/TavrixDaten");
    EXPECT_EQ(DefaultDataFolder("/home/amp/Dokumente/", "/w"), "/home/amp/Dokumente/TavrixDaten");
    EXPECT_EQ(DefaultDataFolder("/", "/w"), "/TavrixDaten");
    EXPECT_EQ(DefaultDataFolder("", "/w"), "/w");
}
