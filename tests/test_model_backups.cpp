// The backup history on disk: where it goes, how a serial number becomes a folder
// name, that a backup never replaces another, and the listing's order.
#include "backups.h"
#include "config_file.h"
#include "environment_lookup.h"
#include "text_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class Backups : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("backups_" + std::to_string(getpid()) + "_"
                                            + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        params.SerialNumber = "0001";
        params.DeviceMark = "DEM";
        params.DeviceType = 3;
        params.BoardVersionText = "7.5";
        params.Values[1] = 90;
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path root;
    ParameterSet params;
};

}  // namespace

TEST_F(Backups, TheRootFollowsXdgStateHomeAndFallsBackToTheHomeFolder)
{
    EXPECT_EQ(BackupRoot(From({{"XDG_STATE_HOME", "/s"}, {"HOME", "/h"}})), "/s/lcdkonfig/backups");
    EXPECT_EQ(BackupRoot(From({{"HOME", "/h"}})), "/h/.local/state/lcdkonfig/backups");
    // An empty or relative value is no base folder.
    EXPECT_EQ(BackupRoot(From({{"XDG_STATE_HOME", ""}, {"HOME", "/h"}})), "/h/.local/state/lcdkonfig/backups");
    EXPECT_EQ(BackupRoot(From({{"XDG_STATE_HOME", "rel"}, {"HOME", "/h"}})), "/h/.local/state/lcdkonfig/backups");
}

TEST_F(Backups, EveryByteOfASerialNumberGivesASafeFolderNameThatDecodesBack)
{
    EXPECT_EQ(SerialFolderName("0001"), "0001");
    EXPECT_EQ(SerialFolderName("A/1."), "A%2F1%2E");
    EXPECT_EQ(SerialFolderName("...."), "%2E%2E%2E%2E");
    EXPECT_EQ(SerialFolderName("Ä €"), "%C4%20%80");  // Windows-1252 bytes
    EXPECT_EQ(SerialFolderName(""), "%");
    for (int byte = 0; byte < 256; ++byte) {
        const std::string serial = FromWindows1252(std::string{'X', char(byte), '%', '9'});
        const std::string name = SerialFolderName(serial);
        EXPECT_EQ(name.find('/'), std::string::npos) << byte;
        EXPECT_NE(name, ".");
        EXPECT_NE(name, "..");
        for (unsigned char c : name)
            EXPECT_TRUE(std::isalnum(c) || c == '%' || c == '-' || c == '_') << byte;
        EXPECT_EQ(SerialFromFolderName(name), serial) << byte;
    }
    EXPECT_EQ(SerialFromFolderName("bad%2"), std::nullopt);
    EXPECT_EQ(SerialFromFolderName("a b"), std::nullopt);
}

TEST_F(Backups, ABackupHoldsTheSetItsCompanionTheFaultsAndTheFirmwareVersion)
{
    const BackupResult result = StoreBackup(root.string(), params, "Tage\tStd\tMin\tSek\tFehler\n\n", "2027-01-15_08-00-00");
    ASSERT_TRUE(result.Ok) << result.Error;
    const fs::path folder = root / "0001";
    EXPECT_EQ(result.LcdPath, (folder / "2027-01-15_08-00-00.lcd").string());
    EXPECT_EQ(ReadFileBytes(result.LcdPath), WithCrLf(ToWindows1252(LcdFileText(params))));
    EXPECT_EQ(ReadFileBytes((folder / "2027-01-15_08-00-00.txt").string()),
              WithCrLf(ToWindows1252(CompanionFileText(params))));
    EXPECT_EQ(ReadFileBytes((folder / "2027-01-15_08-00-00-fehlerspeicher.txt").string()),
              "Tage\tStd\tMin\tSek\tFehler\r\n\r\n");
    // Nothing else is left in the folder (no temporary file).
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 4);

    const std::vector<BackupEntry> list = ListBackups(root.string());
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Serial, "0001");
    EXPECT_EQ(list[0].Time, "2027-01-15 08:00:00");
    EXPECT_EQ(list[0].Firmware, "7.5");
    EXPECT_EQ(list[0].LcdPath, result.LcdPath);
}

TEST_F(Backups, ABackupNeverReplacesAnotherAndTheListIsNewestFirst)
{
    std::vector<std::string> paths;
    for (int i = 0; i < 11; ++i) {
        params.Values[1] = 100 + i;
        const BackupResult result = StoreBackup(root.string(), params, "", "2027-01-15_08-00-00");
        ASSERT_TRUE(result.Ok) << result.Error;
        paths.push_back(result.LcdPath);
    }
    EXPECT_EQ(paths[1], (root / "0001" / "2027-01-15_08-00-00_2.lcd").string());
    EXPECT_EQ(paths[10], (root / "0001" / "2027-01-15_08-00-00_11.lcd").string());
    // Each file still holds what was stored under its name.
    for (int i = 0; i < 11; ++i)
        EXPECT_NE(ReadFileBytes(paths[i])->find("\r\n" + std::to_string(100 + i) + "\r\n"), std::string::npos) << i;
    // A companion left over from elsewhere is not replaced either: that stamp is skipped.
    std::ofstream((root / "0001" / "2027-01-15_08-00-01.txt").string()) << "someone's";
    const BackupResult next = StoreBackup(root.string(), params, "", "2027-01-15_08-00-01");
    ASSERT_TRUE(next.Ok);
    EXPECT_EQ(next.LcdPath, (root / "0001" / "2027-01-15_08-00-01_2.lcd").string());
    EXPECT_EQ(ReadFileBytes((root / "0001" / "2027-01-15_08-00-01.txt").string()), "someone's");
    EXPECT_FALSE(fs::exists(root / "0001" / "2027-01-15_08-00-01.lcd"));

    params.SerialNumber = "0002";
    params.BoardVersionText = "7.14\n";
    ASSERT_TRUE(StoreBackup(root.string(), params, "", "2026-01-01_00-00-00").Ok);

    const std::vector<BackupEntry> all = ListBackups(root.string());
    ASSERT_EQ(all.size(), 13u);
    EXPECT_EQ(all[0].LcdPath, next.LcdPath);
    EXPECT_EQ(all[1].LcdPath, paths[10]);  // _11 after _10 ... after _2, then the first
    EXPECT_EQ(all[2].LcdPath, paths[9]);
    EXPECT_EQ(all[11].LcdPath, paths[0]);
    EXPECT_EQ(all[12].Serial, "0002");
    EXPECT_EQ(all[12].Firmware, "7.14\n");
    EXPECT_EQ(ListBackups(root.string(), std::string("0002")).size(), 1u);
    EXPECT_TRUE(ListBackups(root.string(), std::string("0003")).empty());
}

TEST_F(Backups, AFolderThatCannotBeMadeIsReportedAndNothingIsStored)
{
    fs::create_directories(root);
    std::ofstream((root / "file").string()) << "x";
    const BackupResult result = StoreBackup((root / "file").string(), params, "", "2027-01-15_08-00-00");
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Error.rfind((root / "file" / "0001").string() + ": ", 0), 0u) << result.Error;
    EXPECT_TRUE(ListBackups((root / "file").string()).empty());
}
