#pragma once
// Where a parameter index is edited, found in the editor tables: the dialog, the field,
// the labels before the field on its row and the unit after it, and a raw value as the
// field shows it. Used where values are listed outside the dialogs (the command-line
// program's diff and change lists).
#include "editor_tables.h"

#include <cstdint>
#include <string>
#include <vector>

struct FieldPlace {
    const EditorTable* Table = nullptr;
    const FieldDescription* Field = nullptr;
    std::string Caption;  // labels left of the field on its row, blanks collapsed
    std::string Unit;     // the short label just right of the field ("sek", "mA"), or ""
};

// Every field of every dialog that edits `index`, in the order of AllEditorForms();
// empty for the indices no dialog edits (86 to 119 among them).
std::vector<FieldPlace> FieldPlacesOf(int index);

// The value as the field shows it when its dialog opens, with its unit: "90 sek",
// "25.0 V", "Deutsch" (list item), "ja"/"nein" (check box), the caption of the radio
// button a band mode selects. A list value without an item reads "(<raw>)".
std::string ValueInUnits(const FieldPlace& place, int32_t raw);

// "Timing / Vorheizzeit: (EditVorheizzeit)": dialog caption, field caption, control.
std::string PlaceName(const FieldPlace& place);
