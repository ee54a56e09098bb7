// The service area of the main window against the virtual board: clearing the fault
// memory, entering and sending a serial number, choosing and sending a device type, and
// what the next download brings back from the board.
#include "e2e_session.h"

#include <QAction>
#include <QTableWidget>
#include <QTest>

using namespace e2e;

namespace {


class ServiceTest : public Session {
protected:
    // Service mode, the board's set downloaded, the log cleared.
    void StartAndDownload()
    {
        Start({kServiceWord});
        form->EmpfangenButton->click();
        ASSERT_EQ(dialogs.Log(), std::vector<std::string>{"beep"});
        dialogs.Clear();
        live->Port().ClearLog();
    }
    std::vector<std::string> Confirmed(const char* question)
    {
        return {"beep", std::string("confirm:") + question, "beep"};
    }
};

}  // namespace

TEST_F(ServiceTest, ClearingTheFaultMemoryEmptiesItOnTheBoardAndAfterTheNextDownload)
{
    StartAndDownload();
    ASSERT_NE(TheFaultMemory().Entry(1).Time, 0);
    dialogs.AnswerConfirm(true);
    const Cost cost = Measure([this] { form->FehlerSpeicherLoeButton->click(); });
    EXPECT_EQ(dialogs.Log(), Confirmed("löschen ausführen?"));
    EXPECT_EQ(live->Port().BytesReceived(), (std::vector<uint8_t>{0xBA, 0xA5, 0xAD}));
    EXPECT_EQ(Board().Clears(ConfigBoard::kClearFaultMemory), 1);
    EXPECT_EQ(form->statusLabel->text(), "Fehlerspeicher gelöscht");
    EXPECT_EQ(form->ProgressBar->value(), 100);
    ExpectUsable(true, "after clearing");
    EXPECT_GT(cost.virtualSeconds, 5.0);  // the board's erase takes 5 s
    // The PC's table stays until the next download.
    EXPECT_NE(TheFaultMemory().Entry(1).Time, 0);

    form->EmpfangenButton->click();
    int recorded = 0;
    for (int n = 1; n <= kFaultEntries; ++n)
        recorded += TheFaultMemory().Entry(n).Time != 0;
    EXPECT_EQ(recorded, 0);

    QString firstRow = "<not shown>";
    ASSERT_TRUE(WithModal([this] { form->Fehlerspeicher1->trigger(); }, [&](QWidget* window) {
        auto* grid = window->findChild<QTableWidget*>();
        ASSERT_NE(grid, nullptr);
        firstRow = grid->item(1, 1) ? grid->item(1, 1)->text() : QString();
    }));
    EXPECT_EQ(firstRow, "");
}

TEST_F(ServiceTest, SerialNumberTypedAndSentIsWhatTheBoardReportsNext)
{
    StartAndDownload();
    EXPECT_EQ(form->SerienNrEdit->text(), "0001");
    EXPECT_TRUE(form->SendSerienNrButton->isEnabled());

    // Three characters are refused, four are taken.
    form->SerienNrEdit->setFocus();
    QTest::mouseClick(form->SerienNrEdit, Qt::LeftButton);
    QTest::keyClicks(form->SerienNrEdit, "471");
    QTest::keyClick(form->SerienNrEdit, Qt::Key_Return);
    EXPECT_EQ(form->SerienNrEdit->text(), "0001");
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{
                                 "beep", "info:Es müssen 4 Zeichen eingegeben werden !"}));
    dialogs.Clear();
    form->SerienNrEdit->selectAll();
    QTest::keyClicks(form->SerienNrEdit, "4711");
    QTest::keyClick(form->SerienNrEdit, Qt::Key_Return);
    EXPECT_EQ(params.SerialNumber, "4711");
    EXPECT_EQ(form->Label44->text(), "4711");
    EXPECT_TRUE(dialogs.Log().empty());

    dialogs.AnswerConfirm(true);
    form->SendSerienNrButton->click();
    EXPECT_EQ(dialogs.Log(), Confirmed("übertragen ausführen?"));
    EXPECT_EQ(live->Port().BytesReceived(),
              (std::vector<uint8_t>{0xBA, 0xA5, 0xB8, '4', '7', '1', '1', 'D', 'E', 'M', 0xFA}));
    EXPECT_EQ(Board().SerialNumber, "4711");
    EXPECT_EQ(Board().DeviceMark, "DEM");
    EXPECT_EQ(form->statusLabel->text(), "Serien-Nummer programmiert");
    ExpectUsable(true, "after the serial number");

    // A new session of the program reads it back.
    params.SerialNumber = "....";
    form->EmpfangenButton->click();
    EXPECT_EQ(form->Label44->text(), "4711");
    EXPECT_EQ(form->SerienNrEdit->text(), "4711");
}

TEST_F(ServiceTest, DeviceTypeChosenAndSentIsStoredByTheBoard)
{
    StartAndDownload();
    EXPECT_EQ(form->ComboBox1->currentIndex(), 3);
    EXPECT_FALSE(form->Button1->isHidden());
    EXPECT_TRUE(form->Button1->isEnabled());

    form->ComboBox1->setCurrentIndex(17);
    emit form->ComboBox1->activated(17);
    EXPECT_EQ(params.DeviceType, 17);
    dialogs.AnswerConfirm(true);
    form->Button1->click();
    EXPECT_EQ(dialogs.Log(), Confirmed("Übertragung ausführen?"));
    EXPECT_EQ(live->Port().BytesReceived(),
              (std::vector<uint8_t>{0xBA, 0xA5, 0xA4, '1', '7', '_', 0xFA}));
    EXPECT_EQ(Board().DeviceType, 17);
    EXPECT_EQ(form->statusLabel->text(), "Programmiert");
    EXPECT_EQ(form->ProgressBar->value(), 100);
    ExpectUsable(true, "after the device type");

    form->ComboBox1->setCurrentIndex(0);
    form->EmpfangenButton->click();
    EXPECT_EQ(form->ComboBox1->currentText(), "Typ17");
}

TEST_F(ServiceTest, ClearingWithoutALoadedSetLeavesTheEditorsOffAndNoSendsNothing)
{
    Start({kServiceWord});
    // "No" to the question: only the ping reached the board.
    dialogs.AnswerConfirm(false);
    form->BetriebsZeitLoeButton->click();
    EXPECT_EQ(live->Port().BytesReceived(), std::vector<uint8_t>{0xBA});
    EXPECT_EQ(Board().Clears(ConfigBoard::kClearOperatingTime), 0);

    dialogs.Clear();
    dialogs.AnswerConfirm(true);
    form->BetriebsZeitLoeButton->click();
    EXPECT_EQ(dialogs.Log(), Confirmed("löschen ausführen?"));
    EXPECT_EQ(Board().Clears(ConfigBoard::kClearOperatingTime), 1);
    EXPECT_EQ(Board().OperatingTime, 0);
    EXPECT_EQ(form->statusLabel->text(), "Betriebszeit gelöscht");
    ExpectUsable(false, "cleared without a set");
    EXPECT_TRUE(dialogs.ScriptUsedUp());
}
