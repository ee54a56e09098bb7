// The window's backup history: every successful download leaves one backup of what
// the board sent, a failed one none, and a backup that cannot be written is one line
// on standard error and nothing more in the window.
#include "captured_err.h"
#include "backups.h"
#include "config_file.h"
#include "e2e_session.h"

#include <iostream>
#include <sstream>

using namespace e2e;

namespace {

class BackupTest : public Session {
protected:
    std::string Root() const { return (dir / "state" / "lcdkonfig" / "backups").string(); }
};

}  // namespace

TEST_F(BackupTest, EverySuccessfulDownloadLeavesOneBackupOfWhatTheBoardSent)
{
    Start();
    form->EmpfangenButton->click();
    EXPECT_EQ(dialogs.Log(), std::vector<std::string>{"beep"});
    std::vector<BackupEntry> backups = ListBackups(Root());
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(backups[0].Serial, "0001");
    EXPECT_EQ(backups[0].Firmware, "7.5");
    EXPECT_EQ(ReadFileBytes(backups[0].LcdPath), WithCrLf(ToWindows1252(LcdFileText(params))));
    const std::string stem = backups[0].LcdPath.substr(0, backups[0].LcdPath.size() - 4);
    EXPECT_EQ(ReadFileBytes(stem + ".txt"), WithCrLf(ToWindows1252(CompanionFileText(params))));
    EXPECT_TRUE(fs::exists(stem + "-fehlerspeicher.txt"));

    // The same board again, changed: a second backup beside the first.
    Board().Values[1] = 321;
    form->EmpfangenButton->click();
    backups = ListBackups(Root());
    ASSERT_EQ(backups.size(), 2u);
    EXPECT_NE(ReadFileBytes(backups[0].LcdPath)->find("\r\n321\r\n"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(backups[1].LcdPath)->find("\r\n321\r\n"), std::string::npos);

    // A download that fails leaves none.
    Board().Language = 5;
    dialogs.Clear();
    form->EmpfangenButton->click();
    EXPECT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(ListBackups(Root()).size(), 2u);
}

TEST_F(BackupTest, ABackupThatCannotBeWrittenIsOneLineOnStandardErrorAndNothingInTheWindow)
{
    Start();
    Put("state", "a file where the folder should be");
    CapturedErr err;
    form->EmpfangenButton->click();
    // The download itself succeeded as always.
    EXPECT_EQ(dialogs.Log(), std::vector<std::string>{"beep"});
    EXPECT_EQ(form->statusLabel->text(), "Daten gelesen");
    EXPECT_EQ(params.DataPresent, 1);
    const std::string text = err.Text();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
    EXPECT_EQ(text.rfind("lcdkonfig: backup not written: " + Root() + "/0001: ", 0), 0u) << text;
}
