// The editor dialogs driven through their real widgets with key, mouse and focus
// events on the offscreen platform: the field cycle, marks and colours, and the rules
// of single dialogs (SWR or reflected power, heater, power range arrows, band modes).
#include "editor_forms.h"
#include "editor_tables.h"
#include "field_binder.h"
#include "parameter_set.h"
#include "scripted_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>

namespace {

class EditorDialogs : public ::testing::Test {
protected:
    ParameterSet params;
    ScriptedDialogs messages;
    std::unique_ptr<QDialog> dialog;

    QDialog* Open(EditorForm form, float scale = 1.0f)
    {
        dialog.reset(CreateEditorForm(form, {params, messages, scale}, nullptr));
        dialog->show();
        return dialog.get();
    }
    void Reopen()
    {
        dialog->close();
        dialog->show();
    }

    template <typename T = QLineEdit>
    T* Get(const char* name)
    {
        T* w = dialog->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    static void Type(QLineEdit* edit, const char* text)
    {
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromUtf8(text));
    }
    static void Enter(QLineEdit* edit, const char* text)
    {
        Type(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    // The focus moves to another control of the dialog.
    static void Leave(QWidget* control)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
        QApplication::sendEvent(control, &out);
        QApplication::processEvents();
    }
    static QColor Colour(QWidget* control) { return control->palette().color(QPalette::Base); }

    std::vector<std::string> Refusal(const std::string& message)
    {
        return {"beep", "info:" + message};
    }
};

// ---- the field cycle -------------------------------------------------------------

TEST_F(EditorDialogs, EnterConfirmsKeepsTheFocusAndSelectsTheText)
{
    Open(EditorForm::Timing);
    auto* first = Get("EditVorheizzeit");
    EXPECT_EQ(dialog->focusWidget(), first);
    EXPECT_EQ(first->selectedText(), "1");

    auto* debounce = Get("EditPttEntpZeit");
    QTest::mouseClick(debounce, Qt::LeftButton);
    EXPECT_EQ(debounce->selectedText(), "2");  // a click selects the whole text
    debounce->setFocus();
    Enter(debounce, "3");
    EXPECT_EQ(params.Values[6], 1);
    EXPECT_EQ(debounce->text(), "2");
    EXPECT_EQ(debounce->selectedText(), "2");
    EXPECT_EQ(dialog->focusWidget(), debounce);
    EXPECT_TRUE(messages.Log().empty());
}

TEST_F(EditorDialogs, SpaceTogglesTheMarkAndColourOnly)
{
    Open(EditorForm::Timing);
    auto* edit = Get("EditAbkuehlzeit");
    const int32_t stored = params.Values[44];
    EXPECT_EQ(Colour(edit), WindowColour());
    for (const char* text : {"12x", "99999"}) {
        Type(edit, text);
        QTest::keyClick(edit, Qt::Key_Space);
        EXPECT_EQ(params.PatchMarks[44], 1);
        EXPECT_EQ(Colour(edit), MarkedColour());
        EXPECT_EQ(edit->text().toStdString(), text);
        EXPECT_EQ(params.Values[44], stored);
        QTest::keyClick(edit, Qt::Key_Space);
        EXPECT_EQ(params.PatchMarks[44], 0);
        EXPECT_EQ(Colour(edit), WindowColour());
        EXPECT_EQ(edit->text().toStdString(), text);
    }
    EXPECT_TRUE(messages.Log().empty());
}

TEST_F(EditorDialogs, TypingHasNoDigitFilterStopsAtMaxLengthAndSwallowsCharacter29)
{
    Open(EditorForm::Allgemeines);
    auto* edit = Get("EditIG2FuseTest");  // at most 4 characters
    Type(edit, "ab-,.7xyz");
    EXPECT_EQ(edit->text(), "ab-,");
    QKeyEvent groupSeparator(QEvent::KeyPress, Qt::Key_BracketRight, Qt::ControlModifier,
                             QString(QChar(29)));
    edit->selectAll();
    QApplication::sendEvent(edit, &groupSeparator);
    EXPECT_EQ(edit->text(), "ab-,");
    // "ab-," reads 0, outside 1 to 512.
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(messages.Log(), Refusal("Gültige Eingaben sind 1 mA bis 512 mA !"));
    EXPECT_EQ(edit->text(), "1");
    EXPECT_EQ(params.Values[35], 1);
}

TEST_F(EditorDialogs, LeavingConfirmsAndShowsTheStoredValue)
{
    Open(EditorForm::Grenzwerte);
    auto* returnTime = Get("MaxRueckZeitEdit");
    EXPECT_EQ(returnTime->text(), "0.1");  // stored 50, "%3.1f" on open
    Type(returnTime, "0,5");
    Leave(returnTime);
    EXPECT_EQ(params.Values[81], 250);
    EXPECT_EQ(returnTime->text(), " 0.5");  // "%4.1f" after a confirmation
    Reopen();
    EXPECT_EQ(returnTime->text(), "0.5");

    // A refused entry: message, stored value shown, focus back into the field.
    auto* anode = Get("EditUAmax");
    Type(anode, "70000");
    Get("EditUAmin")->setFocus();
    Leave(anode);
    EXPECT_EQ(messages.Log(), Refusal("Gültige Eingaben sind 1 V bis 65000 V !"));
    EXPECT_EQ(params.Values[21], 1);
    EXPECT_EQ(anode->text(), "1");
    EXPECT_EQ(dialog->focusWidget(), anode);
}

TEST_F(EditorDialogs, AFieldTakingTheFocusBackDoesNotMakeTheOtherFieldLeave)
{
    params.Values[9] = 0;   // both outside 1 to 65000, as a file may bring them
    params.Values[10] = 0;
    Open(EditorForm::Grenzwerte);
    QApplication::setActiveWindow(dialog.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    auto* first = Get("Edit_IA_Max5sek");
    auto* second = Get("Edit_IA_MaxSofort");
    QTest::mouseClick(first, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), first);
    Type(first, "70000");
    QTest::mouseClick(second, Qt::LeftButton);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(messages.Log(), Refusal("Gültige Eingaben sind 1 mA bis 65000 mA !"));
    EXPECT_EQ(QApplication::focusWidget(), first);
    EXPECT_EQ(first->text(), "0");
}

TEST_F(EditorDialogs, TextWithoutANumberIsRefusedAndTheProtectionStaysOn)
{
    params.Values[82] = 60;  // Max IG1 60 mA
    params.Values[40] = 80;  // MaxRücklauf 80 W
    Open(EditorForm::Grenzwerte);
    struct Case {
        const char* control;
        int index;
        const char* typed;
        const char* message;
    };
    const Case cases[] = {
        {"Edit_MaxIG1", 82, "abc", "Gültige Eingaben sind 0 bis 350 mA !"},
        {"Edit_MaxIG1", 82, "", "Gültige Eingaben sind 0 bis 350 mA !"},
        {"MaxRuecklaufEdit", 40, "x", "Gültige Eingaben sind 0 bis 15000 !"},
    };
    for (const Case& c : cases) {
        messages.Clear();
        auto* edit = Get(c.control);
        edit->selectAll();
        edit->del();
        Enter(edit, c.typed);
        EXPECT_EQ(messages.Log(), Refusal(c.message)) << c.control << " \"" << c.typed << "\"";
        EXPECT_NE(params.Values[size_t(c.index)], 0) << c.control;
    }
    EXPECT_EQ(params.Values[82], 60);
    EXPECT_EQ(params.Values[40], 80);
    // A typed 0 still switches it off.
    messages.Clear();
    Enter(Get("Edit_MaxIG1"), "0");
    EXPECT_TRUE(messages.Log().empty());
    EXPECT_EQ(params.Values[82], 0);
}

TEST_F(EditorDialogs, ClosingKeepsAValidTypedEntryAndDropsAnInvalidOneSilently)
{
    Open(EditorForm::Grenzwerte);
    auto* limit = Get("Edit_PWR_Begrenzung");
    Type(limit, "300");
    dialog->close();
    EXPECT_EQ(params.Values[41], 300);

    dialog->show();
    EXPECT_EQ(limit->text(), "300");
    Type(limit, "70000");
    dialog->close();
    EXPECT_EQ(params.Values[41], 300);
    EXPECT_TRUE(messages.Log().empty());
    dialog->show();
    EXPECT_EQ(limit->text(), "300");
}

TEST_F(EditorDialogs, StoredNegativeValuesShowUnsigned)
{
    params.Values[1] = -1;
    Open(EditorForm::Timing);
    EXPECT_EQ(Get("EditVorheizzeit")->text(), "4294967295");
}

TEST_F(EditorDialogs, TypingStopsAtMaxLengthAfterALongStoredValue)
{
    params.Values[1] = -1;
    Open(EditorForm::Timing);
    auto* edit = Get("EditVorheizzeit");  // five characters
    ASSERT_EQ(edit->text(), "4294967295");
    // Shown whole, but nothing can be added to it.
    edit->setCursorPosition(10);
    QTest::keyClicks(edit, "12");
    EXPECT_EQ(edit->text(), "4294967295");
    // Shortened, it still cannot grow again beyond five characters.
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), "429496729");
    QTest::keyClicks(edit, "7");
    EXPECT_EQ(edit->text(), "429496729");
    // Replaced by typing: five characters at most.
    Type(edit, "1234567890");
    EXPECT_EQ(edit->text(), "12345");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(params.Values[1], 12345);
    Type(edit, "9876543");
    EXPECT_EQ(edit->text(), "98765");
}

TEST_F(EditorDialogs, EscapeClosesNothing)
{
    Open(EditorForm::GrenzwerteMaxPWR);
    for (const char* name : {"Edit1", "RadioButton1"}) {
        QWidget* w = dialog->findChild<QWidget*>(name);
        ASSERT_NE(w, nullptr) << name;
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Escape);
        EXPECT_TRUE(dialog->isVisible()) << name;
    }
    Open(EditorForm::Grenzwerte_IA_Mittelwert);
    auto* list = Get<QComboBox>("ComboBox1");
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    Open(EditorForm::Allgemeines);
    auto* box = Get<QCheckBox>("CheckBox4");
    const bool checked = box->isChecked();
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(box->isChecked(), checked);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(messages.Log().empty());
    // The close box still closes.
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(EditorDialogs, MarksSurviveClosingReopeningAndNewValues)
{
    Open(EditorForm::Softstartrelais);
    auto* edit = Get("UAsprungEdit");
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Space);
    Reopen();
    EXPECT_EQ(Colour(edit), MarkedColour());
    // Opening a file or reading the board replaces values, never marks.
    params.Values = ParameterSet::StartValues();
    params.Values[33] = 42;
    Reopen();
    EXPECT_EQ(edit->text(), "42");
    EXPECT_EQ(params.PatchMarks[33], 1);
    EXPECT_EQ(Colour(edit), MarkedColour());
}

// ---- lists and check boxes -------------------------------------------------------

TEST_F(EditorDialogs, ListsShowTheirItemAndStoreIndexPlusOffset)
{
    params.Values[25] = 1;
    Open(EditorForm::Allgemeines);
    auto* language = Get<QComboBox>("ComboBoxSprache");
    EXPECT_EQ(language->currentText(), "Englisch");
    QTest::keyClick(language, Qt::Key_Up);
    EXPECT_EQ(params.Values[25], 0);

    params.Values[25] = 5;
    Reopen();
    EXPECT_EQ(language->currentIndex(), -1);
    EXPECT_EQ(params.Values[25], 5);
    Leave(language);
    EXPECT_EQ(params.Values[25], -1);

    QTest::keyClick(language, Qt::Key_Space);
    EXPECT_EQ(params.PatchMarks[25], 1);
    EXPECT_EQ(Colour(language), MarkedColour());
    EXPECT_EQ(language->currentIndex(), -1);

    Open(EditorForm::Anzeigebereiche);
    auto* anodeVolts = Get<QComboBox>("ComboBoxMaxUa");
    params.Values[36] = 20;
    Reopen();
    EXPECT_EQ(anodeVolts->currentText(), "20480");
}

TEST_F(EditorDialogs, AveragingTimeStoresOnChangeOnly)
{
    params.Values[43] = 0;
    Open(EditorForm::Grenzwerte_IA_Mittelwert);
    auto* averaging = Get<QComboBox>("ComboBox1");
    EXPECT_EQ(averaging->currentIndex(), -1);
    EXPECT_EQ(averaging->focusPolicy(), Qt::ClickFocus);
    averaging->setCurrentIndex(2);  // the user picks "22/3,4"
    EXPECT_EQ(averaging->currentText(), "22/3,4");
    EXPECT_EQ(params.Values[43], 6);
    params.Values[43] = 0;
    Leave(averaging);
    EXPECT_EQ(params.Values[43], 0);
}

TEST_F(EditorDialogs, CheckBoxesStoreOnClickAndFlipOnAnyCharacter)
{
    params.Values[80] = 0;
    Open(EditorForm::Softstartrelais);
    auto* box = Get<QCheckBox>("SoftstartCheckBox");
    EXPECT_EQ(box->focusPolicy(), Qt::StrongFocus);
    QTest::keyClick(box, Qt::Key_A);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(params.Values[80], 1);
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(params.Values[80], 0);
    EXPECT_EQ(params.PatchMarks[80], 1);
    EXPECT_EQ(Colour(box), MarkedColour());
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(params.Values[80], 1);

    // A stored non-zero value checks the box and is written back as 1.
    params.Values[42] = 7;
    Open(EditorForm::Allgemeines);
    EXPECT_TRUE(Get<QCheckBox>("CheckBox4")->isChecked());
    EXPECT_EQ(params.Values[42], 1);
}

// ---- general limits --------------------------------------------------------------

TEST_F(EditorDialogs, ReflectedPowerLimitSwitchesTheSwrLimitOff)
{
    params.Values[40] = 0;
    Open(EditorForm::Grenzwerte);
    auto* swr = Get("EditMaxSWR");
    auto* returnPower = Get("MaxRuecklaufEdit");
    auto* returnTime = Get("MaxRueckZeitEdit");
    EXPECT_TRUE(swr->isEnabled());
    EXPECT_EQ(Colour(swr), WindowColour());
    EXPECT_EQ(Colour(returnPower), MenuColour());
    EXPECT_FALSE(Get<QLabel>("LabelMaxRuecklauf")->isEnabled());

    Enter(returnPower, "500");
    EXPECT_EQ(params.Values[40], 500);
    EXPECT_FALSE(swr->isEnabled());
    EXPECT_EQ(Colour(swr), MenuColour());
    EXPECT_EQ(Colour(returnPower), WindowColour());
    EXPECT_EQ(Colour(returnTime), WindowColour());
    EXPECT_TRUE(returnTime->isEnabled());
    EXPECT_FALSE(Get<QLabel>("LabelMaxSWR")->isEnabled());
    EXPECT_TRUE(Get<QLabel>("LabelMaxRueckZeit")->isEnabled());

    Enter(returnPower, "0");
    EXPECT_TRUE(swr->isEnabled());
    EXPECT_EQ(Colour(swr), WindowColour());
    EXPECT_EQ(Colour(returnTime), MenuColour());

    // With one of the three marked, the colours stay as they are.
    returnTime->selectAll();
    QTest::keyClick(returnTime, Qt::Key_Space);
    Enter(returnPower, "500");
    EXPECT_FALSE(swr->isEnabled());
    EXPECT_EQ(Colour(swr), WindowColour());
    EXPECT_EQ(Colour(returnTime), MarkedColour());
}

// A repaint gives every unmarked field the window colour, switched off or not; only
// the heater limits keep the menu colour while the heater box is off.
TEST_F(EditorDialogs, RepaintGivesUnmarkedFieldsTheWindowColour)
{
    params.Values[40] = 0;  // reflected-power limit off: its fields in the menu colour
    params.Values[34] = 2;  // heater off
    params.PatchMarks[81] = 0;
    Open(EditorForm::Grenzwerte);
    auto* returnPower = Get("MaxRuecklaufEdit");
    auto* high = Get("EditHZmax");
    ASSERT_EQ(Colour(returnPower), MenuColour());
    ASSERT_EQ(Colour(high), MenuColour());
    dialog->grab();
    EXPECT_EQ(Colour(returnPower), WindowColour());
    EXPECT_EQ(Colour(Get("MaxRueckZeitEdit")), WindowColour());
    EXPECT_EQ(Colour(high), MenuColour());
    EXPECT_EQ(Colour(Get("EditHZmin")), MenuColour());

    // Heater on: its fields follow the repaint rule again.
    QTest::mouseClick(Get<QCheckBox>("CheckBox2"), Qt::LeftButton);
    ASSERT_EQ(params.Values[34], 1);
    dialog->grab();
    EXPECT_EQ(Colour(high), WindowColour());

    // Marked fields stay red through a repaint.
    returnPower->setFocus();
    QTest::keyClick(returnPower, Qt::Key_Space);
    dialog->grab();
    EXPECT_EQ(Colour(returnPower), MarkedColour());
}

TEST_F(EditorDialogs, UnmarkingGivesTheWindowColourAtOnce)
{
    params.Values[40] = 0;
    Open(EditorForm::Grenzwerte);
    auto* returnPower = Get("MaxRuecklaufEdit");  // switched off, still enabled
    ASSERT_EQ(Colour(returnPower), MenuColour());
    returnPower->setFocus();
    QTest::keyClick(returnPower, Qt::Key_Space);
    EXPECT_EQ(Colour(returnPower), MarkedColour());
    QTest::keyClick(returnPower, Qt::Key_Space);
    EXPECT_EQ(params.PatchMarks[40], 0);
    EXPECT_EQ(Colour(returnPower), WindowColour());
}

TEST_F(EditorDialogs, HeaterLimitsNeedTheBoxAndExactlyOne)
{
    params.Values[34] = 2;
    Open(EditorForm::Grenzwerte);
    auto* heater = Get<QCheckBox>("CheckBox2");
    auto* high = Get("EditHZmax");
    EXPECT_FALSE(heater->isChecked());
    EXPECT_FALSE(high->isEnabled());
    EXPECT_FALSE(Get("EditHZmin")->isEnabled());
    EXPECT_FALSE(Get<QLabel>("LabelHeizungV")->isEnabled());
    EXPECT_EQ(Colour(high), MenuColour());
    EXPECT_EQ(high->text(), " 1.2");  // switched off, still showing its value

    QTest::mouseClick(heater, Qt::LeftButton);
    EXPECT_EQ(params.Values[34], 1);
    EXPECT_TRUE(high->isEnabled());
    EXPECT_EQ(Colour(high), WindowColour());
    EXPECT_TRUE(Get<QLabel>("LabelHeizungV")->isEnabled());

    // No key handling and no mark: space is the box's own toggle.
    heater->setFocus();
    QTest::keyClick(heater, Qt::Key_Space);
    EXPECT_EQ(params.Values[34], 0);
    EXPECT_EQ(params.PatchMarks[34], 0);
    EXPECT_FALSE(high->isEnabled());
}

TEST_F(EditorDialogs, EfficiencyThresholdShowsItsPercentage)
{
    params.Values[3] = 1023;
    Open(EditorForm::Grenzwerte);
    auto* threshold = Get("Edit_MinWirkGradPWR");
    EXPECT_EQ(threshold->text(), "100");
    Enter(threshold, "50");
    EXPECT_EQ(params.Values[3], 723);
    EXPECT_EQ(threshold->text(), "50");
    Leave(threshold);
    EXPECT_EQ(params.Values[3], 723);
}

// ---- display ranges: the power range and its arrows ------------------------------

TEST_F(EditorDialogs, PowerRangeTypedAndByArrows)
{
    params.Values[27] = 1046;
    Open(EditorForm::Anzeigebereiche);
    auto* power = Get("EditMaxPwrDig");
    auto* up = Get<QToolButton>("Up");
    auto* down = Get<QToolButton>("Down");
    auto* rawLabel = Get<QLabel>("Label6");
    EXPECT_EQ(power->text(), "1000");
    EXPECT_EQ(rawLabel->text(), "");

    Enter(power, "3000");
    EXPECT_EQ(params.Values[27], 348);
    EXPECT_EQ(power->text(), "3007");
    EXPECT_EQ(rawLabel->text(), "348");

    QTest::mouseClick(up, Qt::LeftButton);  // raw one lower, power higher
    EXPECT_EQ(params.Values[27], 347);
    EXPECT_EQ(power->text(), "3015");
    EXPECT_EQ(rawLabel->text(), "348");  // only typed entries write it
    QTest::mouseClick(down, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(params.Values[27], 349);

    Enter(power, "90000");
    EXPECT_EQ(params.Values[27], 11);
    EXPECT_EQ(power->text(), "95139");
    messages.Clear();
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(messages.Log(), Refusal("Eingabebereich Ende !"));
    EXPECT_EQ(params.Values[27], 11);
    EXPECT_EQ(power->text(), "95139");
    QTest::mouseClick(down, Qt::LeftButton);  // back from the refused position
    EXPECT_EQ(params.Values[27], 12);

    Enter(power, "100");
    EXPECT_EQ(params.Values[27], 10465);
    messages.Clear();
    QTest::mouseClick(down, Qt::LeftButton);  // position 22302
    EXPECT_EQ(messages.Log(), Refusal("Eingabebereich Ende !"));
    EXPECT_EQ(params.Values[27], 10465);

    messages.Clear();
    Enter(power, "99");
    EXPECT_EQ(messages.Log(), Refusal("Gültige Eingaben sind 100 bis 90000 !"));
    EXPECT_EQ(power->text(), "100");
}

TEST_F(EditorDialogs, PowerRangeOfZeroOpensEmptyAndKeepsTheValue)
{
    params.Values[27] = 0;
    Open(EditorForm::Anzeigebereiche);
    auto* power = Get("EditMaxPwrDig");
    EXPECT_EQ(power->text(), "");
    dialog->close();
    EXPECT_EQ(params.Values[27], 0);
    EXPECT_TRUE(messages.Log().empty());
    dialog->show();
    Enter(power, "1000");
    EXPECT_EQ(params.Values[27], 1046);
}

// ---- per-band tables -------------------------------------------------------------

TEST_F(EditorDialogs, BandModeSwitchesFieldsAndKeepsTheirValues)
{
    params.Values[56] = 2;
    Open(EditorForm::GrenzwerteMaxPWR);
    auto* all = Get("Edit1");
    auto* g1 = Get("EditG1U");
    auto* band40 = Get("Edit40");
    EXPECT_TRUE(Get<QRadioButton>("RadioButton3")->isChecked());
    EXPECT_FALSE(all->isEnabled());
    EXPECT_FALSE(g1->isEnabled());
    EXPECT_TRUE(band40->isEnabled());
    EXPECT_EQ(Colour(all), MenuColour());
    EXPECT_EQ(Colour(band40), WindowColour());
    EXPECT_EQ(all->text(), "201");

    Enter(band40, "1234");
    Get<QRadioButton>("RadioButton1")->click();
    EXPECT_EQ(params.Values[56], 0);
    EXPECT_TRUE(all->isEnabled());
    EXPECT_FALSE(g1->isEnabled());
    EXPECT_FALSE(band40->isEnabled());
    EXPECT_FALSE(Get<QLabel>("Label3")->isEnabled());
    EXPECT_EQ(Colour(band40), MenuColour());
    EXPECT_EQ(band40->text(), "1234");

    Get<QRadioButton>("RadioButton2")->click();
    EXPECT_EQ(params.Values[56], 1);
    EXPECT_TRUE(all->isEnabled());
    EXPECT_TRUE(g1->isEnabled());
    EXPECT_FALSE(band40->isEnabled());

    Get<QRadioButton>("RadioButton3")->click();
    EXPECT_EQ(params.Values[56], 2);
    EXPECT_TRUE(band40->isEnabled());
    EXPECT_TRUE(Get<QLabel>("Label3")->isEnabled());
    EXPECT_EQ(band40->text(), "1234");
    EXPECT_EQ(params.Values[61], 1234);
}

TEST_F(EditorDialogs, UnknownBandModeOpensTheFirstButtonAndStoresZero)
{
    params.Values[68] = 3;
    Open(EditorForm::Grenzwerte_IA_Mittelwert);
    EXPECT_TRUE(Get<QRadioButton>("RadioButton1")->isChecked());
    EXPECT_EQ(params.Values[68], 0);
    EXPECT_TRUE(Get("Edit1")->isEnabled());
    EXPECT_FALSE(Get("Edit10")->isEnabled());
}

TEST_F(EditorDialogs, ReopenedOnTheSelectedFirstButtonKeepsTheStoredMode)
{
    params.Values[56] = 3;
    Open(EditorForm::GrenzwerteMaxPWR);
    ASSERT_TRUE(Get<QRadioButton>("RadioButton1")->isChecked());
    EXPECT_EQ(params.Values[56], 0);  // selected by the show: stored

    params.Values[56] = 7;  // from a file or the board, while the first button is selected
    Reopen();
    EXPECT_TRUE(Get<QRadioButton>("RadioButton1")->isChecked());
    EXPECT_EQ(params.Values[56], 7);
    EXPECT_TRUE(Get("Edit1")->isEnabled());  // mode 0 is applied all the same
    EXPECT_FALSE(Get("EditG1U")->isEnabled());
    EXPECT_FALSE(Get("Edit40")->isEnabled());

    // From another mode the first button becomes selected again: 0 is stored.
    params.Values[56] = 2;
    Reopen();
    EXPECT_TRUE(Get<QRadioButton>("RadioButton3")->isChecked());
    params.Values[56] = 5;
    Reopen();
    EXPECT_TRUE(Get<QRadioButton>("RadioButton1")->isChecked());
    EXPECT_EQ(params.Values[56], 0);
    EXPECT_FALSE(Get("Edit40")->isEnabled());
}

TEST_F(EditorDialogs, RepaintOfABandDialogGivesSwitchedOffFieldsTheWindowColour)
{
    params.Values[45] = 0;
    params.PatchMarks[50] = 1;  // Edit30
    Open(EditorForm::PWR_Korrektur);
    ASSERT_EQ(Colour(Get("Edit20")), MenuColour());
    dialog->grab();
    for (const char* name : {"EditG1U", "Edit160", "Edit20", "Edit10"}) {
        EXPECT_FALSE(Get(name)->isEnabled()) << name;
        EXPECT_EQ(Colour(Get(name)), WindowColour()) << name;
    }
    EXPECT_EQ(Colour(Get("Edit30")), MarkedColour());
    // Choosing a mode colours by the mode again, until the next repaint.
    Get<QRadioButton>("RadioButton2")->click();
    EXPECT_EQ(Colour(Get("Edit160")), MenuColour());
    EXPECT_EQ(Colour(Get("EditG1U")), WindowColour());
}

TEST_F(EditorDialogs, CorrectionWithoutFactorSwitchesAllFieldsOffButMarkedStayRed)
{
    params.Values[45] = 0;
    params.PatchMarks[50] = 1;  // Edit30
    Open(EditorForm::PWR_Korrektur);
    EXPECT_EQ(dialog->findChild<QLineEdit*>("Edit1"), nullptr);
    for (const char* name : {"EditG1U", "Edit160", "Edit30", "Edit10"})
        EXPECT_FALSE(Get(name)->isEnabled()) << name;
    EXPECT_EQ(Colour(Get("Edit30")), MarkedColour());
    EXPECT_EQ(Colour(Get("Edit20")), MenuColour());
    EXPECT_EQ(Get("Edit30")->text(), "1.04");
}

TEST_F(EditorDialogs, BandDialogsTabThroughModesBandsG1AndAll)
{
    Open(EditorForm::GrenzwerteMaxPWR);
    std::vector<std::string> order;
    QWidget* w = Get<QRadioButton>("RadioButton1");
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            order.push_back(w->objectName().toStdString());
        w = w->nextInFocusChain();
    } while (w->objectName() != "RadioButton1");
    EXPECT_EQ(order, (std::vector<std::string>{"RadioButton1", "RadioButton2", "RadioButton3",
                                               "Edit160", "Edit80", "Edit40", "Edit30", "Edit20",
                                               "Edit17", "Edit15", "Edit12", "Edit10", "EditG1U",
                                               "Edit1"}));
}

// ---- every dialog ----------------------------------------------------------------

TEST_F(EditorDialogs, DialogsCarryTheirNamesCaptionsAndScaledSizes)
{
    struct Expected {
        EditorForm form;
        const char* className;
        const char* caption;
        int width;
        int height;
    };
    const Expected all[] = {
        {EditorForm::Timing, "TTimingForm", "Timing", 292, 247},
        {EditorForm::Allgemeines, "TAllgemeinesForm", "Allgemeines", 523, 211},
        {EditorForm::Anzeigebereiche, "TAnzeigebereicheForm", "Anzeigebereiche", 252, 265},
        {EditorForm::Grenzwerte, "TGrenzwerteForm", "Grenzwerte allgemein", 387, 763},
        {EditorForm::Softstartrelais, "TSoftstartrelaisForm", "Softstartrelais", 629, 433},
        {EditorForm::GrenzwerteMaxPWR, "TGrenzwerteMaxPWRForm",
         "Grenzwerte Max-PWR bei Dauerträger", 307, 574},
        {EditorForm::PWR_Korrektur, "TPWR_KorrekturForm", "Korrektur PWR-Anzeige", 307, 571},
        {EditorForm::Grenzwerte_IA_Mittelwert, "TGrenzwerte_IA_MittelwertForm",
         "Grenzwerte IA-Mittelwert", 360, 625},
    };
    for (const Expected& e : all) {
        SCOPED_TRACE(e.className);
        for (float scale : {1.0f, 1.25f}) {
            Open(e.form, scale);
            EXPECT_EQ(dialog->objectName().toStdString(), e.className);
            EXPECT_EQ(dialog->windowTitle().toStdString(), e.caption);
            // Outer design size times the scale, the frame included; the client area is
            // that minus the frame the platform drew around the shown dialog.
            EXPECT_EQ(dialog->frameGeometry().size(),
                      QSize(int(e.width * scale), int(e.height * scale)));
            EXPECT_LT(dialog->width(), int(e.width * scale));
            for (QWidget* child : dialog->findChildren<QWidget*>()) {
                if (child->parentWidget() != dialog.get())
                    continue;
                const auto* label = qobject_cast<QLabel*>(child);
                EXPECT_TRUE(dialog->rect().contains(child->geometry()))
                    << (label ? label->text() : child->objectName()).toStdString();
            }
        }
    }
}

TEST_F(EditorDialogs, FixedTextsStandAsWritten)
{
    Open(EditorForm::Softstartrelais);
    std::vector<std::string> texts;
    for (QLabel* label : dialog->findChildren<QLabel*>())
        texts.push_back(label->text().toStdString());
    for (const char* text : {"* Wird ab Firmware 7.14 nicht mehr verwendet.",
                             "12 V Überprüfung nach Einschalten:",
                             "U-Anode Überprüfung nach Einschalten:", "(UA-Softstartrelais)",
                             "Schaltet die Anodenspannung x Sek. vor RDY ein  (0 = abgesch)"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
    EXPECT_EQ(dialog->focusWidget(), Get("Edit12Vms2"));
}

}  // namespace
