// The window's own file commands meeting FIFOs and device nodes: "Öffnen..." of a FIFO or of a
// file larger than any parameter set is refused at once with its box, "Speichern" over
// a FIFO or a link that points nowhere is refused with its box and leaves it as it was.
#include "config_file.h"
#include "scripted_dialogs.h"
#include "text_file.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Host : ConfigFileHost {
    ScriptedDialogs dialogs;
    int refreshes = 0;
    Dialogs& Messages() override { return dialogs; }
    void SetCaption(const std::string&) override {}
    void SetFileLabel(const std::string&) override {}
    void RefreshMainWindow() override { ++refreshes; }
    void EnableEditorControls(bool) override {}
};

class WindowFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("windowfiles_" + std::to_string(getpid()) + "_"
                                           + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        params.ValueCount = 120;
        params.DataFolder = dir.string();
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path dir;
    ParameterSet params;
    Host host;
};

}  // namespace

TEST_F(WindowFiles, OpeningAFifoOrAnOversizedFileIsRefusedAtOnce)
{
    ASSERT_EQ(::mkfifo((dir / "fifo.lcd").c_str(), 0644), 0);
    // A file that begins like a parameter set but is larger than 1 MiB.
    ASSERT_TRUE(WriteFileAtomically((dir / "big.lcd").string(), "2\r\n15\r\n"));
    fs::resize_file(dir / "big.lcd", (1u << 20) + 1);
    for (const char* name : {"fifo.lcd", "big.lcd"}) {
        host.dialogs.Clear();
        params.FileName = name;
        EXPECT_FALSE(ReadConfigFile(params, host)) << name;
        EXPECT_EQ(host.dialogs.Log(), (std::vector<std::string>{"beep", "info:Datei kann nicht geöffnet werden!"}))
            << name;
    }
    EXPECT_EQ(params.Values, ParameterSet::StartValues());
    EXPECT_EQ(host.refreshes, 0);
}

TEST_F(WindowFiles, SavingOverAFifoOrADanglingLinkIsRefusedAndLeavesItAlone)
{
    ASSERT_EQ(::mkfifo((dir / "fifo.lcd").c_str(), 0644), 0);
    fs::create_symlink(dir / "elsewhere.lcd", dir / "dangling.lcd");
    for (const char* name : {"fifo.lcd", "dangling.lcd"}) {
        host.dialogs.Clear();
        params.FileName = name;
        EXPECT_FALSE(WriteConfigFiles(params, host.dialogs)) << name;
        EXPECT_EQ(host.dialogs.Log(), (std::vector<std::string>{"beep", "info:Datei kann nicht geöffnet werden!"}))
            << name;
    }
    EXPECT_EQ(fs::symlink_status(dir / "fifo.lcd").type(), fs::file_type::fifo);
    EXPECT_EQ(fs::symlink_status(dir / "dangling.lcd").type(), fs::file_type::symlink);
    EXPECT_FALSE(fs::exists(dir / "elsewhere.lcd"));
    EXPECT_FALSE(fs::exists(dir / "fifo.txt"));
}
