#pragma once
// The behaviours that belong to single dialogs: the SWR or reflected-power choice and
// the heater switch of the general limits, and the band mode of the per-band tables.
class EditorDialog;

// Reflected-power limit on (index 40 not 0): its labels on, the SWR label and field
// off; off: the reverse. The field colours follow only while none of the marks of
// indices 0, 40 and 81 is set.
void ApplyReturnPowerChoice(EditorDialog& dialog);

// Heater limits usable only while index 34 holds exactly 1.
void ApplyHeaterSwitch(EditorDialog& dialog);

// Band mode 0: Edit1; mode 1: Edit1 and EditG1U; mode 2: the nine band fields and
// their labels. Fields switched off keep and show their values.
void ApplyBandMode(EditorDialog& dialog);

// Wires the rules of the dialog's form into its fields and its show.
void AttachDialogRules(EditorDialog& dialog);
