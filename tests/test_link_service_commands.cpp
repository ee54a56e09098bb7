#include "service_clear.h"
#include "service_device_type.h"
#include "transfer_test_host.h"

#include <gtest/gtest.h>

namespace {

const std::string kWrongByte = "   Programmierfehler!\n\nFalsches Bestätigungsbyte.";
const std::string kTimeout = "Programmierfehler!\n\nZeitüberschreitung.";

struct ServiceRig : TransferRig {
    ServiceRig() { host.link.dialogs.AnswerConfirm(true); }
    // Sends 0xAF from the test so that it is read at clear poll `poll` (1-based).
    void ConfirmAtPoll(int poll, const std::string& runningStatus)
    {
        config.Faults.NoConfirmation = true;
        host.link.onSleep = [this, poll, runningStatus, count = 0](int ms) mutable {
            if (ms != kClearPollMs || host.link.LastStatus() != runningStatus) return;
            if (++count == poll - 1) board.Send(0xAF);
        };
    }
};

}  // namespace

TEST(ClearCommands, EachCommandClearsOnTheBoard)
{
    for (const ClearCommand* c : {&kClearOperatingTime, &kClearFaultMemory, &kClearIdentity}) {
        SCOPED_TRACE(c->RunningStatus);
        for (bool loaded : {false, true}) {
            ServiceRig rig;
            rig.params.DataPresent = loaded;
            RunClearCommand(*c, rig.board, rig.host, rig.params);
            EXPECT_EQ(rig.host.link.dialogs.Log(),
                      (std::vector<std::string>{"beep", "confirm:löschen ausführen?", "beep"}));
            EXPECT_EQ(rig.Wire(), std::string("\xBA\xA5") + char(c->CommandByte));
            EXPECT_EQ(rig.config.Clears(c->CommandByte), 1);
            EXPECT_EQ(rig.host.link.Statuses(),
                      (std::vector<std::string>{c->RunningStatus, c->DoneStatus}));
            EXPECT_EQ(rig.host.link.LastProgress(), 100);
            EXPECT_EQ(rig.host.link.LinkControls(), true);
            EXPECT_EQ(rig.host.link.EditorControls(), loaded);
        }
    }
    ServiceRig rig;
    FehlerSpeicherLoeButtonClick(rig.board, rig.host, rig.params);
    EXPECT_EQ(rig.config.FaultTimes[0], 0);
    EXPECT_EQ(rig.config.Clears(0xAD), 1);
    // 5 s of clearing: 250 polls, progress n × 100 / 348, window kept alive.
    const std::vector<int>& p = rig.host.link.Progress();
    EXPECT_NE(std::find(p.begin(), p.end(), 200 * 100 / 348), p.end());
    EXPECT_GE(rig.host.link.ProcessMessagesCalls(), 200);
    ServiceRig op;
    BetriebsZeitLoeButtonClick(op.board, op.host, op.params);
    EXPECT_EQ(op.config.OperatingTime, 0);
    ServiceRig id;
    KennungLoeButtonClick(id.board, id.host, id.params);
    EXPECT_EQ(id.config.SerialNumber, "....");
}

TEST(ClearCommands, ConfirmationPollLimits)
{
    // The echoes of 0xA5 and the command byte use up polls 1 and 2 (counter 0 and 1).
    ServiceRig inTime;
    inTime.ConfirmAtPoll(39, "Betriebszeit löschen");  // counter 38
    BetriebsZeitLoeButtonClick(inTime.board, inTime.host, inTime.params);
    EXPECT_EQ(inTime.Messages(), std::vector<std::string>{"löschen ausführen?"});
    EXPECT_EQ(inTime.host.link.LastStatus(), "Betriebszeit gelöscht");

    ServiceRig late;
    late.ConfirmAtPoll(40, "Kennung löschen");  // counter 39
    KennungLoeButtonClick(late.board, late.host, late.params);
    EXPECT_EQ(late.Messages(), (std::vector<std::string>{"löschen ausführen?", kTimeout}));

    ServiceRig faultsInTime;
    faultsInTime.ConfirmAtPoll(349, "Fehlerspeicher löschen");
    FehlerSpeicherLoeButtonClick(faultsInTime.board, faultsInTime.host, faultsInTime.params);
    EXPECT_EQ(faultsInTime.host.link.LastStatus(), "Fehlerspeicher gelöscht");

    ServiceRig none;
    none.config.Faults.NoConfirmation = true;
    FehlerSpeicherLoeButtonClick(none.board, none.host, none.params);
    EXPECT_EQ(none.Messages(), (std::vector<std::string>{"löschen ausführen?", kTimeout}));
    EXPECT_EQ(none.host.link.LastProgress(), 0);
    EXPECT_EQ(none.host.link.LastStatus(), "");
    EXPECT_EQ(none.host.link.LinkControls(), true);
    EXPECT_EQ(none.host.link.EditorControls(), false);  // nothing loaded
}

TEST(ClearCommands, WrongByteDeclinedAndNoPing)
{
    ServiceRig wrong;
    wrong.config.Faults.WrongConfirmation = 0x12;
    BetriebsZeitLoeButtonClick(wrong.board, wrong.host, wrong.params);
    EXPECT_EQ(wrong.Messages(), (std::vector<std::string>{"löschen ausführen?", kWrongByte}));
    EXPECT_EQ(wrong.host.link.LastStatus(), "");

    TransferRig no;
    no.host.link.dialogs.AnswerConfirm(false);
    KennungLoeButtonClick(no.board, no.host, no.params);
    EXPECT_EQ(no.Wire(), "\xBA");
    EXPECT_EQ(no.host.link.LinkControls(), std::nullopt);

    TransferRig silent;
    silent.config.Ping.mode = PingBehaviour::Mode::NoAnswer;
    KennungLoeButtonClick(silent.board, silent.host, silent.params);
    ASSERT_EQ(silent.Messages().size(), 1u);
    EXPECT_EQ(silent.Messages()[0].rfind("     Gerät antwortet nicht!", 0), 0u);
    // No reset pulse for the service commands.
    for (const auto& e : silent.board.Log())
        EXPECT_NE(e.line, "DTR=1");
}

TEST(ClearCommands, PortFailureEndsWithOneMessageAndRestoresTheWindow)
{
    ServiceRig rig;
    rig.params.SelectedPort = "/dev/ttyUSB1";
    // Once clearing runs, the next read fails with EIO (the converter was pulled).
    rig.host.link.onSleep = [&rig, armed = false](int) mutable {
        if (!armed && rig.host.link.LastStatus() == "Fehlerspeicher löschen") {
            rig.board.FailCall("ReadByte");
            armed = true;
        }
    };
    FehlerSpeicherLoeButtonClick(rig.board, rig.host, rig.params);
    EXPECT_EQ(rig.host.link.dialogs.Log(),
              (std::vector<std::string>{"beep", "confirm:löschen ausführen?", "beep",
                                        "error:ComPortError:  /dev/ttyUSB1 !"}));
    EXPECT_EQ(rig.host.link.LastProgress(), 0);
    EXPECT_EQ(rig.host.link.LastStatus(), "");
    EXPECT_EQ(rig.host.link.LinkControls(), true);
    EXPECT_EQ(rig.host.link.EditorControls(), false);
}

TEST(DeviceType, TransferSendsTheTypeAndTheBoardStoresIt)
{
    ServiceRig rig;
    rig.params.DeviceType = 7;
    Button1Click(rig.board, rig.host, rig.params);
    EXPECT_EQ(rig.host.link.dialogs.Log(),
              (std::vector<std::string>{"beep", "confirm:Übertragung ausführen?", "beep"}));
    EXPECT_EQ(rig.Wire(), "\xBA\xA5\xA4" "7_\xFA");
    EXPECT_EQ(rig.config.DeviceType, 7);
    EXPECT_EQ(rig.host.link.Statuses(),
              (std::vector<std::string>{"Gerätetyp-Übertragung", "Programmierung", "Programmiert"}));
    const std::vector<int>& p = rig.host.link.Progress();
    ASSERT_GE(p.size(), 4u);
    EXPECT_EQ(std::vector<int>(p.begin(), p.begin() + 4), (std::vector<int>{0, 80, 100, 0}));
    EXPECT_EQ(p.back(), 100);
    EXPECT_EQ(rig.host.link.EditorControls(), true);

    ServiceRig none;  // no selection: 255
    Button1Click(none.board, none.host, none.params);
    EXPECT_EQ(none.Wire(), "\xBA\xA5\xA4" "255_\xFA");
    EXPECT_EQ(none.config.DeviceType, 255);
}

TEST(DeviceType, FailuresUseTheLinkErrorCodes)
{
    struct Case {
        std::function<void(ConfigBoardFaults&)> setUp;
        std::string message;
    };
    const std::vector<Case> cases = {
        {[](ConfigBoardFaults& f) { f.WrongEchoAt = 1; },
         "Datenübertragungsfehler!  Fehlercode 1\n\nFalsches Antwortbyte."},
        {[](ConfigBoardFaults& f) { f.NoEchoFrom = 2; },
         "Datenübertragungsfehler!  Fehlercode 4\n\nZeitüberschreitung."},
        {[](ConfigBoardFaults& f) {
             f.NoEchoFrom = 3;
             f.NoConfirmation = true;
         },
         "Datenübertragungsfehler!  Fehlercode 6\n\nZeitüberschreitung."},
        {[](ConfigBoardFaults& f) { f.WrongConfirmation = 0; },
         "Programmierfehler!  Fehlercode 7\n\nFalsches Bestätigungsbyte."},
        {[](ConfigBoardFaults& f) { f.NoConfirmation = true; },
         "Programmierfehler!  Fehlercode 8\n\nZeitüberschreitung."},
        {[](ConfigBoardFaults& f) { f.UnplugAfter = 1; }, "ComPortError:  COM1 !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        ServiceRig rig;
        rig.params.DeviceType = 42;
        c.setUp(rig.config.Faults);
        Button1Click(rig.board, rig.host, rig.params);
        EXPECT_EQ(rig.Messages(), (std::vector<std::string>{"Übertragung ausführen?", c.message}));
        EXPECT_EQ(rig.config.DeviceType, 0);
        EXPECT_EQ(rig.host.link.LastProgress(), 0);
        EXPECT_EQ(rig.host.link.LastStatus(), "");
        EXPECT_EQ(rig.host.link.LinkControls(), true);
        EXPECT_EQ(rig.host.link.EditorControls(), true);
    }
}
