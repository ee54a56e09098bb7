#pragma once
// The three option check boxes of the service functions. Each stores one value of the
// parameter set, which reaches the board with the next upload:
//   CheckBox1 "Überwachungen abschalten"          -> index 29
//   CheckBox2 "Wirkungsgrad in Zeile 3 anzeigen"  -> index 8
//   CheckBox3 "IA-Mittelwert in Zeile 3 anzeigen" -> index 31
// The board shows either the efficiency or the mean anode current in line 3, so
// checking CheckBox2 or CheckBox3 unchecks the other.
#include "parameter_set.h"

struct OptionBoxes {
    bool Box1 = false;
    bool Box2 = false;
    bool Box3 = false;
    bool operator==(const OptionBoxes&) const = default;
};

inline constexpr int kOptionIndexBox1 = 29;
inline constexpr int kOptionIndexBox2 = 8;
inline constexpr int kOptionIndexBox3 = 31;

// The boxes as the parameter set says (ticked when the value is not 0).
OptionBoxes OptionBoxesFrom(const ParameterSet& params);

// Click on or leaving of box 1, 2 or 3 with the boxes as they are now: stores the
// values and returns the states the boxes must show.
OptionBoxes OptionCheckBoxChanged(ParameterSet& params, int box, OptionBoxes now);
