#include "download.h"
#include "service_options.h"
#include "service_serial_number.h"
#include "transfer_test_host.h"

#include <gtest/gtest.h>

namespace {

struct SerialRig : TransferRig {
    SerialRig()
    {
        host.link.dialogs.AnswerConfirm(true);
        params.SerialNumber = "1234";
        params.DeviceMark = "ABC";
    }
    void Run() { SendSerienNrButtonClick(board, host, params); }
};

const std::string kWrongEcho = "Datenübertragungsfehler!\n\n Falsches Antwortbyte.";
const std::string kNoEcho = "Datenübertragungsfehler!\n\n  Zeitüberschreitung.";

}  // namespace

TEST(SerialNumberTransfer, SendsSerialAndMarkAndTheBoardStoresThem)
{
    SerialRig rig;
    rig.params.DataPresent = 1;
    rig.Run();
    EXPECT_EQ(rig.host.link.dialogs.Log(),
              (std::vector<std::string>{"beep", "confirm:übertragen ausführen?", "beep"}));
    EXPECT_EQ(rig.Wire(), "\xBA\xA5\xB8" "1234ABC\xFA");
    EXPECT_EQ(rig.config.SerialNumber, "1234");
    EXPECT_EQ(rig.config.DeviceMark, "ABC");
    EXPECT_EQ(rig.host.link.Statuses(),
              (std::vector<std::string>{"Serien-Nummer übertragen", "Serien-Nummer programmieren",
                                        "Serien-Nummer programmiert"}));
    const std::vector<int>& p = rig.host.link.Progress();
    ASSERT_GE(p.size(), 9u);
    EXPECT_EQ(std::vector<int>(p.begin(), p.begin() + 9),
              (std::vector<int>{0, 14, 28, 42, 57, 71, 85, 100, 0}));
    EXPECT_EQ(p.back(), 100);
    EXPECT_EQ(rig.host.link.EditorControls(), true);

    // Nothing loaded: the placeholders go as they are; the editors stay off.
    TransferRig empty;
    empty.host.link.dialogs.AnswerConfirm(true);
    SendSerienNrButtonClick(empty.board, empty.host, empty.params);
    EXPECT_EQ(empty.Wire(), "\xBA\xA5\xB8" "......." "\xFA");
    EXPECT_EQ(empty.host.link.EditorControls(), false);
    EXPECT_EQ(empty.host.link.LinkControls(), true);
}

TEST(SerialNumberTransfer, AnyIdentityByteGoesBackToTheBoardAsItCame)
{
    // Read from the board, then sent back: also the bytes Windows-1252 leaves unassigned.
    SerialRig rig;
    rig.config.SerialNumber = "\x81\x8D\x8F\x90";
    rig.config.DeviceMark = "\x9D" "\x80Z";
    EmpfangenButtonClick(rig.board, rig.host, rig.params, rig.faults);
    ASSERT_EQ(rig.params.DataPresent, 1);
    rig.config.SerialNumber = "0000";
    rig.config.DeviceMark = "000";
    rig.board.ClearLog();
    rig.Run();
    EXPECT_EQ(rig.Wire(), "\xBA\xA5\xB8" "\x81\x8D\x8F\x90\x9D\x80Z\xFA");
    EXPECT_EQ(rig.config.SerialNumber, "\x81\x8D\x8F\x90");
    EXPECT_EQ(rig.config.DeviceMark, "\x9D\x80Z");
}

TEST(SerialNumberTransfer, UmlautsGoAsTheirBoardBytes)
{
    SerialRig rig;
    rig.params.SerialNumber = "Ä1ß2";
    rig.Run();
    EXPECT_EQ(rig.Wire(), "\xBA\xA5\xB8" "\xC4" "1\xDF" "2ABC\xFA");
}

TEST(SerialNumberTransfer, FailuresShowTheirMessages)
{
    struct Case {
        const char* name;
        std::function<void(ConfigBoardFaults&)> setUp;
        std::string message;
    };
    // A byte is written at t, leaves at t + 1 ms; WaitSent returns at t + 10 ms and
    // poll p comes at t + 10 + p ms. The echo lands 2.084 ms + the board's delay after t.
    const std::vector<Case> cases = {
        {"wrong serial echo", [](ConfigBoardFaults& f) { f.WrongEchoAt = 3; }, kWrongEcho},
        {"wrong mark echo", [](ConfigBoardFaults& f) { f.WrongEchoAt = 6; }, kWrongEcho},
        {"no echo", [](ConfigBoardFaults& f) { f.NoEchoFrom = 4; }, kNoEcho},
        {"echo at poll 97", [](ConfigBoardFaults& f) { f.EchoDelayUs = 106'500 - 2'084; }, kNoEcho},
        {"no 0xFA echo", [](ConfigBoardFaults& f) {
             f.NoEchoFrom = 7;
             f.NoConfirmation = true;
         }, kNoEcho},
        {"wrong confirmation", [](ConfigBoardFaults& f) { f.WrongConfirmation = 0x01; },
         "    Programmierfehler!\n\nFalsches Bestätigungsbyte."},
        {"no confirmation", [](ConfigBoardFaults& f) { f.NoConfirmation = true; },
         "Programmierfehler!\n\nZeitüberschreitung."},
        {"unplugged", [](ConfigBoardFaults& f) { f.UnplugAfter = 5; }, "ComPortError:  COM1 !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SerialRig rig;
        rig.params.DataPresent = 1;
        c.setUp(rig.config.Faults);
        rig.Run();
        EXPECT_EQ(rig.Messages(), (std::vector<std::string>{"übertragen ausführen?", c.message}));
        EXPECT_EQ(rig.config.SerialNumber, "0001");
        EXPECT_EQ(rig.host.link.LastProgress(), 0);
        EXPECT_EQ(rig.host.link.LastStatus(), "");
        EXPECT_EQ(rig.host.link.LinkControls(), true);
        EXPECT_EQ(rig.host.link.EditorControls(), true);
    }
    // An echo at poll 96 is still in time.
    SerialRig inTime;
    inTime.config.Faults.EchoDelayUs = 105'500 - 2'084;
    inTime.Run();
    EXPECT_EQ(inTime.Messages(), std::vector<std::string>{"übertragen ausführen?"});
    EXPECT_EQ(inTime.config.SerialNumber, "1234");
}

TEST(SerialNumberEntry, FourCharactersAreTakenOthersRefused)
{
    ParameterSet params;
    ScriptedDialogs dialogs;
    EXPECT_EQ(SerienNrEditAccept(dialogs, params, "12"), "....");
    EXPECT_EQ(dialogs.Log(),
              (std::vector<std::string>{"beep", "info:Es müssen 4 Zeichen eingegeben werden !"}));
    EXPECT_EQ(params.SerialNumber, "....");

    dialogs.Clear();
    EXPECT_EQ(SerienNrEditAccept(dialogs, params, "0815"), "0815");
    EXPECT_EQ(params.SerialNumber, "0815");
    EXPECT_EQ(SerienNrEditAccept(dialogs, params, "Ä12ß"), "Ä12ß");  // 4 characters, 6 bytes
    EXPECT_EQ(SerienNrEditAccept(dialogs, params, ""), "Ä12ß");
    EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{"Es müssen 4 Zeichen eingegeben werden !"});

    EXPECT_TRUE(SerienNrEditSwallowsKey(29));
    EXPECT_TRUE(SerienNrEditSwallowsKey('\r'));
    EXPECT_FALSE(SerienNrEditSwallowsKey('7'));
    EXPECT_FALSE(SerienNrEditSwallowsKey(8));  // backspace reaches the field

    EXPECT_TRUE(SendSerialButtonEnabled("0815", "ABC"));
    EXPECT_FALSE(SendSerialButtonEnabled("...", "ABC"));
    EXPECT_FALSE(SendSerialButtonEnabled("0815", "..."));
    EXPECT_TRUE(SendSerialButtonEnabled("....", "ABC"));
}

TEST(OptionCheckBoxes, BoxesStoreTheirValuesAndTwoAndThreeExcludeEachOther)
{
    ParameterSet params;
    EXPECT_EQ(OptionBoxesFrom(params), (OptionBoxes{false, false, false}));

    OptionBoxes shown = OptionCheckBoxChanged(params, 1, {true, false, false});
    EXPECT_EQ(params.Values[29], 1);
    EXPECT_EQ(shown, (OptionBoxes{true, false, false}));

    shown = OptionCheckBoxChanged(params, 2, {true, true, false});
    EXPECT_EQ(params.Values[8], 1);
    // Checking box 3 while box 2 is checked: 31 = 1, 8 = 0, box 2 unchecked.
    shown = OptionCheckBoxChanged(params, 3, {true, true, true});
    EXPECT_EQ(shown, (OptionBoxes{true, false, true}));
    EXPECT_EQ(params.Values[31], 1);
    EXPECT_EQ(params.Values[8], 0);
    EXPECT_EQ(OptionBoxesFrom(params), shown);

    // Leaving an unchecked box only writes its own value.
    shown = OptionCheckBoxChanged(params, 2, {true, false, true});
    EXPECT_EQ(shown, (OptionBoxes{true, false, true}));
    EXPECT_EQ(params.Values[31], 1);
    shown = OptionCheckBoxChanged(params, 1, {false, false, true});
    EXPECT_EQ(params.Values[29], 0);

    shown = OptionCheckBoxChanged(params, 2, {false, true, true});
    EXPECT_EQ(shown, (OptionBoxes{false, true, false}));
    EXPECT_EQ(params.Values[8], 1);
    EXPECT_EQ(params.Values[31], 0);
}
