// Display language, fuse test, display ranges and timing.
#include "table_builders.h"

using namespace table;

// Qt's translation tools take the texts marked here for the context "Editors".
namespace Editors {

EditorTable GeneralTable()
{
    EditorTable t;
    t.Form = EditorForm::Allgemeines;
    t.ClassName = "TAllgemeinesForm";
    t.Caption = QT_TR_NOOP("Allgemeines");
    t.Width = 523;
    t.Height = 211;
    t.FocusField = "ComboBoxSprache";
    t.Fields = {
        List("ComboBoxSprache", 25, {QT_TR_NOOP("Deutsch"), QT_TR_NOOP("Englisch")}, 0),
        Check("CheckBox4", 42),
        Integer("EditIAmin", 22, 1, 32000, QT_TR_NOOP("Gültige Eingaben sind 1 V bis 32000 V !")),
        Integer("EditIG2FuseTest", 35, 1, 512, QT_TR_NOOP("Gültige Eingaben sind 1 mA bis 512 mA !"), 4),
    };
    t.Layout = {
        Label(QT_TR_NOOP("Display-Sprache:"), 16, 24),
        Field("ComboBoxSprache", 200, 20, 110),
        Label(QT_TR_NOOP("IA-Mittelwert anzeigen:"), 16, 64),
        Field("CheckBox4", 200, 62, 20),
        Label(QT_TR_NOOP("Sicherungsfehler bei:"), 16, 112),
        Label(QT_TR_NOOP("IA <"), 170, 112),
        Field("EditIAmin", 204, 108, 60),
        Label(QT_TR_NOOP("und"), 282, 112),
        Label(QT_TR_NOOP("IG2 >"), 320, 112),
        Field("EditIG2FuseTest", 364, 108, 50),
        Label(QT_TR_NOOP("mA"), 420, 112),
    };
    return t;
}

EditorTable DisplayRangesTable()
{
    EditorTable t;
    t.Form = EditorForm::Anzeigebereiche;
    t.ClassName = "TAnzeigebereicheForm";
    t.Caption = QT_TR_NOOP("Anzeigebereiche");
    t.Width = 252;
    t.Height = 265;
    t.FocusField = "ComboBoxMaxIG1";

    FieldDescription power;
    power.Control = "EditMaxPwrDig";
    power.Index = 27;
    power.Kind = FieldKind::PowerRange;
    power.Min = 100;
    power.Max = 90000;
    power.RangeMessage = QT_TR_NOOP("Gültige Eingaben sind 100 bis 90000 !");
    power.MaxLength = 5;

    t.Fields = {
        List("ComboBoxMaxIG1", 16, Multiples(30, 12), 1),
        List("ComboBoxMaxIG2", 13, Multiples(30, 12), 1),
        List("ComboBoxMaxUa", 36, Multiples(1024, 20), 1),
        List("ComboBoxMaxIa", 37, Multiples(1024, 10), 1),
        power,
    };
    t.Layout = {
        Label(QT_TR_NOOP("Balken G1:"), 16, 20),  Field("ComboBoxMaxIG1", 100, 16, 80), Label(QT_TR_NOOP("mA"), 188, 20),
        Label(QT_TR_NOOP("Balken G2:"), 16, 52),  Field("ComboBoxMaxIG2", 100, 48, 80), Label(QT_TR_NOOP("mA"), 188, 52),
        Label(QT_TR_NOOP("UA:"), 16, 84),         Field("ComboBoxMaxUa", 100, 80, 80),  Label(QT_TR_NOOP("V"), 188, 84),
        Label(QT_TR_NOOP("IA:"), 16, 116),        Field("ComboBoxMaxIa", 100, 112, 80), Label(QT_TR_NOOP("mA"), 188, 116),
        Label(QT_TR_NOOP("PWR:"), 16, 152),       Field("EditMaxPwrDig", 100, 148, 62),
        {ItemKind::Arrows, "UpDownMaxPwrDig", 162, 148, 18, "UpDownMaxPwrDig"},
        Label(QT_TR_NOOP("W"), 188, 152),
        Label("", 100, 176, "Label6"),
    };
    return t;
}

EditorTable TimingTable()
{
    EditorTable t;
    t.Form = EditorForm::Timing;
    t.ClassName = "TTimingForm";
    t.Caption = QT_TR_NOOP("Timing");
    t.Width = 292;
    t.Height = 247;
    t.FocusField = "EditVorheizzeit";
    t.Fields = {
        Integer("EditVorheizzeit", 1, 1, 65000, QT_TR_NOOP("Gültige Eingaben sind 1 sek bis 65000 sek !")),
        Integer("EditAbkuehlzeit", 44, 0, 32000, QT_TR_NOOP("Gültige Eingaben sind 0 sek bis 32000 sek !")),
        Halved("EditPttMinTastZeit", 2, 2, 65000, QT_TR_NOOP("Gültige Eingaben sind 2 ms bis 65000 ms !")),
        Halved("EditPttVerzZeit", 4, 2, 65000, QT_TR_NOOP("Gültige Eingaben sind 2 ms bis 65000 ms !")),
        Halved("EditPttEntpZeit", 6, 2, 65000, QT_TR_NOOP("Gültige Eingaben sind 2 ms bis 65000 ms !")),
    };
    t.Layout = {
        Label(QT_TR_NOOP("Vorheizzeit:"), 16, 20),          Field("EditVorheizzeit", 166, 16, 60),
        Label(QT_TR_NOOP("sek"), 232, 20),
        Label(QT_TR_NOOP("Abkühlzeit:   (0=aus)"), 16, 56), Field("EditAbkuehlzeit", 166, 52, 60),
        Label(QT_TR_NOOP("sek"), 232, 56),
        Label(QT_TR_NOOP("PttMindestTastZeit:"), 16, 92),   Field("EditPttMinTastZeit", 166, 88, 60),
        Label(QT_TR_NOOP("ms"), 232, 92),
        Label(QT_TR_NOOP("PttVerzögerungsZeit:"), 16, 128), Field("EditPttVerzZeit", 166, 124, 60),
        Label(QT_TR_NOOP("ms"), 232, 128),
        Label(QT_TR_NOOP("PttEntprellZeit:"), 16, 164),     Field("EditPttEntpZeit", 166, 160, 60),
        Label(QT_TR_NOOP("ms"), 232, 164),
    };
    return t;
}

}  // namespace Editors
