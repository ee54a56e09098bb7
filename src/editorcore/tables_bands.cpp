// The three per-band tables: one value for all bands, a separate value for 17 m to
// 10 m with the G1 switch, or one value per band, chosen by the band mode.
#include "table_builders.h"

using namespace table;

// Qt's translation tools take the texts marked here for the context "Editors".
namespace Editors {

namespace {

const char* const kBandControls[] = {"Edit160", "Edit80", "Edit40", "Edit30", "Edit20",
                                     "Edit17",  "Edit15", "Edit12", "Edit10"};
const char* const kBandLabels[] = {QT_TR_NOOP("160m"), QT_TR_NOOP("80m"), QT_TR_NOOP("40m"),
                                   QT_TR_NOOP("30m"),  QT_TR_NOOP("20m"), QT_TR_NOOP("17m"),
                                   QT_TR_NOOP("15m"),  QT_TR_NOOP("12m"), QT_TR_NOOP("10m")};

// Mode at modeIndex, then Edit1 (when hasAll), EditG1U and the nine band fields on
// consecutive indices, all made from the one value row.
EditorTable BandTable(const FieldDescription& value, int modeIndex, bool hasAll,
                      const std::string (&captions)[3], const char* unit)
{
    EditorTable t;
    t.Fields.push_back(Mode(modeIndex));
    int index = modeIndex + 1;
    auto add = [&](const char* control) {
        FieldDescription f = value;
        f.Control = control;
        f.Index = index++;
        t.Fields.push_back(f);
    };
    if (hasAll)
        add("Edit1");
    add("EditG1U");
    for (const char* control : kBandControls)
        add(control);

    auto& l = t.Layout;
    constexpr int fieldW = 60;
    l.push_back(Radio("RadioButton1", captions[0], 12, 12, 270));
    if (hasAll) {
        l.push_back(Field("Edit1", 44, 40, fieldW));
        l.push_back(Label(unit, 110, 43));
    }
    l.push_back(Radio("RadioButton2", captions[1], 12, 84, 270));
    l.push_back(Field("EditG1U", 44, 112, fieldW));
    l.push_back(Label(unit, 110, 115));
    l.push_back(Radio("RadioButton3", captions[2], 12, 156, 270));
    for (int i = 0; i < 9; ++i) {
        const int y = 184 + 30 * i;
        l.push_back(Label(kBandLabels[i], 44, y + 3, "Label" + std::to_string(i + 1)));
        l.push_back(Field(kBandControls[i], 92, y, fieldW));
        l.push_back(Label(unit, 158, y + 3));
    }

    t.TabOrder = {"RadioButton1", "RadioButton2", "RadioButton3"};
    for (const char* control : kBandControls)
        t.TabOrder.push_back(control);
    t.TabOrder.push_back("EditG1U");
    if (hasAll)
        t.TabOrder.push_back("Edit1");
    return t;
}

}  // namespace

EditorTable MaxPowerBandTable()
{
    const std::string captions[3] = {QT_TR_NOOP("Alle Bänder b.z.w. 160m -20m"),
                                     QT_TR_NOOP("17m - 10m mit G1-Umschalter"),
                                     QT_TR_NOOP("Grenzwert mit Bandschalter")};
    EditorTable t = BandTable(
        Integer("", 0, 0, 65000, QT_TR_NOOP("Gültige Eingaben sind 0 W bis 65000 W !")), 56, true, captions,
        QT_TR_NOOP("W"));
    t.Layout.push_back(Label(QT_TR_NOOP("0 = aus"), 136, 43));
    t.Form = EditorForm::GrenzwerteMaxPWR;
    t.ClassName = "TGrenzwerteMaxPWRForm";
    t.Caption = QT_TR_NOOP("Grenzwerte Max-PWR bei Dauerträger");
    t.Width = 307;
    t.Height = 574;
    return t;
}

EditorTable AnodeMeanBandTable()
{
    const std::string captions[3] = {QT_TR_NOOP("Alle Bänder b.z.w. 160m - 20m"),
                                     QT_TR_NOOP("17m - 10m mit G1-Umschalter"),
                                     QT_TR_NOOP("Grenzwert mit Bandschalter")};
    EditorTable t = BandTable(Integer("", 0, 1, 65000, QT_TR_NOOP("Gültige Eingaben sind 1mA bis 65000mA !")),
                              68, true, captions, QT_TR_NOOP("mA"));
    FieldDescription averaging =
        List("ComboBox1", 43,
             {QT_TR_NOOP("6/0,9"), QT_TR_NOOP("11/1,7"), QT_TR_NOOP("22/3,4"), QT_TR_NOOP("44/6,6"),
              QT_TR_NOOP("88/13"), QT_TR_NOOP("176/26")},
             4);
    averaging.StoreOnLeave = false;
    t.Fields.push_back(averaging);
    t.Layout.push_back(Label(QT_TR_NOOP("IA-Mittelw. Zeit: 1%/100%"), 12, 467));
    t.Layout.push_back(Field("ComboBox1", 190, 464, 90));
    t.Layout.push_back(Label(QT_TR_NOOP("sek"), 288, 467));
    t.Form = EditorForm::Grenzwerte_IA_Mittelwert;
    t.ClassName = "TGrenzwerte_IA_MittelwertForm";
    t.Caption = QT_TR_NOOP("Grenzwerte IA-Mittelwert");
    t.Width = 360;
    t.Height = 625;
    return t;
}

EditorTable PowerCorrectionBandTable()
{
    const std::string captions[3] = {QT_TR_NOOP("Kein Korrekturfaktor"),
                                     QT_TR_NOOP("17m - 10m mit G1-Umschalter"),
                                     QT_TR_NOOP("Korrekturfaktor mit Bandschalter")};
    FieldDescription factor;
    factor.Kind = FieldKind::Decimal;
    factor.Min = 0.50;
    factor.Max = 1.99;
    factor.Scale = 100;
    factor.Bias = 0.05;
    factor.Prec = Precision::Double;
    factor.ShowFormat = {3, 2};
    factor.ConfirmFormat = {3, 2};
    factor.RangeMessage = QT_TR_NOOP("Gültige Eingaben sind 0.50 bis 1.99 !");
    factor.MaxLength = 5;
    EditorTable t = BandTable(factor, 45, false, captions, "");
    // No unit beside the factors.
    std::erase_if(t.Layout, [](const LayoutItem& i) { return i.Kind == ItemKind::Label && i.Text.empty(); });
    t.Form = EditorForm::PWR_Korrektur;
    t.ClassName = "TPWR_KorrekturForm";
    t.Caption = QT_TR_NOOP("Korrektur PWR-Anzeige");
    t.Width = 307;
    t.Height = 571;
    return t;
}

}  // namespace Editors
