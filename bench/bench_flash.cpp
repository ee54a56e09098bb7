// How long a firmware update takes against the virtual boot ROM.
//
// 1. A full update (128 code pages, 8 data pages) in virtual time: the protocol's
//    duration and the real time the program needed to run it.
// 2. A short update (4 code pages) in real time at 9600-baud timing: the time it took,
//    the protocol's own minimum for it (its fixed waits plus the time every byte needs
//    on the wire) and their ratio. The rest is polling granularity and sleep overshoot.
// 3. The same short update against the live virtual board, as the program runs it
//    behind the port "virtuell" (LCDKONFIG_VIRTUAL_BOARD=1).
#include "boot_rom.h"
#include "flash_protocol.h"
#include "live_board.h"
#include "virtual_board.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

using namespace FlashTiming;
using Steady = std::chrono::steady_clock;

class PrintingDialogs : public Dialogs {
public:
    void Beep() override {}
    void Information(const std::string& text) override { std::printf("  info: %s\n", text.c_str()); }
    void Error(const std::string& text) override { std::printf("  error: %s\n", text.c_str()); }
    Answer AskYesNo(const std::string&) override { return Answer::No; }
    bool ConfirmOk(const std::string&) override { return false; }
    std::optional<std::string> OpenFileName(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> SaveFileName(const FileDialogRequest&) override { return {}; }
};

class BenchHost : public FirmwareHost {
public:
    BenchHost(VirtualClock& clock, bool realTime) : clock_(clock), realTime_(realTime) {}
    Dialogs& Messages() override { return dialogs_; }
    void Sleep(int ms) override
    {
        if (realTime_)
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        else
            clock_.AdvanceMs(ms);
    }
    void ProcessMessages() override {}
    void SetProgress(int) override {}
    void SetStatus(const std::string&) override {}
    void EnableLinkControls(bool) override {}
    void EnableEditorControls(bool) override {}
    void PaintResetPanel(bool) override {}
    void PaintModePanel(bool) override {}
    void EnablePortList(bool) override {}
    void FocusMainWindow() override {}
    void RepaintMainWindow() override {}

private:
    VirtualClock& clock_;
    bool realTime_;
    PrintingDialogs dialogs_;
};

// An image from codeBase to 0xFFFF carrying `id` in its ID bytes, so that the boot ROM
// of a board whose firmware has the same ID accepts it at the first ID check.
FirmwareImage MakeImage(int codeBase, bool withData, const std::array<uint8_t, 7>& id)
{
    static constexpr int kIdAddresses[7] = {0xFFDF, 0xFFE3, 0xFFEB, 0xFFEF, 0xFFF3, 0xFFF7, 0xFFFB};
    FirmwareImage image;
    image.hasCodeRecords = true;
    image.codeBase = codeBase;
    for (int a = codeBase; a < 0x10000; ++a)
        image.codeImage[size_t(a - codeBase)] = uint8_t(a * 7 + (a >> 8));
    for (int k = 0; k < 7; ++k)
        image.codeImage[size_t(kIdAddresses[k] - codeBase)] = id[size_t(k)];
    if (withData) {
        image.hasDataRecords = true;
        image.dataBase = kDataFlashStart;
        for (int i = 0; i < 0x800; ++i)
            image.dataImage[size_t(i)] = uint8_t(i ^ 0x3C);
    }
    return image;
}

double WireMs(int bytes) { return bytes * double(kByteTimeUs) / 1000.0; }

// The fixed waits of the protocol and the wire time of every byte, for an image with
// `pages` pages in all (each programmed and read back) in `regions` regions.
double MinimumMs(int pages, int regions)
{
    const int line = LinkTiming::kLineAnswerMs;
    double ms = 0;
    ms += line + kModeEntryMs + line + kModeEntryMs + line;                  // boot-mode entry
    ms += kBootStartMs + kBaudDetectBytes * (WireMs(1) + kBaudDetectGapMs);  // baud detection
    ms += WireMs(1) + kCommandWaitMs;                                        // 0xB0
    ms += WireMs(1) + kCommandWaitMs + kCommandWaitMs                        // ID check
          + WireMs(1) + kCommandWaitMs;
    ms += kConnectMs;
    ms += WireMs(1) + kCommandWaitMs + WireMs(2) + kErasePasses * kErasePassMs  // erase
          + WireMs(1) + kCommandWaitMs;
    ms += regions * 2.0 * kRegionPauseMs;
    ms += pages * (WireMs(1) + kCommandWaitMs + WireMs(259) + kPageProgramMs + WireMs(1)
                   + kCommandWaitMs + kAfterPageMs);
    ms += pages * (WireMs(3) + WireMs(256));                                 // read-back
    ms += line + LinkTiming::kModeOffSettleMs;                               // mode line off
    return ms;
}

struct Run {
    bool ok;
    double protocolMs;
    double realMs;
};

Run Flash(VirtualBoard& board, VirtualClock& clock, bool realTime, const FirmwareImage& image)
{
    board.SetActive(true);
    BenchHost host(clock, realTime);
    ParameterSet params;
    Link link{board, host, params};
    const int64_t startUs = clock.NowUs();
    const Steady::time_point start = Steady::now();
    const bool ok = FlashFirmware(link, host, image) == Outcome::Done;
    const double realMs = std::chrono::duration<double, std::milli>(Steady::now() - start).count();
    return {ok, double(clock.NowUs() - startUs) / 1000.0, realMs};
}

// A board with a blank boot ROM of its own on `clock`.
Run FlashBlankBoard(VirtualClock& clock, bool realTime, const FirmwareImage& image)
{
    VirtualBoard board(clock);
    BootRom rom;
    board.SetBootRom(&rom);
    return Flash(board, clock, realTime, image);
}

}  // namespace

int main()
{
    const std::array<uint8_t, 7> id = DemoFirmwareId();
    VirtualClock virtualClock;
    const Run full = FlashBlankBoard(virtualClock, false, MakeImage(kCodeFlashStart, true, id));
    std::printf("full update, 128 code + 8 data pages, virtual time%s\n", full.ok ? "" : " (FAILED)");
    std::printf("  protocol time      %10.1f s\n", full.protocolMs / 1000.0);
    std::printf("  protocol minimum   %10.1f s\n", MinimumMs(136, 2) / 1000.0);
    std::printf("  real time to run   %10.1f ms\n", full.realMs);

    const double minimum = MinimumMs(4, 1);
    RealTimeClock realClock;
    const Run shortRun = FlashBlankBoard(realClock, true, MakeImage(0xFC00, false, id));
    std::printf("short update, 4 code pages, real time%s\n", shortRun.ok ? "" : " (FAILED)");
    std::printf("  took               %10.1f ms\n", shortRun.realMs);
    std::printf("  protocol minimum   %10.1f ms\n", minimum);
    std::printf("  ratio              %10.3f\n", shortRun.realMs / minimum);

    LiveBoard live(std::make_unique<RealTimeClock>());
    const Run liveRun = Flash(live.Port(), live.Clock(), true, MakeImage(0xFC00, false, id));
    std::printf("short update, 4 code pages, live virtual board%s\n", liveRun.ok ? "" : " (FAILED)");
    std::printf("  took               %10.1f ms\n", liveRun.realMs);
    std::printf("  protocol minimum   %10.1f ms\n", minimum);
    std::printf("  ratio              %10.3f\n", liveRun.realMs / minimum);
    return full.ok && shortRun.ok && liveRun.ok ? 0 : 1;
}
