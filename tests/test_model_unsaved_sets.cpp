// The set the window leaves at its end when it was changed: where it goes, what the
// two files hold, that none is ever replaced, and what counts as changed (the listing
// is tested through lcdkonfig-cli backups, a folder that cannot be made through the window).
#include "config_file.h"
#include "environment_lookup.h"
#include "text_file.h"
#include "unsaved_sets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class Unsaved : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = (fs::temp_directory_path() / ("unsaved_" + std::to_string(getpid())) / "lcdkonfig" / "unsaved").string();
        fs::remove_all(fs::path(root).parent_path().parent_path());
        params.SerialNumber = "0815";
        params.DeviceMark = "DEM";
        params.DeviceType = 3;
        params.Values[1] = 90;
    }
    void TearDown() override { fs::remove_all(fs::path(root).parent_path().parent_path()); }

    std::string root;
    ParameterSet params;
};

}  // namespace

TEST_F(Unsaved, TheFolderIsBesideTheBackups)
{
    EXPECT_EQ(UnsavedRoot(From({{"XDG_STATE_HOME", "/s"}, {"HOME", "/h"}})), "/s/lcdkonfig/unsaved");
    EXPECT_EQ(UnsavedRoot(From({{"HOME", "/h"}})), "/h/.local/state/lcdkonfig/unsaved");
    EXPECT_EQ(UnsavedRoot(From({{"XDG_STATE_HOME", "rel"}, {"HOME", "/h"}})), "/h/.local/state/lcdkonfig/unsaved");
}

TEST_F(Unsaved, TheSetAndItsCompanionAreWrittenAsSavingWouldWriteThem)
{
    const BackupResult stored = StoreUnsaved(root, params, "2026-12-09_14-03-22");
    ASSERT_TRUE(stored.Ok) << stored.Error;
    EXPECT_EQ(stored.LcdPath, root + "/2026-12-09_14-03-22.lcd");
    const std::string lcd = ReadFileBytes(stored.LcdPath).value_or("");
    EXPECT_EQ(lcd.substr(0, 11), "2\r\n15\r\n90\r\n");
    EXPECT_EQ(lcd, WithCrLf(ToWindows1252(LcdFileText(params))));
    EXPECT_EQ(lcd.substr(lcd.size() - 14), "0815\r\nDEM\r\n3\r\n");
    EXPECT_EQ(ReadFileBytes(root + "/2026-12-09_14-03-22.txt").value_or(""),
              WithCrLf(ToWindows1252(CompanionFileText(params))));
    // Nothing else: no temporary file is left.
    int files = 0;
    for (const auto& entry : fs::directory_iterator(root))
        files += entry.is_regular_file();
    EXPECT_EQ(files, 2);
}

TEST_F(Unsaved, ASecondEndInTheSameSecondTakesTheNextNumber)
{
    const std::string stamp = "2026-12-09_14-03-22";
    EXPECT_EQ(StoreUnsaved(root, params, stamp).LcdPath, root + "/" + stamp + ".lcd");
    params.Values[1] = 91;
    EXPECT_EQ(StoreUnsaved(root, params, stamp).LcdPath, root + "/" + stamp + "_2.lcd");
    // A companion already there of the next name: that name is given up whole.
    std::ofstream(root + "/" + stamp + "_3.txt") << "other";
    EXPECT_EQ(StoreUnsaved(root, params, stamp).LcdPath, root + "/" + stamp + "_4.lcd");
    EXPECT_FALSE(fs::exists(root + "/" + stamp + "_3.lcd"));
    EXPECT_EQ(ReadFileBytes(root + "/" + stamp + "_3.txt").value_or(""), "other");
    EXPECT_EQ(ReadFileBytes(root + "/" + stamp + ".lcd").value_or("").substr(0, 11), "2\r\n15\r\n90\r\n");
}

TEST_F(Unsaved, ChangedMeansWhatTheFileWouldHoldDiffers)
{
    KeptSet kept;
    kept.Keep(params);
    EXPECT_FALSE(kept.ChangedIn(params));
    // Marks and the window's state are no part of the set's file.
    params.PatchMarks[5] = 1;
    params.FaultWindowWidth = 900;
    params.FileName = "abc.lcd";
    EXPECT_FALSE(kept.ChangedIn(params));
    struct Change {
        const char* what;
        void (*apply)(ParameterSet&);
    };
    const Change changes[] = {
        {"a value", [](ParameterSet& p) { p.Values[119] = -1; }},
        {"the serial number", [](ParameterSet& p) { p.SerialNumber = "0816"; }},
        {"the device type", [](ParameterSet& p) { p.DeviceType = 4; }},
    };
    for (const Change& change : changes) {
        ParameterSet changed = params;
        change.apply(changed);
        EXPECT_TRUE(kept.ChangedIn(changed)) << change.what;
    }
}
