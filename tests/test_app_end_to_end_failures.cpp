// What a user meets when the board misbehaves, through the whole program: the converter
// unplugged in the middle of a download, a board that does not answer the ping, a wrong
// echo during an upload. Each leaves exactly its message and a window whose controls
// work again.
#include "e2e_session.h"

#include <QTest>

using namespace e2e;

namespace {

constexpr const char* kNoAnswer =
    "error:     Gerät antwortet nicht!\n\nMögliche Gründe, z.B.:\nTest-Jumper auf Platine "
    "vergessen.\nNetzkabel nicht entfernt.\nNoch keine Firmware geladen.";

class FailureTest : public Session {};

}  // namespace

TEST_F(FailureTest, UnpluggedDuringTheDownload)
{
    Start();
    // Gone in the middle of the fault times.
    Board().Faults.UnplugAfterSent = 3000;
    form->EmpfangenButton->click();
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", "error:ComPortError:  virtuell !"}));
    ExpectFailedAndUsable(true, "after the unplugged download");
    // Nothing of the cut-off block was taken.
    EXPECT_EQ(params.Values, ParameterSet::StartValues());
    EXPECT_EQ(params.DataPresent, 0);
    EXPECT_EQ(form->Label44->text(), "....");
    // The port is closed at once, and both panels are dark.
    EXPECT_FALSE(live->Port().Active());
    EXPECT_EQ(Colour(form->ResetPanel), kPanelOffColour);
    EXPECT_EQ(Colour(form->ModePanel), kPanelOffColour);

    // The converter stays away: a new search cannot open its port, says so (the open
    // test is the real opening) and leaves the search usable.
    dialogs.Clear();
    form->SuchenButton->click();
    EXPECT_EQ(dialogs.Log(),
              (std::vector<std::string>{"beep", "error:ComPortError:  virtuell !\n\nDer Port kann nicht geöffnet werden.",
                                        "beep", "error:PortSuche nicht erfolgreich !"}));
    EXPECT_FALSE(form->EmpfangenButton->isEnabled());
    EXPECT_FALSE(form->SendenButton->isEnabled());
    EXPECT_TRUE(form->SuchenButton->isEnabled());
    EXPECT_TRUE(form->ComboBox->isEnabled());
}

TEST_F(FailureTest, NoAnswerToThePing)
{
    Start();
    Board().Ping.mode = PingBehaviour::Mode::NoAnswer;
    form->EmpfangenButton->click();
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", kNoAnswer}));
    // The session was opened with a reset pulse; nothing but the ping was sent.
    EXPECT_EQ(live->Port().BytesReceived(), std::vector<uint8_t>{0xBA});
    EXPECT_FALSE(live->Port().DtrHigh());
    ExpectFailedAndUsable(false, "after the unanswered ping");
    EXPECT_EQ(params.DataPresent, 0);

    // Upload and a service command stop the same way, before their questions.
    dialogs.Clear();
    form->SendenButton->click();
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", kNoAnswer}));
    ExpectFailedAndUsable(false, "after the unanswered upload");

    // The board answers again: the download works.
    Board().Ping.mode = PingBehaviour::Mode::Answer;
    dialogs.Clear();
    form->EmpfangenButton->click();
    EXPECT_EQ(dialogs.Log(), std::vector<std::string>{"beep"});
    EXPECT_EQ(form->Label44->text(), "0001");
}

TEST_F(FailureTest, WrongEchoDuringTheUpload)
{
    Start();
    form->EmpfangenButton->click();
    ASSERT_EQ(dialogs.Log(), std::vector<std::string>{"beep"});
    const std::array<int32_t, kValueCount> before = Board().Values;
    dialogs.Clear();

    // "25_100_...": the fifth character, the first "0" of 100, comes back wrong.
    params.Values[1] = 100;
    Board().Faults.WrongEchoAt = 4;
    dialogs.AnswerConfirm(true);
    form->SendenButton->click();
    EXPECT_EQ(dialogs.Log(),
              (std::vector<std::string>{"beep", "confirm:Daten übertragen?", "beep",
                                        "error:Datenübertragungsfehler!  Fehlercode 1\n\nFalsches "
                                        "Antwortbyte."}));
    EXPECT_EQ(Board().Uploads(), 0);
    EXPECT_EQ(Board().Values, before);
    ExpectFailedAndUsable(true, "after the wrong echo");

    // Sent again over a sound line, the values arrive.
    Board().Faults.WrongEchoAt = -1;
    dialogs.Clear();
    dialogs.AnswerConfirm(true);
    form->SendenButton->click();
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", "confirm:Daten übertragen?", "beep"}));
    EXPECT_EQ(Board().Uploads(), 1);
    EXPECT_EQ(Board().Values[1], 100);
}

TEST_F(FailureTest, LineErrorClosesThePortAndTheSearchOpensItAgain)
{
    Start();
    live->Port().InjectLineError();
    form->EmpfangenButton->click();
    // The line error closes the port and fails the download: one message.
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", "error:ComPortLineError:  virtuell !"}));
    EXPECT_FALSE(live->Port().Active());
    ExpectFailedAndUsable(true, "after the line error");

    dialogs.Clear();
    form->SuchenButton->click();
    EXPECT_TRUE(dialogs.Log().empty());
    EXPECT_TRUE(live->Port().Active());
    form->EmpfangenButton->click();
    EXPECT_EQ(dialogs.Log(), std::vector<std::string>{"beep"});
}
