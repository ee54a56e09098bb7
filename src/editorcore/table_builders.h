#pragma once
// Short constructors for table rows and layout items, used by the table files.
#include "editor_tables.h"

#include <QtGlobal>  // QT_TR_NOOP

namespace table {

inline FieldDescription Integer(std::string control, int index, int min, int max, std::string message,
                         int maxLength = 5)
{
    FieldDescription f;
    f.Control = std::move(control);
    f.Index = index;
    f.Kind = FieldKind::Integer;
    f.Min = min;
    f.Max = max;
    f.RangeMessage = std::move(message);
    f.MaxLength = maxLength;
    return f;
}

inline FieldDescription Halved(std::string control, int index, int min, int max, std::string message)
{
    FieldDescription f = Integer(std::move(control), index, min, max, std::move(message));
    f.Kind = FieldKind::Halved;
    return f;
}

// Decimal field: single precision, scale 10, bias 0.5, "%4.1f" unless changed after.
inline FieldDescription Decimal(std::string control, int index, double min, double max,
                         std::string message, int maxLength = 5)
{
    FieldDescription f;
    f.Control = std::move(control);
    f.Index = index;
    f.Kind = FieldKind::Decimal;
    f.Min = min;
    f.Max = max;
    f.Scale = 10;
    f.Bias = 0.5;
    f.Prec = Precision::Single;
    f.ShowFormat = {4, 1};
    f.ConfirmFormat = {4, 1};
    f.RangeMessage = std::move(message);
    f.MaxLength = maxLength;
    return f;
}

inline FieldDescription List(std::string control, int index, std::vector<std::string> items, int offset)
{
    FieldDescription f;
    f.Control = std::move(control);
    f.Index = index;
    f.Kind = FieldKind::List;
    f.Items = std::move(items);
    f.Offset = offset;
    return f;
}

inline FieldDescription Check(std::string control, int index)
{
    FieldDescription f;
    f.Control = std::move(control);
    f.Index = index;
    f.Kind = FieldKind::Check;
    return f;
}

inline FieldDescription Mode(int index)
{
    FieldDescription f;
    f.Control = "RadioButton";
    f.Index = index;
    f.Kind = FieldKind::Mode;
    f.Min = 0;
    f.Max = 2;
    f.PatchMark = false;
    return f;
}

// Items "step", "2*step", ... "count*step".
inline std::vector<std::string> Multiples(int step, int count)
{
    std::vector<std::string> items;
    for (int i = 1; i <= count; ++i)
        items.push_back(std::to_string(i * step));
    return items;
}

inline LayoutItem Label(std::string text, int x, int y, std::string name = {})
{
    return {ItemKind::Label, std::move(text), x, y, 0, std::move(name)};
}

inline LayoutItem Heading(std::string text, int x, int y)
{
    return {ItemKind::Heading, std::move(text), x, y, 0, {}};
}

inline LayoutItem Field(std::string control, int x, int y, int w)
{
    return {ItemKind::Field, std::move(control), x, y, w, {}};
}

inline LayoutItem Radio(std::string name, std::string caption, int x, int y, int w)
{
    return {ItemKind::Radio, std::move(caption), x, y, w, std::move(name)};
}

}  // namespace table

// The tables, one function each (tables_*.cpp). Their texts are German, marked with
// QT_TR_NOOP for the translation context "Editors" and translated where they are shown.
namespace Editors {
EditorTable GeneralTable();
EditorTable DisplayRangesTable();
EditorTable TimingTable();
EditorTable LimitsTable();
EditorTable SoftStartTable();
EditorTable MaxPowerBandTable();
EditorTable AnodeMeanBandTable();
EditorTable PowerCorrectionBandTable();
}  // namespace Editors
