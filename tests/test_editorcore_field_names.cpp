// What a screen reader says for the editor fields: names built from the tables' row
// captions, column headings and units, unique within each dialog, in German and English,
// and the range message as the description.
#include "editor_tables.h"
#include "field_names.h"
#include "language.h"

#include <QCoreApplication>

#include <map>
#include <set>
#include <gtest/gtest.h>

namespace {

const FieldDescription& Row(EditorForm form, const std::string& control)
{
    const FieldDescription* field = FindField(EditorTableFor(form), control);
    EXPECT_NE(field, nullptr) << control;
    static const FieldDescription none;
    return field ? *field : none;
}

std::string Name(EditorForm form, const std::string& control)
{
    return AccessibleFieldName(EditorTableFor(form), Row(form, control));
}

struct Expected {
    EditorForm form;
    const char* control;
    const char* name;
};

}  // namespace

TEST(FieldNames, CaptionColumnAndUnitOfTheTables)
{
    const Expected table[] = {
        // Pairs under a column heading: the row, the column, the unit after the pair.
        {EditorForm::Grenzwerte, "EditUAmax", "Anode U-max, V"},
        {EditorForm::Grenzwerte, "EditUAmin", "Anode U-min, V"},
        {EditorForm::Grenzwerte, "Edit12VUmin", "12 V U-min, V"},
        {EditorForm::Grenzwerte, "EditHZmax", "Heizung U-max, V"},
        {EditorForm::Grenzwerte, "EditIARmin", "Ruhestrom: (0=aus) I-min, V"},
        // The heater's check box on the same row: its caption, no unit.
        {EditorForm::Grenzwerte, "CheckBox2", "Heizung"},
        // Single rows: caption and unit.
        {EditorForm::Grenzwerte, "EditMaxSWR", "MaxSWR"},
        {EditorForm::Grenzwerte, "Edit_IA_MaxSofort", "I-Anode max sofort, mA"},
        {EditorForm::Grenzwerte, "Edit_MinWirkGradPWR", "wenn PWR >, %"},
        {EditorForm::Timing, "EditVorheizzeit", "Vorheizzeit, sek"},
        {EditorForm::Allgemeines, "ComboBoxSprache", "Display-Sprache"},
        {EditorForm::Allgemeines, "EditIG2FuseTest", "Sicherungsfehler bei: IA < und IG2 >, mA"},
        {EditorForm::Anzeigebereiche, "ComboBoxMaxIG1", "Balken G1, mA"},
        // The unit after the power field's arrows.
        {EditorForm::Anzeigebereiche, "EditMaxPwrDig", "PWR, W"},
        // Band dialogs: the radio button above a field without a label, else the band.
        {EditorForm::GrenzwerteMaxPWR, "Edit1", "Alle Bänder b.z.w. 160m -20m, W"},
        {EditorForm::GrenzwerteMaxPWR, "EditG1U", "17m - 10m mit G1-Umschalter, W"},
        {EditorForm::GrenzwerteMaxPWR, "Edit160", "160m, W"},
        {EditorForm::PWR_Korrektur, "Edit10", "10m"},
        // Without a unit the value would read like the radio button above it.
        {EditorForm::PWR_Korrektur, "EditG1U", "17m - 10m mit G1-Umschalter, Wert"},
        {EditorForm::Grenzwerte_IA_Mittelwert, "ComboBox1", "IA-Mittelw. Zeit: 1%/100%, sek"},
        // Two rows that read alike take the heading of their section.
        {EditorForm::Softstartrelais, "Edit12Vms1", "12 V Überprüfung nach Einschalten, Zeitfenster Ende, ms"},
        {EditorForm::Softstartrelais, "UAms1Edit", "U-Anode Überprüfung nach Einschalten, Zeitfenster Ende, ms"},
        {EditorForm::Softstartrelais, "UAms2Edit", "Zeitfenster Beginn, ms"},
        {EditorForm::Softstartrelais, "SoftstartCheckBox", "oder Softstartrelais-Überwachung-direkt"},
    };
    for (const Expected& row : table)
        EXPECT_EQ(Name(row.form, row.control), row.name) << row.control;
}

TEST(FieldNames, EveryFieldOfEveryDialogHasItsOwnName)
{
    int named = 0;
    for (EditorForm form : AllEditorForms()) {
        const EditorTable& table = EditorTableFor(form);
        std::map<std::string, std::string> seen;
        for (const FieldDescription& field : table.Fields) {
            const std::string name = AccessibleFieldName(table, field);
            if (field.Kind == FieldKind::Mode) {
                EXPECT_EQ(name, "") << "the mode's buttons carry their captions";
                continue;
            }
            EXPECT_NE(name, "") << table.ClassName << " " << field.Control;
            EXPECT_TRUE(seen.emplace(name, field.Control).second)
                << table.ClassName << ": " << field.Control << " and " << seen[name] << " are both \"" << name << "\"";
            ++named;
        }
    }
    // 5 + 5 + 4 + 25 + 8 + 11 + 12 + 10 fields besides the three band modes.
    EXPECT_EQ(named, 80);
}

TEST(FieldNames, RangeMessageIsTheDescription)
{
    EXPECT_EQ(AccessibleFieldDescription(Row(EditorForm::Grenzwerte, "EditUAmax")),
              "Gültige Eingaben sind 1 V bis 65000 V !");
    EXPECT_EQ(AccessibleFieldDescription(Row(EditorForm::Softstartrelais, "Edit12Vms2")),
              "Gültige Eingaben sind 0 ms oder 1500 bis 5000 ms !");
    EXPECT_EQ(AccessibleFieldDescription(Row(EditorForm::Allgemeines, "CheckBox4")), "");
    EXPECT_EQ(AccessibleFieldDescription(Row(EditorForm::Anzeigebereiche, "ComboBoxMaxUa")), "");
    EXPECT_EQ(MarkedFieldName("Anode U-max, V"), "Anode U-max, V, markiert");
    EXPECT_EQ(ArrowUpName("PWR, W"), "PWR, W, auf");
    EXPECT_EQ(ArrowDownName("PWR, W"), "PWR, W, ab");
}

TEST(FieldNames, EnglishNamesComeFromTheTranslatedTexts)
{
    // The translator needs an application.
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    UseLanguage(Language::English);
    const Expected table[] = {
        {EditorForm::Grenzwerte, "EditUAmax", "Anode U max, V"},
        {EditorForm::Grenzwerte, "Edit_IA_MaxSofort", "Anode current max, instantaneous, mA"},
        {EditorForm::Anzeigebereiche, "ComboBoxMaxIG2", "G2 bar, mA"},
        {EditorForm::Timing, "EditVorheizzeit", "Warm-up time, s"},
        {EditorForm::Softstartrelais, "UAms1Edit", "Anode voltage check after switching on, Time window end, ms"},
    };
    for (const Expected& row : table)
        EXPECT_EQ(Name(row.form, row.control), row.name) << row.control;
    EXPECT_EQ(AccessibleFieldDescription(Row(EditorForm::Grenzwerte, "EditUAmax")), "Valid entries are 1 V to 65000 V!");
    EXPECT_EQ(MarkedFieldName("Anode U max, V"), "Anode U max, V, marked");
    UseLanguage(Language::German);
}
