// The safety check in the window: "Vom PC zum Gerät" with a set that passes asks and
// sends as always; with findings one box lists them before the upload's question, No
// is its default, and "Nein" sends nothing at all.
#include "e2e_session.h"

#include <QAction>

using namespace e2e;

namespace {

class SafetyWindowTest : public Session {};

}  // namespace

TEST_F(SafetyWindowTest, FindingsAreListedBeforeTheQuestionAndNeinSendsNothing)
{
    Start();
    form->EmpfangenButton->click();  // the board's set, kept for the comparison
    ASSERT_EQ(params.DataPresent, 1);

    // A harmless change: no box of the check, the upload as always.
    params.Values[1] = 120;
    dialogs.Clear();
    dialogs.AnswerConfirm(true);
    EXPECT_EQ(form->SendenButtonClick(), Outcome::Done);
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", "confirm:Daten übertragen?", "beep"}));
    EXPECT_EQ(Board().Uploads(), 1);

    // U-min above U-max, Max IG1 switched off, I-Anode max sofort ten times the board's.
    params.Values[7] = 3300;
    params.Values[82] = 0;
    params.Values[10] = 11000;
    const std::string box = "confirm-no-first:Die Sicherheitsprüfung des Parametersatzes meldet:\n\n"
                            "Warnung:   7  Grenzwerte allgemein / Anode: (EditUAmin) = 3300 V: Minimum über dem "
                            "Maximum 3200 V\n"
                            "Warnung:  82  Grenzwerte allgemein / Max IG1 (0=abgeschaltet) (Edit_MaxIG1) = 0 mA: "
                            "abgeschaltet; im Gerät eingeschaltet mit 60 mA\n"
                            "Warnung:  10  Grenzwerte allgemein / I-Anode max sofort (Edit_IA_MaxSofort) = 11000 mA: "
                            "mehr als um den Faktor zwei geändert; im Gerät 1100 mA\n"
                            "\nTrotzdem in das Gerät schreiben?";
    dialogs.Clear();
    live->Port().ClearLog();
    dialogs.AnswerConfirm(false);
    EXPECT_EQ(form->SendenButtonClick(), Outcome::Refused);
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", box}));
    // Not a byte, not even the reset pulse and the ping.
    EXPECT_TRUE(live->Port().BytesReceived().empty());
    EXPECT_TRUE(live->Port().Log().empty());
    EXPECT_EQ(Board().Uploads(), 1);
    ExpectUsable(true, "after Nein");

    // OK: the upload's own question and bytes follow unchanged.
    dialogs.Clear();
    dialogs.AnswerConfirm(true);
    dialogs.AnswerConfirm(true);
    EXPECT_EQ(form->SendenButtonClick(), Outcome::Done);
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", box, "beep", "confirm:Daten übertragen?", "beep"}));
    EXPECT_EQ(Board().Uploads(), 2);
    EXPECT_EQ(Board().Values, params.Values);
    EXPECT_TRUE(dialogs.ScriptUsedUp());
}

TEST_F(SafetyWindowTest, WithoutADownloadOnlyTheSetItselfIsJudged)
{
    Start();
    form->Neu1->trigger();
    params.Values = Board().Values;
    params.Values[82] = 0;  // against nothing known: no finding
    dialogs.AnswerConfirm(true);
    EXPECT_EQ(form->SendenButtonClick(), Outcome::Done);
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", "confirm:Daten übertragen?", "beep"}));

    // Typing slips the editors now refuse, as a file may still bring them.
    params.Values[0] = 200;
    dialogs.Clear();
    dialogs.AnswerConfirm(false);
    EXPECT_EQ(form->SendenButtonClick(), Outcome::Refused);
    ASSERT_EQ(dialogs.Log().size(), 2u);
    EXPECT_NE(dialogs.Log()[1].find("Fehler:   0  Grenzwerte allgemein / MaxSWR: (EditMaxSWR) = 20.0: Gültige "
                                    "Eingaben sind 1.5 bis 10.0 !\n"),
              std::string::npos)
        << dialogs.Log()[1];
    EXPECT_EQ(Board().Uploads(), 1);
}
