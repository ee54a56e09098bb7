// lcdkonfig-cli service: the service word, the clear commands, a new serial number
// (with the board's DeviceMark) and device type, each read and backed up first, and
// the refusals with their exit codes.
#include "cli_rig.h"
#include "parameter_set.h"

using namespace clitest;

namespace {

class ServiceTest : public Cli {
protected:
    Result Service(std::vector<std::string> what, std::vector<std::string> more = {"--yes"})
    {
        std::vector<std::string> args = {"-p", "virtuell", "service", "--word", kServiceWord};
        args.insert(args.end(), what.begin(), what.end());
        args.insert(args.end(), more.begin(), more.end());
        return Run(args);
    }
};

}  // namespace

TEST_F(ServiceTest, ClearFaultsReadsAndBacksUpTheBoardThenClearsIt)
{
    const Result r = Service({"clear-faults"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(Config().Clears(0xAD), 1);
    EXPECT_EQ(Config().FaultTimes[kBoardFaultRecords - 1], 0u);
    // Download first (the backup still holds the fault memory), then ping, 0xA5 0xAD.
    EXPECT_EQ(Received(), "\xBA\xA5\xAB\xBA\xA5\xAD");
    EXPECT_EQ(BackupFiles().size(), 4u);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: Fehlerspeicher gelöscht"));
}

TEST_F(ServiceTest, ClearHoursAndIdentityWithoutABackup)
{
    Result r = Service({"clear-hours"}, {"--yes", "--no-backup"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(Config().OperatingTime, 0);
    EXPECT_EQ(Received(), "\xBA\xA5\xA3");
    r = Service({"clear-identity"}, {"--yes", "--no-backup"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(Config().SerialNumber, "....");
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: Kennung gelöscht"));
    EXPECT_FALSE(fs::exists(StateFolder()));
}

TEST_F(ServiceTest, SerialSendsTheNewNumberWithTheBoardsDeviceMark)
{
    const Result r = Service({"serial", "0815"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(Config().SerialNumber, "0815");
    EXPECT_EQ(Config().DeviceMark, "DEM");
    EXPECT_EQ(Received(), "\xBA\xA5\xAB\xBA\xA5\xB8" "0815DEM\xFA");
    // The backup went under the old serial number.
    EXPECT_EQ(BackupFiles("0001").size(), 4u);
}

TEST_F(ServiceTest, TypeSendsTheDeviceType)
{
    const Result r = Service({"type", "17"}, {"--yes", "--no-backup"});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(Config().DeviceType, 17);
    EXPECT_EQ(Received(), "\xBA\xA5\xA4" "17_\xFA");
}

TEST_F(ServiceTest, RefusalsAndFailures)
{
    Result r = Run({"-p", "virtuell", "service", "--word", "falsch", "clear-hours", "--yes"});
    EXPECT_EQ(r.Code, 2);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: service: --word is not the service word"));
    r = Service({"serial", "12"});
    EXPECT_EQ(r.Code, 2);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: Es müssen 4 Zeichen eingegeben werden !"));
    r = Service({"type", "256"});
    EXPECT_EQ(r.Code, 2);
    r = Service({"reboot"});
    EXPECT_EQ(r.Code, 2);
    r = Service({"serial", "0815"}, {"--yes", "--no-backup"});
    EXPECT_EQ(r.Code, 2);
    // Without a terminal and without --yes.
    r = Service({"clear-faults"}, {});
    EXPECT_EQ(r.Code, 2);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: service: standard input is no terminal to ask on; give --yes to go ahead "
                         "without asking"));
    EXPECT_TRUE(Wire().Log().empty());

    // The board answering with a wrong byte: the window's message, exit 4.
    Config().Faults.WrongConfirmation = 0x55;
    r = Service({"type", "3"}, {"--yes", "--no-backup"});
    EXPECT_EQ(r.Code, 4);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: Programmierfehler!  Fehlercode 7 Falsches Bestätigungsbyte.")) << r.Err;
}
