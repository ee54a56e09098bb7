// The firmware update from the main window with the project's sample firmware file,
// against the virtual board's boot ROM in virtual time: the flash ends up holding the
// file, the window gets its controls back, and the board answers a download again.
#include "e2e_session.h"

#include <QTest>

#include <fstream>
#include <sstream>

using namespace e2e;

namespace {

const std::string kSample =
    (fs::path(LCD_SAMPLES_DIR) / "sample_firmware.mot").string();
constexpr const char* kFirmwareDialog = "open:Firmware  ( *.mot )|*.MOT|";

// The 64 KiB the file describes, read independently of the program's reader: every
// S2 record's data at the low 16 bits of its address, 0xFF elsewhere.
std::vector<uint8_t> FlashOfFile(const std::string& path, int& records)
{
    std::vector<uint8_t> flash(0x10000, 0xFF);
    std::ifstream in(path);
    std::string line;
    records = 0;
    auto byteAt = [&line](size_t at) { return uint8_t(std::stoi(line.substr(at, 2), nullptr, 16)); };
    while (std::getline(in, line)) {
        if (line.rfind("S2", 0) != 0)
            continue;
        const int count = byteAt(2);
        const int address = byteAt(6) * 256 + byteAt(8);
        for (int i = 0; i < count - 4; ++i)
            flash[address + i] = byteAt(10 + 2 * i);
        ++records;
    }
    return flash;
}

// First differing address, or -1.
int FirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        if (a[i] != b[i])
            return int(i);
    return a.size() == b.size() ? -1 : int(std::min(a.size(), b.size()));
}

class FirmwareTest : public Session {
protected:
    void StartAndDownload()
    {
        Start();
        form->EmpfangenButton->click();
        ASSERT_EQ(dialogs.Log(), std::vector<std::string>{"beep"});
        dialogs.Clear();
    }
    // After every update, good or bad: the mode line released, the controls back.
    void ExpectReleased(const char* when)
    {
        EXPECT_FALSE(live->Port().RtsHigh()) << when;
        EXPECT_EQ(Colour(form->ModePanel), kPanelOffColour) << when;
        EXPECT_FALSE(params.ModeLineOn) << when;
        ExpectUsable(true, when);
    }
};

}  // namespace

TEST_F(FirmwareTest, SampleFileEndsUpInTheFlash)
{
    int records = 0;
    const std::vector<uint8_t> expected = FlashOfFile(kSample, records);
    ASSERT_GT(records, 100) << kSample;
    StartAndDownload();
    ASSERT_NE(Rom().Flash(), expected);

    dialogs.ChooseOpen(kSample);
    // The P-Mode panel shows the board's answer to the mode line while the boot ROM runs.
    int sleepsInBootMode = 0, brightInBootMode = 0;
    OnSleep = [&](int) {
        if (live->Port().Running() != &Rom() || !live->Port().RtsHigh())
            return;
        ++sleepsInBootMode;
        brightInBootMode += Colour(form->ModePanel) == kPanelOnColour;
    };
    const Cost cost = Measure([this] { form->FirmwareButton->click(); });
    OnSleep = nullptr;
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{kFirmwareDialog, "beep"}));
    EXPECT_GT(sleepsInBootMode, 1000);
    EXPECT_EQ(brightInBootMode, sleepsInBootMode);
    EXPECT_EQ(FirstDifference(Rom().Flash(), expected), -1);
    EXPECT_EQ(Rom().Erases(), 1);
    EXPECT_EQ(Rom().PagesProgrammed().front(), 0x8000);
    EXPECT_EQ(params.DataFolder, fs::path(kSample).parent_path().string());
    EXPECT_EQ(form->ProgressBar->value(), 100);
    ExpectReleased("after the update");
    // About a minute and a half of flashing in virtual time, a moment in real time.
    EXPECT_GT(cost.virtualSeconds, 90.0);
    EXPECT_LT(cost.realSeconds, 5.0);
    std::cout << "firmware update: " << cost.virtualSeconds << " s virtual, "
              << cost.realSeconds << " s real\n";

    // The next session starts the new firmware: the board answers a download.
    dialogs.Clear();
    form->EmpfangenButton->click();
    EXPECT_EQ(dialogs.Log(), std::vector<std::string>{"beep"});
    EXPECT_EQ(form->statusLabel->text(), "Daten gelesen");
}

TEST_F(FirmwareTest, CancelledChoiceTouchesNothing)
{
    StartAndDownload();
    live->Port().ClearLog();
    dialogs.ChooseOpen(std::nullopt);
    form->FirmwareButton->click();
    EXPECT_EQ(dialogs.Log(), std::vector<std::string>{kFirmwareDialog});
    EXPECT_TRUE(live->Port().Log().empty());
    EXPECT_EQ(form->statusLabel->text(), "Daten gelesen");
    ExpectReleased("after cancelling");
}

TEST_F(FirmwareTest, ProgramErrorStopsTheUpdateAndReleasesTheBoard)
{
    StartAndDownload();
    Rom().failure = BootRom::Failure::ProgramError;
    Rom().FailPage = 0x8300;
    dialogs.ChooseOpen(kSample);
    form->FirmwareButton->click();
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{kFirmwareDialog, "beep",
                                                        "error:Flash programmieren mit Fehler beendet!!"}));
    EXPECT_EQ(Rom().PagesProgrammed(), (std::vector<int>{0x8000, 0x8100, 0x8200, 0x8300}));
    // The status names the phase that failed; the bar stays where it was (3 of 127 pages).
    EXPECT_EQ(form->statusLabel->text(), "Code-Flash programmieren");
    EXPECT_EQ(form->ProgressBar->value(), 2);
    ExpectReleased("after the program error");

    // The user starts again: the update begins with the erase and now succeeds.
    Rom().failure = BootRom::Failure::None;
    dialogs.Clear();
    dialogs.ChooseOpen(kSample);
    form->FirmwareButton->click();
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{kFirmwareDialog, "beep"}));
    EXPECT_EQ(Rom().Erases(), 2);
    int records = 0;
    EXPECT_EQ(FirstDifference(Rom().Flash(), FlashOfFile(kSample, records)), -1);
}
