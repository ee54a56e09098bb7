// One exchange at a time: while any exchange with the board runs, the user clicks every
// button and panel of the main window, presses keys on every control, chooses every
// menu entry, and a control that was on would call its handler: the board receives
// not one extra byte, and the exchange ends exactly as it does untouched.
#include "e2e_session.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace e2e;

namespace {

const std::string kSample =
    (fs::path(LCD_SAMPLES_DIR) / "sample_firmware.mot").string();

struct Case {
    const char* name;
    QPushButton* TMainForm::*button;
    bool confirm;
    bool firmware;
};

const Case kCases[] = {
    {"download", &TMainForm::EmpfangenButton, false, false},
    {"upload", &TMainForm::SendenButton, true, false},
    {"firmware", &TMainForm::FirmwareButton, false, true},
    {"operating time", &TMainForm::BetriebsZeitLoeButton, true, false},
    {"fault memory", &TMainForm::FehlerSpeicherLoeButton, true, false},
    {"identity", &TMainForm::KennungLoeButton, true, false},
    {"device type", &TMainForm::Button1, true, false},
    {"serial number", &TMainForm::SendSerienNrButton, true, false},
};

// What an exchange left behind.
struct Observed {
    std::vector<std::string> log;
    std::vector<uint8_t> bytes;
    std::string status;
    int progress = -1;
    bool operator==(const Observed&) const = default;
};

class OneExchangeTest : public Session {
protected:
    // Everything a user can reach on the main window, and every handler a control that
    // was switched on would call.
    void PokeEverything()
    {
        ++pokes;
        // The handlers first: the guard holds whatever the state of the controls.
        CallEveryHandler();
        // While an exchange opens its session (reset pulse, ping) the window processes
        // no input at all; from the moment the exchange took the controls it does.
        if (form->EmpfangenButton->isEnabled())
            return;
        ++uiPokes;
        // The window's own controls (the menu bar's extension button is Qt's).
        for (QAbstractButton* button : form->findChildren<QAbstractButton*>())
            if (button->window() == form.get() && !button->objectName().isEmpty()
                && !qobject_cast<QMenuBar*>(button->parentWidget()))
                WithModal([button] { button->click(); }, [](QWidget*) {});
        for (QWidget* panel : {static_cast<QWidget*>(form->ResetPanel), static_cast<QWidget*>(form->ModePanel)})
            QTest::mouseClick(panel, Qt::LeftButton);
        for (QWidget* widget : form->findChildren<QWidget*>()) {
            // The menus are chosen through their entries below.
            if (widget->window() != form.get() || widget->focusPolicy() == Qt::NoFocus
                || qobject_cast<QMenu*>(widget) || qobject_cast<QMenuBar*>(widget))
                continue;
            QTest::keyClick(widget, Qt::Key_Space);
            QTest::keyClick(widget, Qt::Key_Return);
            QTest::keyClick(widget, Qt::Key_Down);
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
        }
        for (QAction* action : form->menuBar()->findChildren<QAction*>()) {
            if (action == form->Beenden1)
                continue;  // ending the program mid-exchange is a test of its own
            WithModal([action] { action->trigger(); }, [](QWidget*) {});
        }
        CallEveryHandler();
    }

    void CallEveryHandler()
    {
        form->EmpfangenButtonClick();
        form->SendenButtonClick();
        form->FirmwareButtonClick();
        form->SuchenButtonClick();
        form->ComboBoxChange();
        form->ResetPanelClick();
        form->ModePanelClick();
        form->BetriebsZeitLoeButtonClick();
        form->FehlerSpeicherLoeButtonClick();
        form->KennungLoeButtonClick();
        form->Button1Click();
        form->SendSerienNrButtonClick();
    }

    // Service mode, the board read, then the exchange, poked at a few of its sleeps.
    Observed Run(const Case& c, bool poke)
    {
        dialogs = ScriptedDialogs();
        Start({kServiceWord});
        form->EmpfangenButton->click();
        EXPECT_EQ(dialogs.Log(), std::vector<std::string>{"beep"});
        dialogs.Clear();
        live->Port().ClearLog();
        if (c.confirm)
            dialogs.AnswerConfirm(true);
        if (c.firmware)
            dialogs.ChooseOpen(kSample);
        int sleeps = 0;
        OnSleep = [&](int) {
            ++sleeps;
            if (poke && (sleeps == 3 || sleeps == 12 || sleeps == 25 || sleeps == 40 || sleeps == 300))
                PokeEverything();
        };
        (form.get()->*c.button)->click();
        OnSleep = nullptr;
        EXPECT_TRUE(dialogs.ScriptUsedUp()) << c.name;
        return {dialogs.Log(), live->Port().BytesReceived(), form->statusLabel->text().toStdString(),
                form->ProgressBar->value()};
    }

    int pokes = 0;
    int uiPokes = 0;
};

}  // namespace

TEST_F(OneExchangeTest, NothingReachesTheBoardWhileAnExchangeRuns)
{
    for (const Case& c : kCases) {
        const Observed untouched = Run(c, false);
        ASSERT_TRUE(untouched.log.empty() || untouched.log.back() == "beep") << c.name << ": the exchange failed";
        TearDown();
        SetUp();
        pokes = uiPokes = 0;
        const Observed poked = Run(c, true);
        EXPECT_GE(pokes, 2) << c.name;
        EXPECT_GE(uiPokes, 1) << c.name;
        EXPECT_EQ(poked.bytes, untouched.bytes) << c.name;
        EXPECT_EQ(poked.log, untouched.log) << c.name;
        EXPECT_EQ(poked.status, untouched.status) << c.name;
        EXPECT_EQ(poked.progress, untouched.progress) << c.name;
        // The menus came back on when the exchange ended, not in its middle.
        EXPECT_TRUE(form->ffnen1->isEnabled()) << c.name;
        TearDown();
        SetUp();
    }
}

TEST_F(OneExchangeTest, TheMenusStayOffForTheWholeExchange)
{
    Start({kServiceWord});
    std::vector<bool> menuOn;
    OnSleep = [&](int) {
        if (menuOn.size() == 20)
            PokeEverything();
        menuOn.push_back(form->ffnen1->isEnabled() || form->Fehlerspeicher1->isEnabled());
    };
    form->EmpfangenButton->click();
    OnSleep = nullptr;
    ASSERT_GT(menuOn.size(), 40u);
    EXPECT_EQ(std::count(menuOn.begin(), menuOn.end(), true), 0);
    EXPECT_TRUE(form->ffnen1->isEnabled());
}

TEST_F(OneExchangeTest, TheDeviceTypeRowIsOffDuringAnExchangeAndComesBackAsItWas)
{
    Start({kServiceWord});
    ASSERT_TRUE(form->ComboBox1->isEnabled());
    ASSERT_FALSE(form->Button1->isEnabled());  // until a type is chosen or read
    bool rowOn = false;
    OnSleep = [&](int) {
        if (!form->EmpfangenButton->isEnabled())  // the exchange holds the controls
            rowOn = rowOn || form->Button1->isEnabled() || form->ComboBox1->isEnabled();
    };
    form->SuchenButton->click();
    Board().Ping.mode = PingBehaviour::Mode::NoAnswer;
    dialogs.AnswerConfirm(true);
    form->EmpfangenButton->click();  // fails at the ping: nothing was switched off
    dialogs.Clear();
    Board().Ping.mode = PingBehaviour::Mode::Answer;
    form->EmpfangenButton->click();
    OnSleep = nullptr;
    EXPECT_FALSE(rowOn);
    EXPECT_TRUE(form->ComboBox1->isEnabled());
    EXPECT_TRUE(form->Button1->isEnabled());  // the download switches it on
}
