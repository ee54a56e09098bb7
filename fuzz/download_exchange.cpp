// "Vom Gerät zum PC" against the virtual board in virtual time, the board answering
// 0xA5 0xAB with the input instead of its own stream. Whatever it sends, the download
// ends either with "Daten gelesen" and no message, or with exactly one error box and
// nothing marked as loaded; the window's controls always come back, and the fault
// memory only holds numbers the fault window can show.
#include "board_config.h"
#include "download.h"
#include "fuzz_support.h"
#include "virtual_board.h"

namespace {

// The board's configuration firmware, but what it sends for the download is given.
class ScriptedDownloadBoard : public ConfigBoard {
public:
    std::vector<uint8_t> Stream;

protected:
    void OnCommand(VirtualBoard& board, uint8_t command) override
    {
        if (command == kDownload)
            board.Send(Stream, DownloadDelayUs);
        else
            ConfigBoard::OnCommand(board, command);
    }
};

// The main window as far as the download uses it, on the virtual clock.
class Host : public TransferHost {
public:
    explicit Host(VirtualClock& clock) : clock_(clock) {}
    CountingDialogs dialogs;
    int Progress = -1;
    std::string Status;
    bool LinkControls = false;
    bool EditorControls = false;

    Dialogs& Messages() override { return dialogs; }
    void Sleep(int ms) override { clock_.AdvanceMs(ms); }
    void ProcessMessages() override {}
    // A board that sends more than 3000 fields drives this past 100 on the way (the
    // progress bar ignores such values); only where it ends is checked.
    void SetProgress(int percent) override { Progress = percent; }
    void SetStatus(const std::string& text) override { Status = text; }
    void EnableLinkControls(bool on) override { LinkControls = on; }
    void EnableEditorControls(bool on) override { EditorControls = on; }
    void PaintResetPanel(bool) override {}
    void PaintModePanel(bool) override {}
    void RefreshMainWindow() override {}
    void EnableDeviceTypeButton() override {}
    std::string SerialEditText() override { return "...."; }
    void EnableSendSerialButton(bool) override {}

private:
    VirtualClock& clock_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    VirtualClock clock;
    VirtualBoard board(clock);
    ScriptedDownloadBoard config;
    config.Stream.assign(data, data + size);
    board.SetApplication(&config);
    board.SetActive(true);
    ParameterSet params;
    params.ValueCount = kValueCount;
    FaultMemory faults;
    Host host(clock);

    EmpfangenButtonClick(board, host, params, faults);

    FUZZ_REQUIRE(host.LinkControls && host.EditorControls);
    FUZZ_REQUIRE(host.dialogs.Beeps == 1);
    for (int n = 1; n <= kFaultEntries; ++n)
        FUZZ_REQUIRE(faults.Entry(n).Fault <= kInvalidFaultText);
    FUZZ_REQUIRE(params.BoardVersionText.size() <= 3 * (Download::kVersionTextLimit - 2));
    if (params.DataPresent == 1) {
        FUZZ_REQUIRE(host.dialogs.Boxes == 0);
        FUZZ_REQUIRE(host.Progress == 100);
        FUZZ_REQUIRE(host.Status == "Daten gelesen");
    } else {
        FUZZ_REQUIRE(host.dialogs.Boxes == 1);
        FUZZ_REQUIRE(host.Progress == 0);
        FUZZ_REQUIRE(host.Status.empty());
    }
    return 0;
}
