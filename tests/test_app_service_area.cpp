// The service area of the main window as the user works it: the serial-number field
// taken when the focus moves on (not when a menu, a drop-down list or another window
// takes it for a while), the option check boxes and their exclusion, and the
// device-type selector left with the keyboard.
#include "e2e_session.h"

#include <QCheckBox>
#include <QMenu>
#include <QTest>

using namespace e2e;

namespace {

constexpr const char* kFourCharacters = "info:Es müssen 4 Zeichen eingegeben werden !";

class ServiceAreaTest : public Session {
protected:
    // Service mode, the demo board's set downloaded, the window shown and active.
    void StartShown(bool download = true)
    {
        Start({kServiceWord});
        if (download)
            form->EmpfangenButton->click();
        dialogs.Clear();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void Focus(QWidget* w)
    {
        w->setFocus(Qt::OtherFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), w);
    }
    // Opens and closes the "&Datei" menu the way a click on the menu bar does.
    void OpenAndCloseFileMenu()
    {
        auto* datei = form->findChild<QMenu*>("Datei1");
        ASSERT_NE(datei, nullptr);
        datei->popup(form->mapToGlobal(QPoint(10, 10)));
        ASSERT_TRUE(datei->isVisible());
        datei->close();
    }
    // Another window of the desktop becomes active and then the program again.
    void VisitAnotherWindow()
    {
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        ASSERT_EQ(QApplication::activeWindow(), &other);
        QApplication::setActiveWindow(form.get());
    }
};

}  // namespace

TEST_F(ServiceAreaTest, SerialNumberIsTakenWhenTheFocusMovesOnNotWhenAMenuOrWindowTakesIt)
{
    StartShown();
    ASSERT_EQ(form->SerienNrEdit->text(), "0001");
    Focus(form->SerienNrEdit);
    form->SerienNrEdit->selectAll();
    QTest::keyClicks(form->SerienNrEdit, "47");

    // The user is still typing: a glance at the menu or at another program says nothing.
    OpenAndCloseFileMenu();
    VisitAnotherWindow();
    EXPECT_TRUE(dialogs.Log().empty());
    EXPECT_EQ(form->SerienNrEdit->text(), "47");
    EXPECT_EQ(params.SerialNumber, "0001");
    EXPECT_EQ(QApplication::focusWidget(), form->SerienNrEdit);

    // Tab leaves the field: two characters are refused and the stored number comes back.
    QTest::keyClick(form->SerienNrEdit, Qt::Key_Tab);
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", kFourCharacters}));
    EXPECT_EQ(form->SerienNrEdit->text(), "0001");
    EXPECT_EQ(params.SerialNumber, "0001");

    // Four characters, then a click on another control: taken and shown above.
    dialogs.Clear();
    Focus(form->SerienNrEdit);
    form->SerienNrEdit->selectAll();
    QTest::keyClicks(form->SerienNrEdit, "4711");
    form->CheckBox1->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(dialogs.Log().empty());
    EXPECT_EQ(params.SerialNumber, "4711");
    EXPECT_EQ(form->Label44->text(), "4711");
    EXPECT_TRUE(form->SendSerienNrButton->isEnabled());
}

TEST_F(ServiceAreaTest, SerialFieldSwallowsEnterAndCharacter29)
{
    StartShown();
    Focus(form->SerienNrEdit);
    form->SerienNrEdit->selectAll();
    QTest::keyClicks(form->SerienNrEdit, "12");
    // Ctrl+] types the character 29; the field does not take it.
    QKeyEvent groupSeparator(QEvent::KeyPress, Qt::Key_BracketRight, Qt::ControlModifier,
                             QString(QChar(29)));
    QApplication::sendEvent(form->SerienNrEdit, &groupSeparator);
    EXPECT_EQ(form->SerienNrEdit->text(), "12");
    QTest::keyClicks(form->SerienNrEdit, "34");
    QTest::keyClick(form->SerienNrEdit, Qt::Key_Return);
    EXPECT_EQ(params.SerialNumber, "1234");
    EXPECT_EQ(form->SerienNrEdit->selectedText(), "1234");  // selected again
    EXPECT_TRUE(dialogs.Log().empty());
}

TEST_F(ServiceAreaTest, OptionBoxesStoreTheirValuesAndTwoAndThreeExcludeEachOther)
{
    StartShown();
    params.Values[8] = params.Values[29] = params.Values[31] = 0;
    form->RefreshMainWindow();

    QTest::mouseClick(form->CheckBox1, Qt::LeftButton);
    QTest::mouseClick(form->CheckBox2, Qt::LeftButton);
    EXPECT_EQ(params.Values[29], 1);
    EXPECT_EQ(params.Values[8], 1);
    QTest::mouseClick(form->CheckBox3, Qt::LeftButton);
    EXPECT_EQ(params.Values[31], 1);
    EXPECT_EQ(params.Values[8], 0);
    EXPECT_FALSE(form->CheckBox2->isChecked());
    QTest::mouseClick(form->CheckBox1, Qt::LeftButton);
    EXPECT_EQ(params.Values[29], 0);

    // A set with both display options leaves one box ticked, and the value behind the
    // box that was cleared goes to 0 with it. With CheckBox3 ticked before, ticking
    // CheckBox2 clears it and its value before CheckBox3 is set from that value.
    params.Values[8] = params.Values[31] = 1;
    form->RefreshMainWindow();
    EXPECT_TRUE(form->CheckBox2->isChecked());
    EXPECT_FALSE(form->CheckBox3->isChecked());
    EXPECT_EQ(params.Values[8], 1);
    EXPECT_EQ(params.Values[31], 0);

    // With CheckBox2 ticked before it does not change; ticking CheckBox3 clears it.
    params.Values[8] = params.Values[31] = 1;
    form->RefreshMainWindow();
    EXPECT_FALSE(form->CheckBox2->isChecked());
    EXPECT_TRUE(form->CheckBox3->isChecked());
    EXPECT_EQ(params.Values[8], 0);
    EXPECT_EQ(params.Values[31], 1);
}

TEST_F(ServiceAreaTest, DeviceTypeSelectorIsLeftWhenTheFocusMovesOn)
{
    StartShown(false);
    ASSERT_FALSE(form->Button1->isHidden());
    ASSERT_FALSE(form->Button1->isEnabled());
    Focus(form->ComboBox1);
    // Opening the list and closing it without a choice is no choice.
    form->ComboBox1->showPopup();
    form->ComboBox1->hidePopup();
    EXPECT_FALSE(form->Button1->isEnabled());

    QTest::keyClick(form->ComboBox1, Qt::Key_Tab);
    EXPECT_TRUE(form->Button1->isEnabled());
    EXPECT_EQ(params.DeviceType, 255);
}
