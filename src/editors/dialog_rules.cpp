#include "dialog_rules.h"

#include "editor_dialog.h"
#include "parameter_set.h"

#include <QLabel>

#include <string>

namespace {

constexpr int kReturnPowerIndex = 40;
constexpr int kSwrIndex = 0;
constexpr int kReturnTimeIndex = 81;
constexpr int kHeaterIndex = 34;

const char* const kBandFields[] = {"Edit160", "Edit80", "Edit40", "Edit30", "Edit20",
                                   "Edit17",  "Edit15", "Edit12", "Edit10"};

void SetLabelEnabled(EditorDialog& dialog, const char* name, bool on)
{
    if (QLabel* label = dialog.NamedLabel(name))
        label->setEnabled(on);
}

// Enables or disables a field; a disabled field takes the menu colour unless marked.
void SetFieldUsable(EditorDialog& dialog, const char* control, bool on)
{
    if (FieldBinder* binder = dialog.Binder(control)) {
        binder->Control()->setEnabled(on);
        binder->SetSwitchedOff(!on);
    }
}

}  // namespace

void ApplyReturnPowerChoice(EditorDialog& dialog)
{
    const ParameterSet& params = dialog.Params();
    const bool returnLimitOn = params.Values[kReturnPowerIndex] != 0;
    SetLabelEnabled(dialog, "LabelMaxRuecklauf", returnLimitOn);
    SetLabelEnabled(dialog, "LabelRuecklaufAus", returnLimitOn);
    SetLabelEnabled(dialog, "LabelMaxRueckZeit", returnLimitOn);
    SetLabelEnabled(dialog, "LabelMaxSWR", !returnLimitOn);
    FieldBinder* swr = dialog.Binder("EditMaxSWR");
    swr->Control()->setEnabled(!returnLimitOn);

    const bool anyMarked = params.PatchMarks[kSwrIndex] || params.PatchMarks[kReturnPowerIndex]
                           || params.PatchMarks[kReturnTimeIndex];
    if (anyMarked)
        return;
    swr->SetSwitchedOff(returnLimitOn);
    dialog.Binder("MaxRuecklaufEdit")->SetSwitchedOff(!returnLimitOn);
    dialog.Binder("MaxRueckZeitEdit")->SetSwitchedOff(!returnLimitOn);
}

void ApplyHeaterSwitch(EditorDialog& dialog)
{
    const bool on = dialog.Params().Values[kHeaterIndex] == 1;
    SetLabelEnabled(dialog, "LabelHeizungV", on);
    SetFieldUsable(dialog, "EditHZmax", on);
    SetFieldUsable(dialog, "EditHZmin", on);
}

void ApplyBandMode(EditorDialog& dialog)
{
    // The selected button decides: a stored mode outside 0 to 2 shows as mode 0.
    const int mode = dialog.Binder("RadioButton")->ShownMode();
    SetFieldUsable(dialog, "Edit1", mode == 0 || mode == 1);
    SetFieldUsable(dialog, "EditG1U", mode == 1);
    for (int i = 0; i < 9; ++i) {
        SetFieldUsable(dialog, kBandFields[i], mode == 2);
        SetLabelEnabled(dialog, ("Label" + std::to_string(i + 1)).c_str(), mode == 2);
    }
}

void AttachDialogRules(EditorDialog& dialog)
{
    switch (dialog.Table().Form) {
    case EditorForm::Grenzwerte:
        dialog.Binder("MaxRuecklaufEdit")->AfterStore = [&dialog] { ApplyReturnPowerChoice(dialog); };
        dialog.Binder("CheckBox2")->AfterStore = [&dialog] { ApplyHeaterSwitch(dialog); };
        dialog.ShowRules = [&dialog] {
            ApplyReturnPowerChoice(dialog);
            ApplyHeaterSwitch(dialog);
        };
        dialog.KeepsColourOnPaint = [&dialog](const FieldBinder& binder) {
            const std::string& control = binder.Field().Control;
            return (control == "EditHZmax" || control == "EditHZmin")
                   && dialog.Params().Values[kHeaterIndex] != 1;
        };
        break;
    case EditorForm::GrenzwerteMaxPWR:
    case EditorForm::Grenzwerte_IA_Mittelwert:
    case EditorForm::PWR_Korrektur:
        dialog.Binder("RadioButton")->AfterStore = [&dialog] { ApplyBandMode(dialog); };
        // Also when the stored mode's button was selected already and nothing was
        // clicked by the show.
        dialog.ShowRules = [&dialog] { ApplyBandMode(dialog); };
        break;
    default:
        break;
    }
}
