// The rules of the safety check, one row each: errors for values no editor would take
// and for a file that did not hold every value, warnings for pairs in the wrong order
// and, against the board's current set, for protections switched off, limits moved by
// more than a factor of two and a set made for another board.
#include "safety_check.h"
#include "translation.h"

#include "field_convert.h"
#include "field_places.h"

namespace {

constexpr const char* kContext = "Safety";

const FieldDescription* FieldOf(const FieldRef& ref)
{
    return FindField(EditorTableFor(ref.Form), ref.Control);
}

SafetyFinding At(const SafetyRule& rule, const EditorTable& table, const FieldDescription& field, int32_t raw,
                 std::string text)
{
    SafetyFinding f;
    f.Level = rule.Level;
    f.Rule = rule.Name;
    f.Index = field.Index;
    f.Dialog = Tr("Editors", table.Caption.c_str());
    f.Field = field.Control;
    for (const FieldPlace& place : FieldPlacesOf(field.Index)) {
        if (place.Field != &field)
            continue;
        f.Place = PlaceName(place);
        f.Value = ValueInUnits(place, raw);
    }
    f.Text = std::move(text);
    return f;
}

SafetyFinding Whole(const SafetyRule& rule, std::string value, std::string text)
{
    SafetyFinding f;
    f.Level = rule.Level;
    f.Rule = rule.Name;
    f.Value = std::move(value);
    f.Text = std::move(text);
    return f;
}

std::string ValueOf(const FieldRef& ref, int32_t raw)
{
    const FieldDescription* field = FieldOf(ref);
    for (const FieldPlace& place : FieldPlacesOf(field->Index))
        if (place.Field == field)
            return ValueInUnits(place, raw);
    return std::to_string(raw);
}

// The value in the units the editor shows, for comparing two fields or two sets.
double Units(const FieldDescription& field, int32_t raw)
{
    switch (field.Kind) {
    case FieldKind::Halved: return 2.0 * raw;
    case FieldKind::Decimal: return raw / field.Scale;
    case FieldKind::PowerRange: return raw > 0 ? double(kPowerRangeConstant) / raw : 0;
    case FieldKind::SquareRoot: return double(SquareRootPercent(raw));
    default: return raw;
    }
}

// As the editor would judge the value typed again.
bool Accepted(const FieldDescription& field, int32_t raw) { return ParseEntry(field, ShowText(field, raw)).has_value(); }

bool AcceptsZero(const FieldDescription& field) { return field.AlsoZero || (field.IsEdit() && field.Min == 0); }

// Every field of every dialog with one of `kinds`, or the rule's own fields.
template <typename Visit>
void EachField(const SafetyRule& rule, std::initializer_list<FieldKind> kinds, Visit visit)
{
    if (!rule.Fields.empty()) {
        for (const FieldRef& ref : rule.Fields)
            visit(EditorTableFor(ref.Form), *FieldOf(ref));
        return;
    }
    for (EditorForm form : AllEditorForms()) {
        const EditorTable& table = EditorTableFor(form);
        for (const FieldDescription& field : table.Fields)
            for (FieldKind kind : kinds)
                if (field.Kind == kind)
                    visit(table, field);
    }
}

// ---- errors ----

// The stored value as the field would show it, confirmed again: refused where a typed
// value would be.
void OutsideRange(const SafetyRule& rule, const SafetyInput& in, std::vector<SafetyFinding>& out)
{
    EachField(rule,
              {FieldKind::Integer, FieldKind::Halved, FieldKind::Decimal, FieldKind::PowerRange,
               FieldKind::SquareRoot},
              [&](const EditorTable& table, const FieldDescription& field) {
                  const int32_t raw = in.Set->Values[size_t(field.Index)];
                  if (!Accepted(field, raw))
                      out.push_back(At(rule, table, field, raw, Tr("Editors", field.RangeMessage.c_str())));
              });
}

void NoListItem(const SafetyRule& rule, const SafetyInput& in, std::vector<SafetyFinding>& out)
{
    EachField(rule, {FieldKind::List}, [&](const EditorTable& table, const FieldDescription& field) {
        const int32_t raw = in.Set->Values[size_t(field.Index)];
        if (ListItemForRaw(field, raw) < 0)
            out.push_back(At(rule, table, field, raw, Tr(kContext, rule.Text)));
    });
}

void CheckBoxValue(const SafetyRule& rule, const SafetyInput& in, std::vector<SafetyFinding>& out)
{
    EachField(rule, {FieldKind::Check}, [&](const EditorTable& table, const FieldDescription& field) {
        if (field.CheckNeedsOne && rule.Fields.empty())
            return;  // the heater box has its own rule
        const int32_t raw = in.Set->Values[size_t(field.Index)];
        if (raw != 0 && raw != 1)
            out.push_back(At(rule, table, field, raw, Fill(Tr(kContext, rule.Text), {std::to_string(raw)})));
    });
}

void ModeValue(const SafetyRule& rule, const SafetyInput& in, std::vector<SafetyFinding>& out)
{
    EachField(rule, {FieldKind::Mode}, [&](const EditorTable& table, const FieldDescription& field) {
        const int32_t raw = in.Set->Values[size_t(field.Index)];
        if (raw < field.Min || raw > field.Max)
            out.push_back(At(rule, table, field, raw, Fill(Tr(kContext, rule.Text), {std::to_string(raw)})));
    });
}

void FileIncomplete(const SafetyRule& rule, const SafetyInput& in, std::vector<SafetyFinding>& out)
{
    if (!in.File || in.File->Complete())
        return;
    const ConfigEntriesTaken& read = *in.File;
    std::string why;
    if (read.Stop == ConfigReadStop::NotANumber)
        why = Fill(Tr("Safety", "Zeile %1: \"%2\" ist keine ganze Zahl"), {std::to_string(read.Line), read.Text});
    else
        why = Tr("Safety", "die Datei endet");
    out.push_back(Whole(rule, {},
                        Fill(Tr(kContext, rule.Text),
                             {std::to_string(read.End - read.First), std::to_string(kValueCount), why})));
}

// ---- warnings ----

// The heater fields are switched off in their dialog while the heater box is off.
bool HeaterOn(const ParameterSet& set)
{
    const FieldDescription& box = *FindField(EditorTableFor(EditorForm::Grenzwerte), "CheckBox2");
    return CheckStateForRaw(box, set.Values[size_t(box.Index)]);
}

// Fields in pairs (upper, lower): the lower one above the upper one. A pair of 0 = off
// fields with one of them off is no pair; the heater pair counts only while the heater
// supervision is on.
void Order(const SafetyRule& rule, const SafetyInput& in, std::vector<SafetyFinding>& out)
{
    for (size_t i = 0; i + 1 < rule.Fields.size(); i += 2) {
        const FieldDescription& upper = *FieldOf(rule.Fields[i]);
        const FieldDescription& lower = *FieldOf(rule.Fields[i + 1]);
        const int32_t up = in.Set->Values[size_t(upper.Index)];
        const int32_t low = in.Set->Values[size_t(lower.Index)];
        if ((AcceptsZero(upper) && up == 0) || (AcceptsZero(lower) && low == 0))
            continue;
        // A value outside its range is the range rule's finding.
        if (!Accepted(upper, up) || !Accepted(lower, low))
            continue;
        if (rule.Fields[i].Form == EditorForm::Grenzwerte && upper.Control == "EditHZmax" && !HeaterOn(*in.Set))
            continue;
        if (Units(lower, low) > Units(upper, up))
            out.push_back(At(rule, EditorTableFor(rule.Fields[i + 1].Form), lower, low,
                             Fill(Tr(kContext, rule.Text), {ValueOf(rule.Fields[i], up)})));
    }
}

bool On(const FieldDescription& field, int32_t raw)
{
    return field.Kind == FieldKind::Check ? CheckStateForRaw(field, raw) : raw != 0;
}

void SwitchedOff(const SafetyRule& rule, const SafetyInput& in, std::vector<SafetyFinding>& out)
{
    for (const FieldRef& ref : rule.Fields) {
        const FieldDescription& field = *FieldOf(ref);
        const int32_t raw = in.Set->Values[size_t(field.Index)];
        const int32_t board = in.Board->Values[size_t(field.Index)];
        if (!On(field, raw) && On(field, board))
            out.push_back(At(rule, EditorTableFor(ref.Form), field, raw,
                             Fill(Tr(kContext, rule.Text), {ValueOf(ref, board)})));
    }
}

void FactorTwo(const SafetyRule& rule, const SafetyInput& in, std::vector<SafetyFinding>& out)
{
    for (const FieldRef& ref : rule.Fields) {
        const FieldDescription& field = *FieldOf(ref);
        const int32_t raw = in.Set->Values[size_t(field.Index)];
        const int32_t board = in.Board->Values[size_t(field.Index)];
        const double now = Units(field, raw);
        const double before = Units(field, board);
        // Switching off and on, and a value outside the range, are the other rules'.
        if (now <= 0 || before <= 0 || !Accepted(field, raw))
            continue;
        if (now > 2 * before || 2 * now < before)
            out.push_back(At(rule, EditorTableFor(ref.Form), field, raw,
                             Fill(Tr(kContext, rule.Text), {ValueOf(ref, board)})));
    }
}

// A set that never came from a board (the placeholder serial number) belongs to none.
bool FromABoard(const ParameterSet& set) { return set.SerialNumber != ParameterSet().SerialNumber; }

void OtherSerial(const SafetyRule& rule, const SafetyInput& in, std::vector<SafetyFinding>& out)
{
    if (FromABoard(*in.Set) && in.Set->SerialNumber != in.Board->SerialNumber)
        out.push_back(Whole(rule, in.Set->SerialNumber,
                            Fill(Tr(kContext, rule.Text), {in.Set->SerialNumber, in.Board->SerialNumber})));
}

void OtherType(const SafetyRule& rule, const SafetyInput& in, std::vector<SafetyFinding>& out)
{
    if (FromABoard(*in.Set) && in.Set->DeviceType != in.Board->DeviceType)
        out.push_back(Whole(rule, std::to_string(in.Set->DeviceType),
                            Fill(Tr(kContext, rule.Text), {std::to_string(in.Set->DeviceType),
                                                           std::to_string(in.Board->DeviceType)})));
}

// ---- the fields the warnings name ----

constexpr EditorForm G = EditorForm::Grenzwerte;
constexpr EditorForm S = EditorForm::Softstartrelais;

std::vector<FieldRef> BandFields(EditorForm form)
{
    std::vector<FieldRef> refs = {{form, "Edit1"}, {form, "EditG1U"}};
    for (const char* band : {"Edit160", "Edit80", "Edit40", "Edit30", "Edit20", "Edit17", "Edit15", "Edit12", "Edit10"})
        refs.push_back({form, band});
    return refs;
}

std::vector<FieldRef> Joined(std::vector<FieldRef> a, const std::vector<FieldRef>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

const std::vector<SafetyRule>& SafetyRules()
{
    static const std::vector<SafetyRule> rules = {
        {"range", FindingLevel::Error, false, {}, nullptr, OutsideRange},
        {"list-item", FindingLevel::Error, false, {},
         QT_TRANSLATE_NOOP("Safety", "kein Eintrag der Liste"), NoListItem},
        {"check-box", FindingLevel::Error, false, {},
         QT_TRANSLATE_NOOP("Safety", "ein Kästchen hält 0 oder 1, nicht %1"), CheckBoxValue},
        {"heater-box", FindingLevel::Error, false, {{G, "CheckBox2"}},
         QT_TRANSLATE_NOOP("Safety", "nur 1 schaltet die Heizungsüberwachung ein; %1 gilt als aus"), CheckBoxValue},
        {"band-mode", FindingLevel::Error, false, {},
         QT_TRANSLATE_NOOP("Safety", "die Bandwahl ist 0, 1 oder 2, nicht %1"), ModeValue},
        {"file-incomplete", FindingLevel::Error, false, {},
         QT_TRANSLATE_NOOP("Safety", "die Datei enthält nur %1 von %2 Werten: %3"), FileIncomplete},
        {"min-above-max", FindingLevel::Warning, false,
         {{G, "EditUAmax"}, {G, "EditUAmin"}, {G, "EditG2Umax"}, {G, "EditG2Umin"}, {G, "EditG1Umax"},
          {G, "EditG1Umin"}, {G, "Edit24VUmax"}, {G, "Edit24VUmin"}, {G, "Edit12VUmax"}, {G, "Edit12VUmin"},
          {G, "EditHZmax"}, {G, "EditHZmin"}, {G, "EditIARmax"}, {G, "EditIARmin"}},
         QT_TRANSLATE_NOOP("Safety", "Minimum über dem Maximum %1"), Order},
        {"anode-5s-above-instant", FindingLevel::Warning, false, {{G, "Edit_IA_MaxSofort"}, {G, "Edit_IA_Max5sek"}},
         QT_TRANSLATE_NOOP("Safety", "über \"I-Anode max sofort\" %1"), Order},
        {"window-order", FindingLevel::Warning, false,
         {{S, "Edit12Vms1"}, {S, "Edit12Vms2"}, {S, "UAms1Edit"}, {S, "UAms2Edit"}},
         QT_TRANSLATE_NOOP("Safety", "Zeitfenster beginnt nach seinem Ende %1"), Order},
        {"protection-off", FindingLevel::Warning, true,
         Joined({{G, "MaxRuecklaufEdit"}, {G, "Edit_MaxIG1"}, {G, "Edit_PWR_Begrenzung"}, {G, "Edit_IA_MaxBeiVorheizen"},
                 {G, "EditIARmax"}, {G, "EditIARmin"}, {G, "CheckBox2"}, {S, "Edit12Vms2"}, {S, "UAsprungEdit"},
                 {S, "SoftstartCheckBox"}},
                BandFields(EditorForm::GrenzwerteMaxPWR)),
         QT_TRANSLATE_NOOP("Safety", "abgeschaltet; im Gerät eingeschaltet mit %1"), SwitchedOff},
        {"limit-factor-two", FindingLevel::Warning, true,
         Joined(Joined({{G, "EditMaxSWR"}, {G, "MaxRuecklaufEdit"}, {G, "MaxRueckZeitEdit"}, {G, "Edit_MaxIG1"},
                        {G, "Edit_PWR_Begrenzung"}, {G, "Edit_IA_Max5sek"}, {G, "Edit_IA_MaxSofort"},
                        {G, "Edit_IA_MaxBeiVorheizen"}, {G, "EditIARmax"}, {G, "EditIARmin"}, {G, "EditUAmax"},
                        {G, "EditUAmin"}, {G, "EditG2Umax"}, {G, "EditG2Umin"}, {G, "EditG1Umax"}, {G, "EditG1Umin"},
                        {G, "Edit24VUmax"}, {G, "Edit24VUmin"}, {G, "Edit12VUmax"}, {G, "Edit12VUmin"},
                        {G, "EditHZmax"}, {G, "EditHZmin"}},
                       BandFields(EditorForm::GrenzwerteMaxPWR)),
                BandFields(EditorForm::Grenzwerte_IA_Mittelwert)),
         QT_TRANSLATE_NOOP("Safety", "mehr als um den Faktor zwei geändert; im Gerät %1"), FactorTwo},
        {"serial-number", FindingLevel::Warning, true, {},
         QT_TRANSLATE_NOOP("Safety", "Satz für Seriennummer %1, das Gerät hat %2"), OtherSerial},
        {"device-type", FindingLevel::Warning, true, {},
         QT_TRANSLATE_NOOP("Safety", "Satz für Gerätetyp %1, das Gerät hat %2"), OtherType},
    };
    return rules;
}
