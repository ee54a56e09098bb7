// What each exchange reports when a step of it fails: the window backs up only after
// Done and the command line chooses its exit code from it, so a failure reported as
// Done, or as the wrong kind, is a fault a user would meet.
#include "download.h"
#include "service_clear.h"
#include "service_device_type.h"
#include "service_serial_number.h"
#include "transfer_test_host.h"
#include "upload.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

enum class Exchange { Upload, Download, ClearHours, DeviceType, Serial };

struct Case {
    const char* name;
    Exchange exchange;
    std::function<void(TransferRig&)> arrange;
    Outcome expected;
};

Outcome RunExchangeOf(TransferRig& rig, Exchange exchange)
{
    switch (exchange) {
    case Exchange::Upload: return SendenButtonClick(rig.board, rig.host, rig.params);
    case Exchange::Download: return EmpfangenButtonClick(rig.board, rig.host, rig.params, rig.faults);
    case Exchange::ClearHours: return BetriebsZeitLoeButtonClick(rig.board, rig.host, rig.params);
    case Exchange::DeviceType: return Button1Click(rig.board, rig.host, rig.params);
    case Exchange::Serial: return SendSerienNrButtonClick(rig.board, rig.host, rig.params);
    }
    return Outcome::Done;
}

// The interrupt arrives at the `n`-th sleep of the exchange, as Ctrl-C does.
void InterruptAtSleep(TransferRig& rig, int n)
{
    rig.host.link.onSleep = [n, count = 0](int) mutable {
        if (++count == n)
            throw EInterrupted();
    };
}

const std::vector<Case>& Cases()
{
    static const std::vector<Case> cases = {
        {"upload done", Exchange::Upload, [](TransferRig&) {}, Outcome::Done},
        {"upload answered no", Exchange::Upload, [](TransferRig& r) { r.host.link.dialogs.AnswerConfirm(false); },
         Outcome::Declined},
        {"upload of nothing loaded", Exchange::Upload, [](TransferRig& r) { r.params.DataPresent = 0; },
         Outcome::Refused},
        {"upload: board silent at the ping", Exchange::Upload,
         [](TransferRig& r) { r.board.SetApplication(nullptr); }, Outcome::BoardFailed},
        {"upload: reset line unanswered", Exchange::Upload,
         [](TransferRig& r) { r.board.ResetAnswer.mode = LineBehaviour::Mode::Never; }, Outcome::BoardFailed},
        {"upload: wrong echo", Exchange::Upload, [](TransferRig& r) { r.config.Faults.WrongEchoAt = 3; },
         Outcome::BoardFailed},
        {"upload: no confirmation", Exchange::Upload,
         [](TransferRig& r) { r.config.Faults.NoConfirmation = true; }, Outcome::BoardFailed},
        {"upload: bytes do not leave the PC", Exchange::Upload, [](TransferRig& r) { r.board.WritesStuck = true; },
         Outcome::PortFailed},
        {"upload: unplugged", Exchange::Upload, [](TransferRig& r) { r.config.Faults.UnplugAfter = 40; },
         Outcome::PortFailed},
        {"upload: a write fails", Exchange::Upload, [](TransferRig& r) { r.board.FailCall("WriteByte"); },
         Outcome::PortFailed},
        {"upload: line error", Exchange::Upload,
         [](TransferRig& r) { r.board.InjectLineError(LineErrorKind::Frame, 2'500'000); }, Outcome::LineError},
        {"upload: interrupted while storing", Exchange::Upload, [](TransferRig& r) { InterruptAtSleep(r, 500); },
         Outcome::Interrupted},
        {"download done", Exchange::Download, [](TransferRig&) {}, Outcome::Done},
        {"download: board stops sending", Exchange::Download,
         [](TransferRig& r) { r.config.Faults.SilentAfter = 500; }, Outcome::BoardFailed},
        {"download: unplugged", Exchange::Download,
         [](TransferRig& r) { r.config.Faults.UnplugAfterSent = 3000; }, Outcome::PortFailed},
        {"download: line error", Exchange::Download,
         [](TransferRig& r) { r.board.InjectLineError(LineErrorKind::Overrun, 3'000'000); }, Outcome::LineError},
        {"download: interrupted", Exchange::Download, [](TransferRig& r) { InterruptAtSleep(r, 3); },
         Outcome::Interrupted},
        {"clear done", Exchange::ClearHours, [](TransferRig&) {}, Outcome::Done},
        {"clear answered no", Exchange::ClearHours, [](TransferRig& r) { r.host.link.dialogs.AnswerConfirm(false); },
         Outcome::Declined},
        {"clear: no confirmation", Exchange::ClearHours,
         [](TransferRig& r) { r.config.Faults.NoConfirmation = true; }, Outcome::BoardFailed},
        {"device type done", Exchange::DeviceType, [](TransferRig&) {}, Outcome::Done},
        {"device type: wrong confirmation", Exchange::DeviceType,
         [](TransferRig& r) { r.config.Faults.WrongConfirmation = 0x55; }, Outcome::BoardFailed},
        {"serial number done", Exchange::Serial, [](TransferRig&) {}, Outcome::Done},
        {"serial number: no echo", Exchange::Serial, [](TransferRig& r) { r.config.Faults.NoEchoFrom = 2; },
         Outcome::BoardFailed},
        {"serial number: stuck writes", Exchange::Serial, [](TransferRig& r) { r.board.WritesStuck = true; },
         Outcome::PortFailed},
    };
    return cases;
}

TEST(Outcomes, EveryFailingStepReportsItsKindAndNeverDone)
{
    for (const Case& c : Cases()) {
        TransferRig rig;
        rig.params.DataPresent = 1;
        rig.params.SerialNumber = "0042";
        rig.params.DeviceMark = "ABC";
        c.arrange(rig);
        rig.host.link.dialogs.AnswerConfirm(true);
        const Outcome outcome = RunExchangeOf(rig, c.exchange);
        EXPECT_EQ(outcome, c.expected) << c.name << ": " << OutcomeName(outcome);
    }
}

}  // namespace
