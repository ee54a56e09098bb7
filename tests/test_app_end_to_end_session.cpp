// A user's session with the whole program and the virtual board: the port search at
// start-up, download, an editor dialog, save as, open, upload, the fault-memory window
// with its export, the printed report, and the Reset/P-Mode panels following the
// board's lines.
#include "e2e_session.h"
#include "fehler_speicher_form.h"
#include "report_print.h"
#include "sound_player.h"

#include <QAction>
#include <QProcess>
#include <QTest>

#include <algorithm>

using namespace e2e;

namespace {

std::string RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput().toStdString();
}

std::string WithoutBlanks(std::string text)
{
    std::erase(text, ' ');
    return text;
}

// The .lcd file of a set: configuration version, the 120 values, serial number, mark.
std::string LcdStart(const std::array<int32_t, kValueCount>& values, int count)
{
    std::string text = "2\r\n";
    for (int i = 0; i < count; ++i)
        text += std::to_string(values[i]) + "\r\n";
    return text;
}

class SessionTest : public Session {};

}  // namespace

TEST_F(SessionTest, SearchDownloadEditSaveOpenAndUploadReachTheBoard)
{
    Start();
    // The search lists the virtual board after the PC's own port and opens it.
    ASSERT_EQ(form->ComboBox->count(), 2);
    EXPECT_EQ(form->ComboBox->itemText(0), "/dev/ttyS0");
    EXPECT_EQ(form->ComboBox->currentText(), "virtuell");
    EXPECT_EQ(params.SelectedPort, "virtuell");
    EXPECT_TRUE(live->Port().Active());
    EXPECT_EQ(form->Board().Sound().TimesPlayed(), 1);
    EXPECT_TRUE(dialogs.Log().empty());
    EXPECT_TRUE(form->EmpfangenButton->isEnabled());
    EXPECT_FALSE(form->TimingButton->isEnabled());

    // Download.
    const std::array<int32_t, kValueCount> onBoard = Board().Values;
    form->EmpfangenButton->click();
    EXPECT_EQ(dialogs.Log(), std::vector<std::string>{"beep"});
    EXPECT_EQ(live->Port().BytesReceived(), (std::vector<uint8_t>{0xBA, 0xA5, 0xAB}));
    EXPECT_EQ(params.Values, onBoard);
    EXPECT_EQ(params.DeviceMark, "DEM");
    EXPECT_EQ(params.DataPresent, 1);
    EXPECT_EQ(form->Label44->text(), "0001");
    EXPECT_EQ(form->Label4->text(), "7.5");
    EXPECT_EQ(form->ComboBox1->currentText(), "Typ3");
    EXPECT_EQ(form->statusLabel->text(), "Daten gelesen");
    EXPECT_EQ(form->ProgressBar->value(), 100);
    ExpectUsable(true, "after the download");
    EXPECT_EQ(form->Label61->text(), "unbenannt");

    // The Timing dialog: the pre-heat time (index 1, seconds) from 90 to 120.
    ASSERT_EQ(onBoard[1], 90);
    QString shownBefore;
    ASSERT_TRUE(WithModal([this] { form->TimingButton->click(); }, [&](QWidget* dialog) {
        EXPECT_EQ(dialog->objectName(), "TTimingForm");
        auto* edit = dialog->findChild<QLineEdit*>("EditVorheizzeit");
        ASSERT_NE(edit, nullptr);
        shownBefore = edit->text();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, "120");
        QTest::keyClick(edit, Qt::Key_Return);
    }));
    EXPECT_EQ(shownBefore, "90");
    EXPECT_EQ(params.Values[1], 120);
    std::array<int32_t, kValueCount> edited = onBoard;
    edited[1] = 120;
    EXPECT_EQ(params.Values, edited);

    // Save as, then a new set, then the file again.
    dialogs.ChooseSave(Path("daten/session.lcd"));
    form->Speichernunter1->trigger();
    EXPECT_EQ(form->Label61->text(), "session.lcd");
    EXPECT_EQ(Bytes("daten/session.lcd").substr(0, LcdStart(edited, 3).size()),
              LcdStart(edited, 3));
    EXPECT_NE(Bytes("daten/session.lcd").find(LcdStart(edited, 120).substr(3) + "0001\r\nDEM\r\n"),
              std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "daten/session.txt"));

    // Further edits in memory are replaced by the file's values.
    params.Values[1] = 200;
    params.Values[44] = 7;
    dialogs.ChooseOpen(Path("daten/session.lcd"));
    form->ffnen1->trigger();
    EXPECT_EQ(params.Values, edited);
    EXPECT_EQ(form->Label61->text(), "session.lcd");
    EXPECT_EQ(form->Label44->text(), "0001");

    // Upload: the board stores the edited set, every value as it was typed.
    dialogs.Clear();
    dialogs.AnswerConfirm(true);
    live->Port().ClearLog();
    const Cost upload = Measure([this] { form->SendenButton->click(); });
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", "confirm:Daten übertragen?", "beep"}));
    EXPECT_EQ(Board().Uploads(), 1);
    EXPECT_EQ(Board().Values, edited);
    ASSERT_EQ(Board().ReceivedFields().size(), size_t(kValueCount));
    EXPECT_EQ(Board().ReceivedFields()[1], "120");
    EXPECT_EQ(form->statusLabel->text(), "Programmiert");
    EXPECT_EQ(form->ProgressBar->value(), 100);
    ExpectUsable(true, "after the upload");
    // The final reset pulse restarted the board: DTR is low again.
    EXPECT_FALSE(live->Port().DtrHigh());
    EXPECT_FALSE(Board().Busy());
    // 2.2 s session start, ~500 echoed characters, 120 pauses of 10 ms, 3 s storing.
    EXPECT_GT(upload.virtualSeconds, 6.0);
    EXPECT_LT(upload.realSeconds, 3.0);
    EXPECT_TRUE(dialogs.ScriptUsedUp());

    // The report of that set.
    const std::string pdf = Path("bericht.pdf");
    ASSERT_TRUE(PrintReportToPdf(pdf, params, form->DeviceTypeNames()));
    const std::string text = WithoutBlanks(RunTool("pdftotext", {"-layout", QString::fromStdString(pdf), "-"}));
    EXPECT_NE(text.find("Gerät:Typ3Serien-Nr:0001Version:7.5"), std::string::npos) << text;
    EXPECT_NE(text.find("Vorheizzeit:120sek"), std::string::npos);
    EXPECT_NE(text.find("Blatt:2"), std::string::npos);
    EXPECT_NE(RunTool("pdfinfo", {QString::fromStdString(pdf)}).find("Tavrix S0001 session.lcd"),
              std::string::npos);
}

// Without GeraeteTyp.ini the device-type list is empty and lies outside the normal-mode
// window: it never takes the focus, so leaving it never stores "no selection" (255).
TEST_F(SessionTest, DeviceTypeOfTheBoardSurvivesTheEditorsWithoutTheTypeList)
{
    fs::remove(dir / "GeraeteTyp.ini");
    Start();
    ASSERT_EQ(form->ComboBox1->count(), 0);
    form->activateWindow();
    QApplication::processEvents();
    const uint8_t boardType = Board().DeviceType;
    ASSERT_NE(boardType, 255);

    QTest::mouseClick(form->EmpfangenButton, Qt::LeftButton);
    ASSERT_EQ(params.DataPresent, 1);
    EXPECT_EQ(params.DeviceType, boardType);
    EXPECT_NE(QApplication::focusWidget(), form->ComboBox1);

    const std::string typeLine = std::to_string(boardType) + "\r\n";
    dialogs.ChooseSave(Path("daten/typ.lcd"));
    form->Speichernunter1->trigger();
    ASSERT_TRUE(Bytes("daten/typ.lcd").ends_with("DEM\r\n" + typeLine));

    for (QPushButton* button : EditorButtons())
        ASSERT_TRUE(WithModal([button] { QTest::mouseClick(button, Qt::LeftButton); },
                              [](QWidget*) {}))
            << button->objectName().toStdString();
    form->Speichern1->trigger();
    EXPECT_EQ(params.DeviceType, boardType);
    EXPECT_TRUE(Bytes("daten/typ.lcd").ends_with("DEM\r\n" + typeLine));
}

TEST_F(SessionTest, FaultWindowShowsTheBoardRecordsAndExportsThem)
{
    Start();
    form->EmpfangenButton->click();
    ASSERT_EQ(dialogs.Log(), std::vector<std::string>{"beep"});

    QStringList row1, row2, row36, row37;
    auto row = [](TFehlerSpeicherForm* window, int r) {
        QStringList cells;
        for (int c = 0; c < TFehlerSpeicherForm::kColumns; ++c)
            cells << window->Cell(c, r);
        return cells;
    };
    dialogs.ChooseSave(Path("daten/fehler.log"));
    ASSERT_TRUE(WithModal([this] { form->Fehlerspeicher1->trigger(); }, [&](QWidget* modal) {
        auto* window = dynamic_cast<TFehlerSpeicherForm*>(modal);
        ASSERT_NE(window, nullptr);
        row1 = row(window, 1);
        row2 = row(window, 2);
        row36 = row(window, 36);
        row37 = row(window, 37);
        window->Speichern1->trigger();
    }));
    // Entry 1 is the last record the board sent: 874866 s, fault 25.
    EXPECT_EQ(row1, (QStringList{"1", "10", "3", "1", "6", "U-HZ hat den Maximalwert überschritten."}));
    EXPECT_EQ(row2, (QStringList{"2", "9", "19", "9", "33",
                                 "PTT während der Vorheizzeit eingeschaltet, nur Meldung."}));
    EXPECT_EQ(row36, (QStringList{"36", "0", "0", "0", "41",
                                  "I-Anode hat 5 Sekunden lang den Spitzenwert überschritten, PTT 5 "
                                  "sek blockiert."}));
    EXPECT_EQ(row37, (QStringList{"37", "", "", "", "", ""}));

    // The export: Windows-1252, CR LF, one line per record up to the first empty entry.
    const std::string file = Bytes("daten/fehler.txt");
    const std::string first = "Tage\tStd\tMin\tSek\tFehler\r\n\r\n"
                              "10\t3\t1\t6\tU-HZ hat den Maximalwert \xFC"
                              "berschritten.\r\n9\t19\t9\t33\tPTT w\xE4hrend";
    EXPECT_EQ(file.substr(0, first.size()), first);
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 38);
    const std::string last = "0\t0\t0\t41\tI-Anode hat 5 Sekunden lang den Spitzenwert \xFC"
                             "berschritten, PTT 5 sek blockiert.\r\n";
    ASSERT_GE(file.size(), last.size());
    EXPECT_EQ(file.substr(file.size() - last.size()), last);
    EXPECT_EQ(params.DataFolder, (dir / "daten").string());
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", "save:LCD Fehlerspeicher (*.txt)|*.TXT|"}));
}

TEST_F(SessionTest, ResetPanelFollowsTheBoardDuringADownload)
{
    Start();
    // (DTR driven, panel bright) whenever the panel changed colour.
    std::vector<std::pair<bool, bool>> seen;
    bool bright = false;
    OnSleep = [&](int) {
        const bool now = Colour(form->ResetPanel) == kPanelOnColour;
        if (now != bright)
            seen.push_back({live->Port().DtrHigh(), now});
        bright = now;
    };
    form->EmpfangenButton->click();
    OnSleep = nullptr;
    ASSERT_EQ(dialogs.Log(), std::vector<std::string>{"beep"});
    EXPECT_EQ(seen, (std::vector<std::pair<bool, bool>>{{true, true}, {false, false}}));
    EXPECT_EQ(Colour(form->ModePanel), kPanelOffColour);
}

TEST_F(SessionTest, PanelsShowTheLinesTheServiceUserDrivesByHand)
{
    // Between exchanges the window's own timer lets the board answer.
    Start({"Wq3Zb5"}, true);
    auto settle = [this] {
        clock->AdvanceMs(20);
        QTest::qWait(80);
    };
    QTest::mouseClick(form->ResetPanel, Qt::LeftButton);
    EXPECT_TRUE(live->Port().DtrHigh());
    settle();
    EXPECT_TRUE(TurnsColour(form->ResetPanel, kPanelOnColour));
    EXPECT_EQ(Colour(form->ModePanel), kPanelOffColour);

    QTest::mouseClick(form->ModePanel, Qt::LeftButton);
    settle();
    EXPECT_TRUE(live->Port().RtsHigh());
    EXPECT_TRUE(TurnsColour(form->ModePanel, kPanelOnColour));

    // Reset released with the mode line high: the board starts its boot ROM.
    QTest::mouseClick(form->ResetPanel, Qt::LeftButton);
    settle();
    EXPECT_TRUE(TurnsColour(form->ResetPanel, kPanelOffColour));
    EXPECT_EQ(live->Port().Running(), &Rom());

    QTest::mouseClick(form->ModePanel, Qt::LeftButton);
    settle();
    EXPECT_TRUE(TurnsColour(form->ModePanel, kPanelOffColour));
    EXPECT_TRUE(dialogs.Log().empty());
}

// The live board's timer wakes the window only while the board has an answer coming:
// idle, nothing ticks (the program's own idle wake-ups are in bench_idle_port).
TEST_F(SessionTest, TheLiveBoardsTimerRunsOnlyWhileAnAnswerIsComing)
{
    Start({"Wq3Zb5"}, true);
    ASSERT_EQ(params.SelectedPort, "virtuell");
    EXPECT_FALSE(form->Board().LiveTicking());
    QTest::mouseClick(form->ResetPanel, Qt::LeftButton);
    EXPECT_TRUE(form->Board().LiveTicking());
    clock->AdvanceMs(20);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !form->Board().LiveTicking(); }, 2000));
    EXPECT_TRUE(TurnsColour(form->ResetPanel, kPanelOnColour));

    // The port closed: whatever the board still has to do waits for the next opening.
    QTest::mouseClick(form->ResetPanel, Qt::LeftButton);
    form->ClosePort();
    clock->AdvanceMs(20);
    QTest::qWait(50);
    EXPECT_FALSE(form->Board().LiveTicking());
}

TEST_F(SessionTest, PanelClicksOutsideServiceModeDriveNothing)
{
    Start({}, true);
    QTest::mouseClick(form->ResetPanel, Qt::LeftButton);
    QTest::mouseClick(form->ModePanel, Qt::LeftButton);
    clock->AdvanceMs(20);
    QTest::qWait(80);
    EXPECT_FALSE(live->Port().DtrHigh());
    EXPECT_FALSE(live->Port().RtsHigh());
    EXPECT_EQ(Colour(form->ResetPanel), kPanelOffColour);
    EXPECT_EQ(Colour(form->ModePanel), kPanelOffColour);
}

TEST_F(SessionTest, EnvironmentSwitchBringsTheLiveBoardInRealTime)
{
    // The program's own set-up: the PC's ports, and the virtual board on the wall clock.
    setenv(kVirtualBoardVariable, "1", 1);
    form = CreateProgramForms(dialogs, params, {"Wq3Zb5"}, 1.0f);
    unsetenv(kVirtualBoardVariable);
    form->EndProcess = [this](int code) { exitCodes.push_back(code); };
    live = form->Board().Virtual();
    ASSERT_NE(live, nullptr);
    form->Timer1Timer();
    ASSERT_EQ(params.SelectedPort, "virtuell") << "a real board is connected to this PC";
    EXPECT_EQ(form->ComboBox->itemText(form->ComboBox->count() - 1), "virtuell");
    EXPECT_TRUE(dialogs.Log().empty());

    // The service user drives the reset line by hand; the live board answers by itself.
    QTest::mouseClick(form->ResetPanel, Qt::LeftButton);
    EXPECT_TRUE(TurnsColour(form->ResetPanel, kPanelOnColour));
    QTest::mouseClick(form->ResetPanel, Qt::LeftButton);
    EXPECT_TRUE(TurnsColour(form->ResetPanel, kPanelOffColour));

    // A short exchange in real time: ping, question, clear, confirmation.
    dialogs.AnswerConfirm(true);
    const auto start = std::chrono::steady_clock::now();
    form->BetriebsZeitLoeButton->click();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", "confirm:löschen ausführen?", "beep"}));
    EXPECT_EQ(live->Application().Clears(ConfigBoard::kClearOperatingTime), 1);
    EXPECT_EQ(form->statusLabel->text(), "Betriebszeit gelöscht");
    // The board's 300 ms of clearing passed on the wall clock.
    EXPECT_GT(took.count(), 0.3);
    EXPECT_LT(took.count(), 3.0);
}

TEST_F(SessionTest, ReplacingTheBoardConnectionLeavesNothingBehind)
{
    Start({}, true);
    auto count = [this] {
        int players = 0, timers = 0;
        for (QObject* child : form->children()) {
            players += dynamic_cast<SoundPlayer*>(child) != nullptr;
            timers += dynamic_cast<QTimer*>(child) != nullptr;
        }
        return std::pair{players, timers};
    };
    const auto before = count();
    EXPECT_EQ(before.first, 1);
    for (int k = 0; k < 2; ++k) {
        BoardSetup setup;
        setup.Discovery = std::make_unique<OneOrdinaryPort>();
        setup.Virtual = std::make_unique<LiveBoard>(std::make_unique<VirtualClock>());
        setup.Trace = false;
        form->UseBoard(std::move(setup));
    }
    EXPECT_EQ(count(), before);
}

TEST_F(SessionTest, MarkedValueGoesToThePatchFileWithTheBoardsLatestValue)
{
    Start();
    form->EmpfangenButton->click();
    ASSERT_EQ(dialogs.Log(), std::vector<std::string>{"beep"});
    ASSERT_TRUE(WithModal([this] { form->TimingButton->click(); }, [](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>("EditVorheizzeit");
        ASSERT_NE(edit, nullptr);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Space);
    }));
    EXPECT_EQ(params.PatchMarks[1], 1);

    form->PatchDateierstellen1->trigger();
    // "1\t;90\t;" sums to 290.
    EXPECT_EQ(Bytes("TavrixPatch.ini"), "1\t;90\t;E\r\n290");
    EXPECT_EQ(form->Board().Sound().TimesPlayed(), 2);  // the search's tone, then this one

    // The mark stays across the next download, which brings the board's new value.
    Board().Values[1] = 75;
    form->EmpfangenButton->click();
    form->PatchDateierstellen1->trigger();
    EXPECT_EQ(Bytes("TavrixPatch.ini"), "1\t;75\t;E\r\n293");
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", "beep"}));
}

TEST_F(SessionTest, FileMenuIsOffWhileAnUploadRuns)
{
    Start();
    form->EmpfangenButton->click();
    ASSERT_EQ(dialogs.Log(), std::vector<std::string>{"beep"});
    dialogs.Clear();

    // The upload lets the window process its messages between values; the menu entries
    // that would open another set or a window must not be usable then.
    std::vector<QAction*> beside = {form->Neu1, form->ffnen1, form->Speichern1,
                                    form->Speichernunter1, form->Protokolldrucken1,
                                    form->PatchDateierstellen1, form->Fehlerspeicher1};
    int sleepsWithAMenuOn = 0;
    int sleeps = 0;
    OnSleep = [&](int) {
        ++sleeps;
        for (QAction* action : beside)
            sleepsWithAMenuOn += action->isEnabled();
        EXPECT_TRUE(form->Beenden1->isEnabled());
    };
    dialogs.AnswerConfirm(true);
    form->SendenButton->click();
    OnSleep = nullptr;
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", "confirm:Daten übertragen?", "beep"}));
    EXPECT_GT(sleeps, 1000);
    EXPECT_EQ(sleepsWithAMenuOn, 0);
    for (QAction* action : beside)
        EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();
}
