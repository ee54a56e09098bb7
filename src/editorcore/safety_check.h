#pragma once
// The check a parameter set passes before it is written into the board: the board's
// values are the amplifier's protection (SWR and reflected-power trips, grid and anode
// current limits, supply windows, heater supervision), so a value no editor would
// accept, a pair in the wrong order or a protection switched off is told before the
// upload, in the window and on the command line alike. The ranges are the editor
// tables' (editor_tables.h); the rules are one table (SafetyRules) that names each
// rule and the fields it looks at.
#include "config_file.h"
#include "editor_tables.h"
#include "parameter_set.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

enum class FindingLevel { Error, Warning };

struct SafetyFinding {
    FindingLevel Level = FindingLevel::Error;
    std::string Rule;    // the name of the rule in SafetyRules()
    int Index = -1;      // the parameter index; -1 for the set as a whole (file, identity)
    std::string Dialog;  // the dialog's caption, translated ("" for the set as a whole)
    std::string Field;   // the control ("EditMaxSWR"), or ""
    std::string Place;   // dialog, field caption and control as the listings name them
    std::string Value;   // the set's value in the editor's units ("20.0", "11000 mA")
    std::string Text;    // what is wrong, translated
};

// What the check looks at: the set, and where known the board's current set and how
// the set's file was read.
struct SafetyInput {
    const ParameterSet* Set = nullptr;
    const ParameterSet* Board = nullptr;
    std::optional<ConfigEntriesTaken> File;
};

// A field of one dialog, by its control name (the band dialogs share their names).
struct FieldRef {
    EditorForm Form;
    const char* Control;
};

struct SafetyRule;
using SafetyRuleCheck = void (*)(const SafetyRule& rule, const SafetyInput& input,
                                 std::vector<SafetyFinding>& findings);

struct SafetyRule {
    const char* Name;
    FindingLevel Level;
    bool NeedsBoard;              // only when the board's set is known
    std::vector<FieldRef> Fields; // the fields it looks at; empty: every field of its kind
    const char* Text;             // what a finding says (German, translated where shown);
                                  // the range rule says the field's range message
    SafetyRuleCheck Check;
};

// Every rule, errors first.
const std::vector<SafetyRule>& SafetyRules();

// The findings of all rules, in the order of the rule table. With File given, values
// outside the entries the file filled are not judged.
std::vector<SafetyFinding> CheckParameterSet(const SafetyInput& input);
bool HasErrors(const std::vector<SafetyFinding>& findings);

// "Fehler   0  Grenzwerte allgemein / MaxSWR: (EditMaxSWR) = 20.0: Gültige Eingaben sind
// 1.5 bis 10.0 !" (German or English as the program speaks).
std::string FindingLine(const SafetyFinding& finding);
// The first `shown` lines, then "... und N weitere" for the rest.
std::vector<std::string> FindingLines(const std::vector<SafetyFinding>& findings, size_t shown = 20);
// The window's question: the listing and whether to write the set all the same.
std::string SafetyQuestion(const std::vector<SafetyFinding>& findings);
