#include "upload.h"
#include "transfer_test_host.h"

#include <gtest/gtest.h>

namespace {

struct UploadTest : ::testing::Test, TransferRig {
    UploadTest()
    {
        params.DataPresent = 1;
        host.link.dialogs.AnswerConfirm(true);
    }
    void Run() { SendenButtonClick(board, host, params); }

    // The data bytes as the board's wire table has them: each value in decimal, "_".
    static std::string DataBytes(const std::array<int32_t, kValueCount>& values)
    {
        std::string s;
        for (int32_t v : values) s += std::to_string(v) + "_";
        return s;
    }
    void ExpectCleanedUp()
    {
        EXPECT_EQ(host.link.LastProgress(), 0);
        EXPECT_EQ(host.link.LastStatus(), "");
        EXPECT_EQ(host.link.LinkControls(), true);
        EXPECT_EQ(host.link.EditorControls(), true);
    }
    // Sends 0xAF from the test so that it is read at storing poll `poll` (1-based).
    void ConfirmAtStoringPoll(int poll)
    {
        config.Faults.NoConfirmation = true;
        host.link.onSleep = [this, poll, count = 0](int ms) mutable {
            if (ms != Upload::kStorePollMs || host.link.LastStatus() != "Programmierung") return;
            if (++count == poll - 1) board.Send(0xAF);
        };
    }
};

}  // namespace

TEST_F(UploadTest, StartSetGoesOnTheWireAndIsStored)
{
    params.Values[7] = -250;
    Run();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Daten übertragen?"});
    EXPECT_EQ(host.link.dialogs.Beeps(), 2);  // before the question, after success
    std::array<int32_t, kValueCount> expected = ParameterSet::StartValues();
    expected[7] = -250;
    EXPECT_EQ(Wire(), "\xBA\xA5\xA8" + DataBytes(expected) + "\xFA");
    EXPECT_EQ(config.Uploads(), 1);
    for (int i = 0; i < kValueCount; ++i) EXPECT_EQ(config.Values[i], expected[i]) << i;

    EXPECT_EQ(host.link.Statuses(),
              (std::vector<std::string>{"Übertragung", "Programmierung", "Programmiert"}));
    EXPECT_EQ(host.link.LastProgress(), 100);
    EXPECT_EQ(host.link.LinkControls(), true);
    EXPECT_EQ(host.link.EditorControls(), true);

    // The final reset pulse follows the confirmation: DTR up and down once more.
    std::vector<std::string> lines;
    for (const auto& e : board.Log())
        if (e.kind == VirtualBoard::LogEntry::Kind::Line && e.line.rfind("DTR", 0) == 0)
            lines.push_back(e.line);
    EXPECT_EQ(lines, (std::vector<std::string>{"DTR=1", "DTR=0", "DTR=1", "DTR=0"}));
    EXPECT_EQ(params.ResetLineOn, 0);
}

TEST_F(UploadTest, ProgressOfValuesAndStoringPhase)
{
    Run();
    const std::vector<int>& p = host.link.Progress();
    // 0 at the start, then 100 × i / 120 for i = 1..119, so 99 at the last value.
    std::vector<int> values(p.begin() + 1, p.begin() + 120);
    for (int i = 1; i < 120; ++i) EXPECT_EQ(values[i - 1], 100 * i / 120) << i;
    EXPECT_EQ(values.back(), 99);
    EXPECT_EQ(p[120], 0);  // storing phase starts over
    // The storing phase: k × 100 / 598 while waiting 3 s = 150 polls of 20 ms.
    EXPECT_EQ(p[121], 100 / 598);
    EXPECT_EQ(p[p.size() - 2], 148 * 100 / 598);
    EXPECT_EQ(p.back(), 100);
}

TEST_F(UploadTest, RefusedOrDeclinedBeforeAnythingIsSent)
{
    params.DataPresent = 0;
    Run();
    EXPECT_EQ(host.link.dialogs.Log(),
              (std::vector<std::string>{"beep", "info:Es wurden noch keine Daten geladen!"}));
    EXPECT_EQ(Wire(), "\xBA");  // reset and ping happened first
    EXPECT_EQ(host.link.LinkControls(), std::nullopt);
    EXPECT_FALSE(host.link.dialogs.ScriptUsedUp());  // the question was never asked

    TransferRig rig;
    rig.params.DataPresent = 1;
    rig.host.link.dialogs.AnswerConfirm(false);
    SendenButtonClick(rig.board, rig.host, rig.params);
    EXPECT_EQ(rig.Wire(), "\xBA");
    EXPECT_EQ(rig.config.Uploads(), 0);
}

TEST_F(UploadTest, EchoAndConfirmationFailuresGiveTheirCodes)
{
    // Start set: "15_1_1_..." so byte 2 is the first "_".
    struct Case {
        const char* name;
        std::function<void(ConfigBoardFaults&)> setUp;
        std::string message;
    };
    const int fa = int(DataBytes(ParameterSet::StartValues()).size());
    const std::vector<Case> cases = {
        {"wrong echo of a digit", [](ConfigBoardFaults& f) { f.WrongEchoAt = 0; },
         "Datenübertragungsfehler!  Fehlercode 1\n\nFalsches Antwortbyte."},
        {"no echo of a digit", [](ConfigBoardFaults& f) { f.NoEchoFrom = 1; },
         "Datenübertragungsfehler!  Fehlercode 2\n\nZeitüberschreitung."},
        {"wrong echo of _", [](ConfigBoardFaults& f) { f.WrongEchoAt = 2; },
         "Datenübertragungsfehler!  Fehlercode 3\n\nFalsches Antwortbyte."},
        {"no echo of _", [](ConfigBoardFaults& f) { f.NoEchoFrom = 2; },
         "Datenübertragungsfehler!  Fehlercode 4\n\nZeitüberschreitung."},
        {"wrong echo of 0xFA", [fa](ConfigBoardFaults& f) { f.WrongEchoAt = fa; },
         "Datenübertragungsfehler!  Fehlercode 5\n\nFalsches Antwortbyte."},
        {"no echo of 0xFA", [fa](ConfigBoardFaults& f) { f.NoEchoFrom = fa; },
         "Datenübertragungsfehler!  Fehlercode 6\n\nZeitüberschreitung."},
        {"wrong confirmation", [](ConfigBoardFaults& f) { f.WrongConfirmation = 0x55; },
         "Programmierfehler!  Fehlercode 7\n\nFalsches Bestätigungsbyte."},
        {"no confirmation", [](ConfigBoardFaults& f) { f.NoConfirmation = true; },
         "Programmierfehler!  Fehlercode 8\n\nZeitüberschreitung."},
        {"no version", [](ConfigBoardFaults& f) { f.NoConfigVersion = true; },
         "Datenübertragungsfehler!\n\nZeitüberschreitung.\nFirmware in LCD-Platine vermutlich nicht kompatibel!"},
        {"unplugged", [](ConfigBoardFaults& f) { f.UnplugAfter = 40; }, "ComPortError:  COM1 !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TransferRig rig;
        rig.params.DataPresent = 1;
        rig.host.link.dialogs.AnswerConfirm(true);
        c.setUp(rig.config.Faults);
        SendenButtonClick(rig.board, rig.host, rig.params);
        EXPECT_EQ(rig.Messages(), (std::vector<std::string>{"Daten übertragen?", c.message}));
        EXPECT_EQ(rig.host.link.dialogs.Beeps(), 2);
        EXPECT_EQ(rig.config.Uploads(), 0);
        EXPECT_EQ(rig.config.Values[0], 0);  // the board's own value stays
        EXPECT_EQ(rig.host.link.LastProgress(), 0);
        EXPECT_EQ(rig.host.link.LastStatus(), "");
        EXPECT_EQ(rig.host.link.LinkControls(), true);
        EXPECT_EQ(rig.host.link.EditorControls(), true);
    }
}

TEST_F(UploadTest, WrongConfigVersionStopsBeforeTheValues)
{
    config.ConfigVersion = 3;
    Run();
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "Daten übertragen?",
                              "Datenübertragungsfehler!\n\nFalsches Kontrollzeichen empfangen.\n"
                              "Firmware in LCD-Platine vermutlich nicht kompatibel."}));
    EXPECT_EQ(Wire(), "\xBA\xA5\xA8");
    ExpectCleanedUp();
}

TEST_F(UploadTest, ConfirmationAtPoll599IsAcceptedAt600Refused)
{
    ConfirmAtStoringPoll(599);
    Run();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Daten übertragen?"});
    EXPECT_EQ(host.link.LastStatus(), "Programmiert");

    TransferRig late;
    late.params.DataPresent = 1;
    late.host.link.dialogs.AnswerConfirm(true);
    late.config.Faults.NoConfirmation = true;
    late.host.link.onSleep = [&late, count = 0](int ms) mutable {
        if (ms != Upload::kStorePollMs || late.host.link.LastStatus() != "Programmierung") return;
        if (++count == 599) late.board.Send(0xAF);
    };
    SendenButtonClick(late.board, late.host, late.params);
    EXPECT_EQ(late.Messages(), (std::vector<std::string>{
                                   "Daten übertragen?",
                                   "Programmierfehler!  Fehlercode 8\n\nZeitüberschreitung."}));
}

TEST_F(UploadTest, FailedFinalResetClearsTheSuccessText)
{
    // DSR stops following DTR once the values are stored.
    host.link.onSleep = [this](int) {
        if (host.link.LastStatus() == "Programmiert") board.ResetAnswer.mode = LineBehaviour::Mode::Never;
    };
    Run();
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "Daten übertragen?",
                              "Keine Rückmeldung vom \"Reset\"-Befehl \"ein\" erhalten!\n\n        "
                              "Datenübertragung abgebrochen!"}));
    EXPECT_EQ(config.Uploads(), 1);
    ExpectCleanedUp();
}

TEST(UploadText, NegativeAndZeroValues)
{
    ParameterSet params;
    params.Values.fill(0);
    params.Values[1] = -2147483647 - 1;
    std::string text = UploadFieldText(params);
    EXPECT_EQ(text.substr(0, 15), "0_-2147483648_0");
    EXPECT_EQ(text.size(), 119u * 2 + 12);
}
