#pragma once
// One row of an editor dialog's field table: which control edits which parameter,
// how its text converts to the board's raw value and back, the accepted range and
// the message shown for an entry outside it. The tables (editor_tables.h) hold one
// row per control; the conversions (field_convert.h) and the widget binder
// (field_binder.h) read nothing but these rows.
#include <string>
#include <vector>

enum class FieldKind {
    Integer,     // edit field, raw = typed whole number
    Halved,      // edit field, raw = typed milliseconds shifted right by one (2 ms units)
    Decimal,     // edit field, raw = trunc(v * Scale + Bias)
    PowerRange,  // edit field with arrows, raw = 1046529 div typed watts
    SquareRoot,  // edit field, raw = 1023 * sqrt(p / 100) of the typed percentage
    List,        // drop-down list, raw = item index + Offset
    Check,       // check box, raw = 1 / 0
    Mode,        // three radio buttons, raw = 0, 1 or 2
};

enum class Precision { Single, Double };

// printf-like "%<Width>.<Decimals>f", printed with a point whatever the locale.
struct NumberFormat {
    int Width = 0;
    int Decimals = 1;
};

struct FieldDescription {
    std::string Control;
    int Index = -1;
    FieldKind Kind = FieldKind::Integer;

    // Accepted range in display units, both ends included.
    double Min = 0;
    double Max = 0;
    bool AlsoZero = false;  // 0 is accepted besides Min..Max

    // Decimal fields.
    double Scale = 1;
    double Bias = 0;
    Precision Prec = Precision::Single;
    NumberFormat ShowFormat;     // when the dialog opens
    NumberFormat ConfirmFormat;  // after a confirmation (and when leaving)

    std::string RangeMessage;
    int MaxLength = 5;
    bool PatchMark = true;

    // Lists.
    std::vector<std::string> Items;
    int Offset = 0;
    bool StoreOnLeave = true;

    // Check boxes: checked only when the raw value is exactly 1 (else: not 0).
    bool CheckNeedsOne = false;
    // Check boxes: typed characters flip the box and space toggles the mark.
    bool KeyHandling = true;

    bool IsEdit() const
    {
        return Kind == FieldKind::Integer || Kind == FieldKind::Halved
               || Kind == FieldKind::Decimal || Kind == FieldKind::PowerRange
               || Kind == FieldKind::SquareRoot;
    }
};
