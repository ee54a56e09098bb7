// Every exchange with the board through the production TComPort, its watching threads
// included, on a pseudo-terminal with the virtual board at the far end, in virtual
// time. A frame error flagged by the driver at any moment of an exchange must end it
// with exactly one message, the port closed, nothing stored and no success shown,
// whichever of the exchange and the port's checker thread sees the error first.
#include "boot_rom.h"
#include "board_config.h"
#include "com_port.h"
#include "com_signal.h"
#include "download.h"
#include "firmware_test_host.h"
#include "flash_protocol.h"
#include "pty_board.h"
#include "service_clear.h"
#include "service_device_type.h"
#include "service_serial_number.h"
#include "transfer_test_host.h"
#include "upload.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>
#include <functional>
#include <memory>

namespace {

// The board on the far end of a pty, the real port on the near end, the window's
// port events (a line error closes the port) and the recording host.
struct RealPortRig {
    VirtualClock clock;
    VirtualBoard board{clock};
    ConfigBoard config;
    BootRom rom;
    PtyBoard pty{board};
    TComPort port{pty};
    ParameterSet params;
    FaultMemory faults;
    TransferTestHost host{clock, params};
    FirmwareTestHost firmwareHost{host.link, clock};
    TComSignal reset{TComSignal::Line::Dsr, nullptr};
    TComSignal mode{TComSignal::Line::Cts, nullptr};
    ComPortEvents events{port, host.Messages(), params, reset, mode};

    RealPortRig()
    {
        board.SetApplication(&config);
        board.SetBootRom(&rom);
        pty.Attach(host.link);
        params.ValueCount = kValueCount;
        params.SelectedPort = pty.DeviceName();
        port.SetDeviceName(pty.DeviceName());
        port.SetEvents(&events);
        port.SetPoster(host.link.Poster());
        // The checker looks all the time, so that it races the exchange for the error.
        port.SetCheckInterval(1);
        port.SetActive(true);
    }
    ~RealPortRig() { port.SetActive(false); }

    std::vector<std::string> Log() const { return host.link.dialogs.Log(); }
    // The log without the questions asked before the exchange (and their beeps).
    std::vector<std::string> Failures() const
    {
        std::vector<std::string> log = Log(), kept;
        for (size_t i = 0; i < log.size(); ++i) {
            if (log[i] == "beep" && i + 1 < log.size() && log[i + 1].rfind("confirm:", 0) == 0) {
                ++i;
                continue;
            }
            kept.push_back(log[i]);
        }
        return kept;
    }
    std::string LineErrorBox() const { return "error:ComPortLineError:  " + pty.DeviceName() + " !"; }
};

// A small firmware: two code pages at the top of the flash, carrying the ID the boot
// ROM expects.
FirmwareImage SmallFirmware()
{
    FirmwareImage image;
    image.hasCodeRecords = true;
    image.codeBase = 0xFE00;
    for (int a = 0xFE00; a < 0x10000; ++a)
        image.codeImage[size_t(a - 0xFE00)] = uint8_t(a * 5);
    return image;
}

// One kind of exchange: how it is prepared and run, and the status it ends with on
// success.
struct ExchangeKind {
    const char* name;
    std::function<void(RealPortRig&)> run;
    const char* success;
};

std::vector<ExchangeKind> Kinds()
{
    auto confirmed = [](RealPortRig& r) {
        r.params.DataPresent = 1;
        r.host.link.dialogs.AnswerConfirm(true);
    };
    return {
        {"download", [](RealPortRig& r) { EmpfangenButtonClick(r.port, r.host, r.params, r.faults); },
         "Daten gelesen"},
        {"upload",
         [confirmed](RealPortRig& r) {
             confirmed(r);
             r.config.StoreDelayUs = 400'000;
             SendenButtonClick(r.port, r.host, r.params);
         },
         "Programmiert"},
        {"operating time",
         [confirmed](RealPortRig& r) {
             confirmed(r);
             BetriebsZeitLoeButtonClick(r.port, r.host, r.params);
         },
         "Betriebszeit gelöscht"},
        {"fault memory",
         [confirmed](RealPortRig& r) {
             confirmed(r);
             r.config.ClearFaultsDelayUs = 1'000'000;
             FehlerSpeicherLoeButtonClick(r.port, r.host, r.params);
         },
         "Fehlerspeicher gelöscht"},
        {"identity",
         [confirmed](RealPortRig& r) {
             confirmed(r);
             KennungLoeButtonClick(r.port, r.host, r.params);
         },
         "Kennung gelöscht"},
        {"device type",
         [confirmed](RealPortRig& r) {
             confirmed(r);
             r.params.DeviceType = 17;
             Button1Click(r.port, r.host, r.params);
         },
         "Programmiert"},
        {"serial number",
         [confirmed](RealPortRig& r) {
             confirmed(r);
             r.params.SerialNumber = "4711";
             r.params.DeviceMark = "XYZ";
             SendSerienNrButtonClick(r.port, r.host, r.params);
         },
         "Serien-Nummer programmiert"},
        {"firmware",
         [](RealPortRig& r) {
             r.params.DataPresent = 1;
             r.rom.EraseUs = 200'000;
             const FirmwareImage image = SmallFirmware();
             r.rom.StoreId(image.IdCode());
             Link link{r.port, r.firmwareHost, r.params};
             FlashFirmware(link, r.firmwareHost, image);
         },
         "Code-Flash programmiert"},
    };
}

// Virtual time from the start of a clean run to the moment its success was shown.
int64_t SuccessTimeUs(const ExchangeKind& kind)
{
    RealPortRig rig;
    const int64_t start = rig.clock.NowUs();
    kind.run(rig);
    const auto& statuses = rig.host.link.Statuses();
    for (size_t i = 0; i < statuses.size(); ++i)
        if (statuses[i] == kind.success)
            return rig.host.link.StatusTimesUs()[i] - start;
    ADD_FAILURE() << kind.name << ": the clean run did not succeed";
    return 0;
}

TEST(RealPort, EveryExchangeSucceedsOverTheRealPort)
{
    for (const ExchangeKind& kind : Kinds()) {
        RealPortRig rig;
        kind.run(rig);
        for (const std::string& entry : rig.Failures())
            EXPECT_EQ(entry, "beep") << kind.name;
        EXPECT_NE(std::find(rig.host.link.Statuses().begin(), rig.host.link.Statuses().end(), kind.success),
                  rig.host.link.Statuses().end())
            << kind.name;
        EXPECT_TRUE(rig.port.Active()) << kind.name;
    }
    // What crossed the pty is what the protocol sends.
    RealPortRig rig;
    rig.config.Values[0] = 4242;
    EmpfangenButtonClick(rig.port, rig.host, rig.params, rig.faults);
    EXPECT_EQ(rig.board.BytesReceived(), (std::vector<uint8_t>{0xBA, 0xA5, 0xAB}));
    EXPECT_EQ(rig.params.Values[0], 4242);
    EXPECT_EQ(rig.params.DataPresent, 1);
}

// The race of the old port: a frame error on one of the last bytes of a download,
// where the exchange's own reads and the checker thread meet it at nearly the same
// moment. A hundred runs, the error on each of the last 50 bytes twice.
TEST(RealPort, AFrameErrorOnTheLastBytesOfADownloadNeverEndsInSuccess)
{
    const size_t streamBytes = ConfigBoard().DownloadStream().size();
    for (int run = 0; run < 100; ++run) {
        RealPortRig rig;
        // Byte 0 is the ping's answer, then the download stream.
        const size_t fromEnd = size_t(run % 50);
        rig.board.InjectLineErrorOnByte(streamBytes - fromEnd);
        EmpfangenButtonClick(rig.port, rig.host, rig.params, rig.faults);
        const std::string at = "error on byte " + std::to_string(fromEnd) + " from the end, run " + std::to_string(run);
        ASSERT_EQ(rig.Log(), (std::vector<std::string>{"beep", rig.LineErrorBox()})) << at;
        EXPECT_FALSE(rig.port.Active()) << at;
        EXPECT_EQ(rig.params.DataPresent, 0) << at;
        EXPECT_EQ(rig.params.Values, ParameterSet::StartValues()) << at;
        EXPECT_EQ(rig.params.DeviceType, 255) << at;
        EXPECT_EQ(rig.params.BoardVersionText, "...") << at;
        EXPECT_EQ(rig.params.SerialNumber, "....") << at;
        EXPECT_EQ(rig.faults.Entry(1).Time, 0) << at;
        EXPECT_EQ(rig.host.link.LastStatus(), "") << at;
        EXPECT_EQ(rig.host.link.LastProgress(), 0) << at;
        EXPECT_EQ(rig.host.link.LinkControls(), true) << at;
        EXPECT_EQ(rig.host.link.EditorControls(), true) << at;
    }
}

// Noise on the line at a random moment of real time while a download runs: either the
// download ends before it (success, and the error is shown once the window is idle) or
// the download fails with the one line-error message. Never both, never two messages.
TEST(RealPort, ALineErrorAtARandomRealMomentIsNeverFollowedBySuccess)
{
    using namespace std::chrono;
    microseconds duration {};
    {
        RealPortRig rig;
        const auto start = steady_clock::now();
        EmpfangenButtonClick(rig.port, rig.host, rig.params, rig.faults);
        duration = duration_cast<microseconds>(steady_clock::now() - start);
    }
    std::mt19937 random(20261209);
    int failed = 0, succeeded = 0;
    for (int run = 0; run < 100; ++run) {
        RealPortRig rig;
        // Over twice the download's time: also after its end, whatever the machine's load.
        const microseconds delay(std::uniform_int_distribution<int64_t>(0, 2 * duration.count())(random));
        std::thread noise([&] {
            std::this_thread::sleep_for(delay);
            rig.pty.FlagLineErrorNow();
        });
        EmpfangenButtonClick(rig.port, rig.host, rig.params, rig.faults);
        noise.join();
        const std::string at = "run " + std::to_string(run) + ", " + std::to_string(delay.count()) + " us";
        if (rig.params.DataPresent) {
            ++succeeded;
            EXPECT_EQ(rig.Log(), std::vector<std::string>{"beep"}) << at;
            EXPECT_EQ(rig.host.link.LastStatus(), "Daten gelesen") << at;
        } else {
            ++failed;
            EXPECT_EQ(rig.Log(), (std::vector<std::string>{"beep", rig.LineErrorBox()})) << at;
            EXPECT_EQ(rig.host.link.LastStatus(), "") << at;
            EXPECT_EQ(rig.params.Values, ParameterSet::StartValues()) << at;
            EXPECT_EQ(rig.params.DeviceType, 255) << at;
        }
    }
    // The error came during the download in many runs (how many depends on the
    // machine's load; the outcome of every run was checked above).
    EXPECT_GT(failed, 0) << succeeded << " runs ended before the error came";
}

// For every kind of exchange, an error flagged at moments spread over its whole run,
// from the first byte to the moment it would report success.
TEST(RealPort, AFrameErrorAtAnyMomentFailsEveryExchangeWithOneMessage)
{
    constexpr int kMoments = 9;
    for (const ExchangeKind& kind : Kinds()) {
        const int64_t successUs = SuccessTimeUs(kind);
        ASSERT_GT(successUs, 0) << kind.name;
        for (int k = 0; k <= kMoments; ++k) {
            RealPortRig rig;
            // The last moment is the very instant of success: the exchange has read its
            // last byte, and no further port call would meet the error.
            const int64_t atUs = successUs * k / kMoments;
            rig.board.InjectLineError(LineErrorKind::Frame, atUs);
            kind.run(rig);
            const std::string at = std::string(kind.name) + " at " + std::to_string(atUs / 1000) + " ms";
            ASSERT_EQ(rig.Failures(), (std::vector<std::string>{"beep", rig.LineErrorBox()})) << at;
            EXPECT_FALSE(rig.port.Active()) << at;
            for (const std::string& status : rig.host.link.Statuses())
                EXPECT_NE(status, kind.success) << at;
            EXPECT_EQ(rig.host.link.LinkControls(), true) << at;
            if (std::string(kind.name) == "firmware") {
                EXPECT_FALSE(rig.board.RtsHigh()) << at << ": the mode line is released";
                EXPECT_EQ(rig.firmwareHost.PortList, true) << at;
            } else {
                EXPECT_EQ(rig.host.link.LastStatus(), "") << at;
                EXPECT_EQ(rig.host.link.LastProgress(), 0) << at;
            }
        }
    }
}

// An upload whose line fails while the board stores: the board has the values, but the
// program does not claim it, and says so once.
TEST(RealPort, ADeviceThatVanishesEndsTheExchangeWithThePortError)
{
    RealPortRig rig;
    rig.params.DataPresent = 1;
    rig.host.link.dialogs.AnswerConfirm(true);
    rig.host.link.onSleep = [&](int) {
        rig.pty.Pump();
        if (rig.host.link.LastStatus() == "Programmierung")
            rig.pty.HangUp();
    };
    SendenButtonClick(rig.port, rig.host, rig.params);
    EXPECT_EQ(rig.Log(), (std::vector<std::string>{"beep", "confirm:Daten übertragen?", "beep",
                                                   "error:ComPortError:  " + rig.pty.DeviceName() + " !"}));
    EXPECT_FALSE(rig.port.Active());
    EXPECT_EQ(rig.host.link.LastStatus(), "");
    EXPECT_EQ(rig.host.link.LinkControls(), true);
}

}  // namespace
