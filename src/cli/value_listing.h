#pragma once
// Parameter values as the command-line program lists them: per index the dialog and
// field that edit it (from the editor tables; the three service options from the main
// window's check boxes; "no editor" for the rest, 86 to 119 among them), and the raw
// value in the field's own units. Also the differences between two parameter sets.
#include "parameter_set.h"

#include <cstdint>
#include <string>
#include <vector>

// "Timing / Vorheizzeit: (EditVorheizzeit)", "Hauptfenster / Überwachungen abschalten
// (CheckBox1)" or "no editor". Several fields editing one index are joined by "; ".
std::string IndexName(int index);
// The value in the units of the field that edits the index ("90 sek"); "" where none.
std::string IndexValue(int index, int32_t raw);

struct ValueDifference {
    int Index;
    int32_t A;
    int32_t B;
};
std::vector<ValueDifference> DifferentValues(const ParameterSet& a, const ParameterSet& b);

struct IdentityDifference {
    std::string Item;  // "serial number", "device mark", "device type"
    std::string A;
    std::string B;
};
std::vector<IdentityDifference> DifferentIdentity(const ParameterSet& a, const ParameterSet& b);

// One line per difference: "  1  Timing / Vorheizzeit: (EditVorheizzeit): 90 -> 120
// (90 sek -> 120 sek)", "serial number: \"0001\" -> \"0002\"".
std::string DifferenceLine(const ValueDifference& d);
std::string DifferenceLine(const IdentityDifference& d);
// The same as JSON objects.
std::string DifferenceJson(const ValueDifference& d);
std::string DifferenceJson(const IdentityDifference& d);

// A text as the program shows it on one line: as it is, or (holding a control
// character or a quote) as a JSON string.
std::string Shown(const std::string& text);
