// Every edit field of every editor dialog, driven through the real dialog with key
// events: both bounds accepted with the raw value stored and the text shown, one step
// beyond each bound refused with the field's exact range message. The expectations
// below are written out by hand, one row per control, independent of the tables.
#include "editor_forms.h"
#include "editor_tables.h"
#include "parameter_set.h"
#include "scripted_dialogs.h"

#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

namespace {

struct Bound {
    const char* typed;
    int32_t raw;
    const char* shown;
};

struct EditRow {
    EditorForm form;
    const char* control;
    int index;
    Bound low;
    Bound high;
    const char* below;  // one step under the range
    const char* above;  // one step over the range
    const char* message;
    int maxLength;
};

constexpr EditorForm kTiming = EditorForm::Timing;
constexpr EditorForm kGeneral = EditorForm::Allgemeines;
constexpr EditorForm kRanges = EditorForm::Anzeigebereiche;
constexpr EditorForm kLimits = EditorForm::Grenzwerte;
constexpr EditorForm kSoftStart = EditorForm::Softstartrelais;
constexpr EditorForm kMaxPower = EditorForm::GrenzwerteMaxPWR;
constexpr EditorForm kAnodeMean = EditorForm::Grenzwerte_IA_Mittelwert;
constexpr EditorForm kCorrection = EditorForm::PWR_Korrektur;

const char* const kSec65000 = "Gültige Eingaben sind 1 sek bis 65000 sek !";
const char* const kMs65000 = "Gültige Eingaben sind 2 ms bis 65000 ms !";
const char* const kMa65000 = "Gültige Eingaben sind 1 mA bis 65000 mA !";
const char* const kMa10000 = "Gültige Eingaben sind 0 mA bis 10000 mA !";
const char* const kV65000 = "Gültige Eingaben sind 1 V bis 65000 V !";
const char* const kV999 = "Gültige Eingaben sind 1 V bis 999.9 V !";
const char* const kV99 = "Gültige Eingaben sind 1 V bis 99.9 V !";
const char* const kW65000 = "Gültige Eingaben sind 0 W bis 65000 W !";
const char* const kBandMa = "Gültige Eingaben sind 1mA bis 65000mA !";
const char* const kFactor = "Gültige Eingaben sind 0.50 bis 1.99 !";

const EditRow kRows[] = {
    {kTiming, "EditVorheizzeit", 1, {"1", 1, "1"}, {"65000", 65000, "65000"}, "0", "65001", kSec65000, 5},
    {kTiming, "EditAbkuehlzeit", 44, {"0", 0, "0"}, {"32000", 32000, "32000"}, "-1", "32001",
     "Gültige Eingaben sind 0 sek bis 32000 sek !", 5},
    {kTiming, "EditPttMinTastZeit", 2, {"2", 1, "2"}, {"65000", 32500, "65000"}, "1", "65001", kMs65000, 5},
    {kTiming, "EditPttVerzZeit", 4, {"2", 1, "2"}, {"65000", 32500, "65000"}, "1", "65001", kMs65000, 5},
    {kTiming, "EditPttEntpZeit", 6, {"3", 1, "2"}, {"64999", 32499, "64998"}, "1", "65001", kMs65000, 5},

    {kGeneral, "EditIAmin", 22, {"1", 1, "1"}, {"32000", 32000, "32000"}, "0", "32001",
     "Gültige Eingaben sind 1 V bis 32000 V !", 5},
    {kGeneral, "EditIG2FuseTest", 35, {"1", 1, "1"}, {"512", 512, "512"}, "0", "513",
     "Gültige Eingaben sind 1 mA bis 512 mA !", 4},

    {kRanges, "EditMaxPwrDig", 27, {"100", 10465, "100"}, {"90000", 11, "95139"}, "99", "90001",
     "Gültige Eingaben sind 100 bis 90000 !", 5},

    {kLimits, "EditMaxSWR", 0, {"1,5", 15, " 1.5"}, {"10.0", 100, "10.0"}, "1.4", "10.1",
     "Gültige Eingaben sind 1.5 bis 10.0 !", 4},
    {kLimits, "MaxRuecklaufEdit", 40, {"0", 0, "0"}, {"15000", 15000, "15000"}, "-1", "15001",
     "Gültige Eingaben sind 0 bis 15000 !", 5},
    {kLimits, "MaxRueckZeitEdit", 81, {"0.1", 50, " 0.1"}, {"60,0", 30000, "60.0"}, "0.09", "60.1",
     "Gültige Eingaben sind 0,1 bis 60,0 !", 4},
    {kLimits, "Edit_MaxIG1", 82, {"0", 0, "0"}, {"350", 350, "350"}, "-1", "351",
     "Gültige Eingaben sind 0 bis 350 mA !", 5},
    {kLimits, "Edit_PWR_Begrenzung", 41, {"0", 0, "0"}, {"65000", 65000, "65000"}, "-1", "65001", kW65000, 5},
    {kLimits, "Edit_MinWirkGrad", 5, {"5", 5, "5"}, {"95", 95, "95"}, "4", "96",
     "Gültige Eingaben sind 5 % bis 95 % !", 5},
    {kLimits, "Edit_MinWirkGradPWR", 3, {"5", 229, "5"}, {"95", 997, "95"}, "4", "96",
     "Gültige Eingaben sind 5 % bis 95 % !", 5},
    {kLimits, "Edit_IA_Max5sek", 9, {"1", 1, "1"}, {"65000", 65000, "65000"}, "0", "65001", kMa65000, 5},
    {kLimits, "Edit_IA_MaxSofort", 10, {"1", 1, "1"}, {"65000", 65000, "65000"}, "0", "65001", kMa65000, 5},
    {kLimits, "Edit_IA_MaxBeiVorheizen", 83, {"0", 0, "0"}, {"10000", 10000, "10000"}, "-1", "10001", kMa10000, 5},
    {kLimits, "EditIARmax", 84, {"0", 0, "0"}, {"10000", 10000, "10000"}, "-1", "10001", kMa10000, 5},
    {kLimits, "EditIARmin", 85, {"0", 0, "0"}, {"10000", 10000, "10000"}, "-1", "10001", kMa10000, 5},
    {kLimits, "EditUAmax", 21, {"1", 1, "1"}, {"65000", 65000, "65000"}, "0", "65001", kV65000, 5},
    {kLimits, "EditUAmin", 7, {"1", 1, "1"}, {"65000", 65000, "65000"}, "0", "65001", kV65000, 5},
    {kLimits, "EditG2Umax", 11, {"1", 1, "1"}, {"65000", 65000, "65000"}, "0", "65001", kV65000, 5},
    {kLimits, "EditG2Umin", 12, {"1", 1, "1"}, {"65000", 65000, "65000"}, "0", "65001", kV65000, 5},
    {kLimits, "EditG1Umax", 14, {"1", 1, "1"}, {"65000", 65000, "65000"}, "0", "65001", kV65000, 5},
    {kLimits, "EditG1Umin", 15, {"1", 1, "1"}, {"65000", 65000, "65000"}, "0", "65001", kV65000, 5},
    {kLimits, "Edit24VUmax", 17, {"1", 10, " 1.0"}, {"999.9", 9999, "999.9"}, "0.9", "1000", kV999, 5},
    {kLimits, "Edit24VUmin", 18, {"13,85", 139, "13.9"}, {"999,9", 9999, "999.9"}, "0.99", "1000", kV999, 5},
    {kLimits, "Edit12VUmax", 19, {"1", 10, " 1.0"}, {"999.9", 9999, "999.9"}, "0.9", "1000", kV999, 5},
    {kLimits, "Edit12VUmin", 20, {"1.04", 10, " 1.0"}, {"999.9", 9999, "999.9"}, "0.9", "1000", kV999, 5},
    {kLimits, "EditHZmax", 38, {"1", 10, " 1.0"}, {"99.9", 999, "99.9"}, "0.9", "100", kV99, 5},
    {kLimits, "EditHZmin", 39, {"1.06", 11, " 1.1"}, {"99,9", 999, "99.9"}, "0.9", "100", kV99, 5},

    {kSoftStart, "Edit12Vms2", 26, {"1501", 750, "1500"}, {"5000", 2500, "5000"}, "1499", "5001",
     "Gültige Eingaben sind 0 ms oder 1500 bis 5000 ms !", 5},
    {kSoftStart, "Edit12Vms1", 23, {"2000", 1000, "2000"}, {"10000", 5000, "10000"}, "1999", "10001",
     "Gültige Eingaben sind 2000 ms bis 10000 ms !", 5},
    {kSoftStart, "Edit12Vein1", 24, {"0.1", 1, " 0.1"}, {"999,9", 9999, "999.9"}, "0,05", "1000",
     "Gültige Eingaben sind 0.1 V bis 999.9 V !", 5},
    {kSoftStart, "uAnodeEinEdit", 28, {"0", 0, "0"}, {"1000", 1000, "1000"}, "-5", "1001",
     "Gültige Eingaben sind 0 sek bis 1000 sek !", 5},
    {kSoftStart, "UAms2Edit", 32, {"1000", 500, "1000"}, {"5000", 2500, "5000"}, "999", "5001",
     "Gültige Eingaben sind 1000 ms bis 5000 ms !", 5},
    {kSoftStart, "UAms1Edit", 30, {"2001", 1000, "2000"}, {"10000", 5000, "10000"}, "1999", "10001",
     "Gültige Eingaben sind 2000 ms bis 10000 ms !", 5},
    {kSoftStart, "UAsprungEdit", 33, {"0", 0, "0"}, {"9999", 9999, "9999"}, "-1", "10000",
     "Gültige Eingaben sind 0 V bis 9999 V !", 5},

#define MAXPWR_ROW(control, index) \
    {kMaxPower, control, index, {"0", 0, "0"}, {"65000", 65000, "65000"}, "-1", "65001", kW65000, 5}
    MAXPWR_ROW("Edit1", 57), MAXPWR_ROW("EditG1U", 58), MAXPWR_ROW("Edit160", 59),
    MAXPWR_ROW("Edit80", 60), MAXPWR_ROW("Edit40", 61), MAXPWR_ROW("Edit30", 62),
    MAXPWR_ROW("Edit20", 63), MAXPWR_ROW("Edit17", 64), MAXPWR_ROW("Edit15", 65),
    MAXPWR_ROW("Edit12", 66), MAXPWR_ROW("Edit10", 67),
#define MEAN_ROW(control, index) \
    {kAnodeMean, control, index, {"1", 1, "1"}, {"65000", 65000, "65000"}, "0", "65001", kBandMa, 5}
    MEAN_ROW("Edit1", 69), MEAN_ROW("EditG1U", 70), MEAN_ROW("Edit160", 71),
    MEAN_ROW("Edit80", 72), MEAN_ROW("Edit40", 73), MEAN_ROW("Edit30", 74),
    MEAN_ROW("Edit20", 75), MEAN_ROW("Edit17", 76), MEAN_ROW("Edit15", 77),
    MEAN_ROW("Edit12", 78), MEAN_ROW("Edit10", 79),
#define FACTOR_ROW(control, index) \
    {kCorrection, control, index, {"0.50", 50, "0.50"}, {"1,99", 199, "1.99"}, "0.49", "2", kFactor, 5}
    FACTOR_ROW("EditG1U", 46), FACTOR_ROW("Edit160", 47), FACTOR_ROW("Edit80", 48),
    FACTOR_ROW("Edit40", 49), FACTOR_ROW("Edit30", 50), FACTOR_ROW("Edit20", 51),
    FACTOR_ROW("Edit17", 52), FACTOR_ROW("Edit15", 53), FACTOR_ROW("Edit12", 54),
    FACTOR_ROW("Edit10", 55),
};

// Raw values that differ from every bound above, so a store is always visible.
constexpr int32_t kSentinel = 7777;

class EditFieldTables : public ::testing::Test {
protected:
    ParameterSet params;
    ScriptedDialogs messages;
    std::unique_ptr<QDialog> dialog;

    void Open(EditorForm form)
    {
        dialog.reset(CreateEditorForm(form, {params, messages, 1.0f}, nullptr));
        dialog->show();
    }

    // Puts the band mode or option that makes the field usable, as a user would.
    void MakeUsable(const EditRow& row)
    {
        if (row.form == kMaxPower || row.form == kAnodeMean || row.form == kCorrection) {
            const std::string control = row.control;
            const char* radio = control == "Edit1"     ? "RadioButton1"
                                : control == "EditG1U" ? "RadioButton2"
                                                       : "RadioButton3";
            dialog->findChild<QRadioButton*>(radio)->click();
        }
    }

    QLineEdit* Enter(QLineEdit* edit, const char* text)
    {
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromUtf8(text));
        QTest::keyClick(edit, Qt::Key_Return);
        return edit;
    }
};

TEST_F(EditFieldTables, EveryEditFieldStoresItsBoundsAndRefusesBeyondThem)
{
    params.Values[40] = 0;  // SWR limit active: EditMaxSWR usable
    params.Values[34] = 1;  // heater limits usable
    for (const EditRow& row : kRows) {
        SCOPED_TRACE(row.control);
        Open(row.form);
        MakeUsable(row);
        auto* edit = dialog->findChild<QLineEdit*>(row.control);
        ASSERT_NE(edit, nullptr);
        ASSERT_TRUE(edit->isEnabled());
        EXPECT_EQ(edit->maxLength(), row.maxLength);

        for (const Bound& bound : {row.low, row.high}) {
            params.Values[row.index] = kSentinel;
            messages.Clear();
            Enter(edit, bound.typed);
            EXPECT_EQ(params.Values[row.index], bound.raw) << "typed " << bound.typed;
            EXPECT_EQ(edit->text().toStdString(), bound.shown) << "typed " << bound.typed;
            EXPECT_EQ(edit->selectedText(), edit->text());
            EXPECT_TRUE(messages.Log().empty());
        }

        const int32_t stored = row.high.raw;
        for (const char* outside : {row.below, row.above}) {
            params.Values[row.index] = stored;
            messages.Clear();
            Enter(edit, outside);
            EXPECT_EQ(params.Values[row.index], stored) << "typed " << outside;
            EXPECT_EQ(messages.Log(),
                      (std::vector<std::string>{"beep", std::string("info:") + row.message}))
                << "typed " << outside;
            EXPECT_EQ(edit->text().toStdString(), row.high.shown) << "typed " << outside;
        }
        dialog->close();
    }
}

TEST_F(EditFieldTables, TheRowsAboveCoverEveryEditFieldOfEveryDialog)
{
    std::set<std::pair<EditorForm, std::string>> expected;
    for (const EditRow& row : kRows)
        expected.insert({row.form, row.control});
    std::set<std::pair<EditorForm, std::string>> actual;
    for (EditorForm form : AllEditorForms()) {
        for (const FieldDescription& field : EditorTableFor(form).Fields) {
            if (field.IsEdit())
                actual.insert({form, field.Control});
        }
    }
    EXPECT_EQ(actual, expected);
}

// Lists, check boxes and mode groups: index, items, offset and marks.
TEST_F(EditFieldTables, ListsCheckBoxesAndModeGroupsUseTheirIndicesAndItems)
{
    struct ListRow {
        EditorForm form;
        const char* control;
        int index;
        int offset;
        std::vector<std::string> items;
    };
    const std::vector<ListRow> lists = {
        {kGeneral, "ComboBoxSprache", 25, 0, {"Deutsch", "Englisch"}},
        {kRanges, "ComboBoxMaxIG1", 16, 1,
         {"30", "60", "90", "120", "150", "180", "210", "240", "270", "300", "330", "360"}},
        {kRanges, "ComboBoxMaxIG2", 13, 1,
         {"30", "60", "90", "120", "150", "180", "210", "240", "270", "300", "330", "360"}},
        {kRanges, "ComboBoxMaxUa", 36, 1,
         {"1024", "2048", "3072", "4096", "5120", "6144", "7168", "8192", "9216", "10240",
          "11264", "12288", "13312", "14336", "15360", "16384", "17408", "18432", "19456",
          "20480"}},
        {kRanges, "ComboBoxMaxIa", 37, 1,
         {"1024", "2048", "3072", "4096", "5120", "6144", "7168", "8192", "9216", "10240"}},
        {kAnodeMean, "ComboBox1", 43, 4, {"6/0,9", "11/1,7", "22/3,4", "44/6,6", "88/13", "176/26"}},
    };
    for (const ListRow& row : lists) {
        SCOPED_TRACE(row.control);
        const FieldDescription* field = FindField(EditorTableFor(row.form), row.control);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->Kind, FieldKind::List);
        EXPECT_EQ(field->Index, row.index);
        EXPECT_EQ(field->Offset, row.offset);
        EXPECT_EQ(field->Items, row.items);
        EXPECT_TRUE(field->PatchMark);
    }

    struct CheckRow {
        EditorForm form;
        const char* control;
        int index;
        bool needsOne;
        bool mark;
    };
    for (const CheckRow& row : {CheckRow{kGeneral, "CheckBox4", 42, false, true},
                                CheckRow{kLimits, "CheckBox2", 34, true, false},
                                CheckRow{kSoftStart, "SoftstartCheckBox", 80, false, true}}) {
        SCOPED_TRACE(row.control);
        const FieldDescription* field = FindField(EditorTableFor(row.form), row.control);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->Kind, FieldKind::Check);
        EXPECT_EQ(field->Index, row.index);
        EXPECT_EQ(field->CheckNeedsOne, row.needsOne);
        EXPECT_EQ(field->PatchMark, row.mark);
    }

    for (auto [form, index] : {std::pair{kMaxPower, 56}, std::pair{kAnodeMean, 68},
                               std::pair{kCorrection, 45}}) {
        const FieldDescription* mode = FindField(EditorTableFor(form), "RadioButton");
        ASSERT_NE(mode, nullptr);
        EXPECT_EQ(mode->Index, index);
        EXPECT_FALSE(mode->PatchMark);
    }
}

// Every parameter index 0 to 85 except the main window's 8, 29 and 31 has exactly
// one editor control; 86 to 119 have none.
TEST_F(EditFieldTables, EachEditableIndexBelongsToExactlyOneControl)
{
    std::map<int, int> owners;
    for (EditorForm form : AllEditorForms())
        for (const FieldDescription& field : EditorTableFor(form).Fields)
            ++owners[field.Index];
    for (int index = 0; index < kValueCount; ++index) {
        const bool mainWindow = index == 8 || index == 29 || index == 31;
        const int expected = index <= 85 && !mainWindow ? 1 : 0;
        EXPECT_EQ(owners[index], expected) << "index " << index;
    }
}

}  // namespace
