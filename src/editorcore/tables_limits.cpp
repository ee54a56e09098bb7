// Protection limits: SWR or reflected power, grid and anode currents, efficiency,
// and the upper and lower supply-voltage limits.
#include "table_builders.h"

using namespace table;

// Qt's translation tools take the texts marked here for the context "Editors".
namespace Editors {

namespace {

const char* const kVolts65000 = QT_TR_NOOP("Gültige Eingaben sind 1 V bis 65000 V !");
const char* const kMilliamps65000 = QT_TR_NOOP("Gültige Eingaben sind 1 mA bis 65000 mA !");
const char* const kMilliamps10000 = QT_TR_NOOP("Gültige Eingaben sind 0 mA bis 10000 mA !");
const char* const kTenths999 = QT_TR_NOOP("Gültige Eingaben sind 1 V bis 999.9 V !");

// A label, the field and its unit in one row of single fields.
void SingleRow(std::vector<LayoutItem>& items, const char* label, const char* control,
               const char* unit, int y)
{
    items.push_back(Label(label, 12, y + 3));
    items.push_back(Field(control, 246, y, 56));
    if (*unit)
        items.push_back(Label(unit, 308, y + 3));
}

// A label, the max and min fields and the unit in one row of pairs.
void PairRow(std::vector<LayoutItem>& items, const char* label, const char* maxControl,
             const char* minControl, const char* unit, int y, const char* unitName = "")
{
    items.push_back(Label(label, 12, y + 3));
    items.push_back(Field(maxControl, 218, y, 56));
    items.push_back(Field(minControl, 280, y, 56));
    items.push_back(Label(unit, 342, y + 3, unitName));
}

}  // namespace

EditorTable LimitsTable()
{
    EditorTable t;
    t.Form = EditorForm::Grenzwerte;
    t.ClassName = "TGrenzwerteForm";
    t.Caption = QT_TR_NOOP("Grenzwerte allgemein");
    t.Width = 387;
    t.Height = 763;
    t.FocusField = "Edit_PWR_Begrenzung";

    FieldDescription returnTime = Decimal("MaxRueckZeitEdit", 81, 0.1, 60.0,
                                   QT_TR_NOOP("Gültige Eingaben sind 0,1 bis 60,0 !"), 4);
    returnTime.Scale = 500;
    returnTime.ShowFormat = {3, 1};
    returnTime.ConfirmFormat = {4, 1};

    FieldDescription efficiencyPower = Integer("Edit_MinWirkGradPWR", 3, 5, 95,
                                        QT_TR_NOOP("Gültige Eingaben sind 5 % bis 95 % !"));
    efficiencyPower.Kind = FieldKind::SquareRoot;

    FieldDescription heater = Check("CheckBox2", 34);
    heater.CheckNeedsOne = true;
    heater.PatchMark = false;
    heater.KeyHandling = false;

    t.Fields = {
        Decimal("EditMaxSWR", 0, 1.5, 10.0, QT_TR_NOOP("Gültige Eingaben sind 1.5 bis 10.0 !"), 4),
        Integer("MaxRuecklaufEdit", 40, 0, 15000, QT_TR_NOOP("Gültige Eingaben sind 0 bis 15000 !")),
        returnTime,
        Integer("Edit_MaxIG1", 82, 0, 350, QT_TR_NOOP("Gültige Eingaben sind 0 bis 350 mA !")),
        Integer("Edit_PWR_Begrenzung", 41, 0, 65000, QT_TR_NOOP("Gültige Eingaben sind 0 W bis 65000 W !")),
        Integer("Edit_MinWirkGrad", 5, 5, 95, QT_TR_NOOP("Gültige Eingaben sind 5 % bis 95 % !")),
        efficiencyPower,
        Integer("Edit_IA_Max5sek", 9, 1, 65000, kMilliamps65000),
        Integer("Edit_IA_MaxSofort", 10, 1, 65000, kMilliamps65000),
        Integer("Edit_IA_MaxBeiVorheizen", 83, 0, 10000, kMilliamps10000),
        Integer("EditIARmax", 84, 0, 10000, kMilliamps10000),
        Integer("EditIARmin", 85, 0, 10000, kMilliamps10000),
        Integer("EditUAmax", 21, 1, 65000, kVolts65000),
        Integer("EditUAmin", 7, 1, 65000, kVolts65000),
        Integer("EditG2Umax", 11, 1, 65000, kVolts65000),
        Integer("EditG2Umin", 12, 1, 65000, kVolts65000),
        Integer("EditG1Umax", 14, 1, 65000, kVolts65000),
        Integer("EditG1Umin", 15, 1, 65000, kVolts65000),
        Decimal("Edit24VUmax", 17, 1, 999.9, kTenths999),
        Decimal("Edit24VUmin", 18, 1, 999.9, kTenths999),
        Decimal("Edit12VUmax", 19, 1, 999.9, kTenths999),
        Decimal("Edit12VUmin", 20, 1, 999.9, kTenths999),
        heater,
        Decimal("EditHZmax", 38, 1, 99.9, QT_TR_NOOP("Gültige Eingaben sind 1 V bis 99.9 V !")),
        Decimal("EditHZmin", 39, 1, 99.9, QT_TR_NOOP("Gültige Eingaben sind 1 V bis 99.9 V !")),
    };

    auto& l = t.Layout;
    l.push_back(Label(QT_TR_NOOP("MaxSWR:"), 12, 19, "LabelMaxSWR"));
    l.push_back(Field("EditMaxSWR", 246, 16, 56));
    l.push_back(Label(QT_TR_NOOP("MaxRücklauf:"), 12, 55, "LabelMaxRuecklauf"));
    l.push_back(Label(QT_TR_NOOP(" (0=abgeschaltet)"), 104, 55, "LabelRuecklaufAus"));
    l.push_back(Field("MaxRuecklaufEdit", 246, 52, 56));
    l.push_back(Label(QT_TR_NOOP("W"), 308, 55));
    l.push_back(Label(QT_TR_NOOP("MaxZeit für MaxRücklauf:"), 12, 87, "LabelMaxRueckZeit"));
    l.push_back(Field("MaxRueckZeitEdit", 246, 84, 56));
    l.push_back(Label(QT_TR_NOOP("S"), 308, 87));

    l.push_back(Label(QT_TR_NOOP("Max   IG1"), 12, 131));
    l.push_back(Label(QT_TR_NOOP(" (0=abgeschaltet)"), 104, 131));
    l.push_back(Field("Edit_MaxIG1", 246, 128, 56));
    l.push_back(Label(QT_TR_NOOP("mA"), 308, 131));
    SingleRow(l, QT_TR_NOOP("Max-PWR zuschaltbar:        (0=aus)"), "Edit_PWR_Begrenzung", QT_TR_NOOP("W"), 172);

    SingleRow(l, QT_TR_NOOP("Minimal zulässiger Wirkungsgrad:"), "Edit_MinWirkGrad", QT_TR_NOOP("%"), 216);
    l.push_back(Label(QT_TR_NOOP("wenn PWR >"), 160, 251));
    l.push_back(Field("Edit_MinWirkGradPWR", 246, 248, 56));
    l.push_back(Label(QT_TR_NOOP("%"), 308, 251));
    l.push_back(Label(QT_TR_NOOP("von Max-PWR"), 246, 272));

    SingleRow(l, QT_TR_NOOP("I-Anode max 5 Sek"), "Edit_IA_Max5sek", QT_TR_NOOP("mA"), 308);
    SingleRow(l, QT_TR_NOOP("I-Anode max sofort"), "Edit_IA_MaxSofort", QT_TR_NOOP("mA"), 336);
    SingleRow(l, QT_TR_NOOP("IA-max in Aufwärmphase    (0=aus)"), "Edit_IA_MaxBeiVorheizen", QT_TR_NOOP("mA"), 368);

    l.push_back(Label(QT_TR_NOOP("I-max"), 228, 410));
    l.push_back(Label(QT_TR_NOOP("I-min"), 290, 410));
    PairRow(l, QT_TR_NOOP("Ruhestrom:          (0=aus)"), "EditIARmax", "EditIARmin", QT_TR_NOOP("V"), 430);

    l.push_back(Label(QT_TR_NOOP("U-max"), 228, 478));
    l.push_back(Label(QT_TR_NOOP("U-min"), 290, 478));
    PairRow(l, QT_TR_NOOP("Anode:"), "EditUAmax", "EditUAmin", QT_TR_NOOP("V"), 498);
    PairRow(l, QT_TR_NOOP("G2:"), "EditG2Umax", "EditG2Umin", QT_TR_NOOP("V"), 530);
    PairRow(l, QT_TR_NOOP("G1:"), "EditG1Umax", "EditG1Umin", QT_TR_NOOP("V"), 562);
    PairRow(l, QT_TR_NOOP("24 V:"), "Edit24VUmax", "Edit24VUmin", QT_TR_NOOP("V"), 594);
    PairRow(l, QT_TR_NOOP("12 V:"), "Edit12VUmax", "Edit12VUmin", QT_TR_NOOP("V"), 626);
    l.push_back(Field("CheckBox2", 186, 661, 20));
    PairRow(l, QT_TR_NOOP("Heizung:"), "EditHZmax", "EditHZmin", QT_TR_NOOP("V"), 658, "LabelHeizungV");
    return t;
}

EditorTable SoftStartTable()
{
    EditorTable t;
    t.Form = EditorForm::Softstartrelais;
    t.ClassName = "TSoftstartrelaisForm";
    t.Caption = QT_TR_NOOP("Softstartrelais");
    t.Width = 629;
    t.Height = 433;
    t.FocusField = "Edit12Vms2";

    FieldDescription windowStart = Halved("Edit12Vms2", 26, 1500, 5000,
                                   QT_TR_NOOP("Gültige Eingaben sind 0 ms oder 1500 bis 5000 ms !"));
    windowStart.AlsoZero = true;

    t.Fields = {
        windowStart,
        Halved("Edit12Vms1", 23, 2000, 10000, QT_TR_NOOP("Gültige Eingaben sind 2000 ms bis 10000 ms !")),
        Decimal("Edit12Vein1", 24, 0.1, 999.9, QT_TR_NOOP("Gültige Eingaben sind 0.1 V bis 999.9 V !")),
        Check("SoftstartCheckBox", 80),
        Integer("uAnodeEinEdit", 28, 0, 1000, QT_TR_NOOP("Gültige Eingaben sind 0 sek bis 1000 sek !")),
        Halved("UAms2Edit", 32, 1000, 5000, QT_TR_NOOP("Gültige Eingaben sind 1000 ms bis 5000 ms !")),
        Halved("UAms1Edit", 30, 2000, 10000, QT_TR_NOOP("Gültige Eingaben sind 2000 ms bis 10000 ms !")),
        Integer("UAsprungEdit", 33, 0, 9999, QT_TR_NOOP("Gültige Eingaben sind 0 V bis 9999 V !")),
    };

    constexpr int fieldX = 470;
    constexpr int unitX = 536;
    auto& l = t.Layout;
    auto row = [&](const char* label, const char* control, const char* unit, int y) {
        l.push_back(Label(label, 28, y + 3));
        l.push_back(Field(control, fieldX, y, 60));
        l.push_back(Label(unit, unitX, y + 3));
    };
    l.push_back(Heading(QT_TR_NOOP("12 V Überprüfung nach Einschalten:"), 12, 12));
    l.push_back(Label(QT_TR_NOOP("(Softstartrelais)"), 12, 30));
    row(QT_TR_NOOP("Zeitfenster Beginn"), "Edit12Vms2", QT_TR_NOOP("ms"), 56);
    l.push_back(Label(QT_TR_NOOP("(0 = abgeschaltet)"), 170, 59));
    row(QT_TR_NOOP("Zeitfenster Ende"), "Edit12Vms1", QT_TR_NOOP("ms"), 88);
    row(QT_TR_NOOP("Innerhalb vom Zeitfenster ein Sprung von mindestens"), "Edit12Vein1", QT_TR_NOOP("V"), 120);
    l.push_back(Label(QT_TR_NOOP("oder Softstartrelais-Überwachung-direkt"), 28, 157));
    l.push_back(Field("SoftstartCheckBox", fieldX, 156, 20));
    l.push_back(Label(QT_TR_NOOP("Ab Hardware R7a"), fieldX + 26, 157));

    l.push_back(Heading(QT_TR_NOOP("U-Anode Überprüfung nach Einschalten:"), 12, 196));
    l.push_back(Label(QT_TR_NOOP("(UA-Softstartrelais)"), 12, 214));
    row(QT_TR_NOOP("Schaltet die Anodenspannung x Sek. vor RDY ein  (0 = abgesch)"), "uAnodeEinEdit", QT_TR_NOOP("sek"),
        240);
    row(QT_TR_NOOP("Zeitfenster Beginn"), "UAms2Edit", QT_TR_NOOP("ms"), 272);
    l.push_back(Label(QT_TR_NOOP("*"), 570, 275));
    row(QT_TR_NOOP("Zeitfenster Ende"), "UAms1Edit", QT_TR_NOOP("ms"), 304);
    l.push_back(Label(QT_TR_NOOP("*"), 570, 307));
    row(QT_TR_NOOP("Innerhalb v. Zeitfenster ein Sprung von minimal  (0=abgeschaltet)"), "UAsprungEdit", QT_TR_NOOP("V"),
        336);
    l.push_back(Label(QT_TR_NOOP("*"), 570, 339));
    l.push_back(Label(QT_TR_NOOP("* Wird ab Firmware 7.14 nicht mehr verwendet."), 12, 368));
    return t;
}

}  // namespace Editors
