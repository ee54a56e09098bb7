#include "field_names.h"
#include "translation.h"

#include "field_places.h"

#include <algorithm>
#include <cstdlib>

namespace {

// A column heading stands just above the first field of its column ("U-max" 20 px
// above "Anode"); the fields below it follow one another without other text between.
constexpr int kHeadingReach = 24;
// Labels start a little left of the field they head.
constexpr int kHeadingIndent = 12;
// A unit follows its field (or the field's arrows) closely.
constexpr int kUnitGap = 12;
constexpr size_t kUnitLength = 4;

const LayoutItem* ItemOf(const EditorTable& table, const std::string& control)
{
    for (const LayoutItem& item : table.Layout)
        if (item.Kind == ItemKind::Field && item.Text == control)
            return &item;
    return nullptr;
}

std::string WithoutColon(std::string text)
{
    while (!text.empty() && (text.back() == ':' || text.back() == ' '))
        text.pop_back();
    return text;
}

bool InColumn(const LayoutItem& item, const LayoutItem& field)
{
    if (item.Kind == ItemKind::Field)
        return item.X < field.X + field.W && field.X < item.X + item.W;
    return item.X >= field.X - kHeadingIndent && item.X < field.X + field.W;
}

// The label heading the field's column: the nearest text above it in its column,
// with only fields between, standing just above the topmost of them.
std::string ColumnHeading(const EditorTable& table, const LayoutItem& field)
{
    std::vector<const LayoutItem*> above;
    for (const LayoutItem& item : table.Layout)
        if (item.Y < field.Y - kHeadingIndent / 2 && InColumn(item, field)
            && (item.Kind != ItemKind::Label || !item.Text.empty()))
            above.push_back(&item);
    std::stable_sort(above.begin(), above.end(), [](auto* a, auto* b) { return a->Y > b->Y; });
    int top = field.Y;
    for (const LayoutItem* item : above) {
        if (item->Kind == ItemKind::Field) {
            top = item->Y;
            continue;
        }
        if (item->Kind == ItemKind::Label && top - item->Y <= kHeadingReach)
            return Tr("Editors", item->Text.c_str());
        return {};
    }
    return {};
}

// A field without a label of its own is named by the radio button or text above it
// ("Alle Bänder b.z.w. 160m -20m" over the one value for all bands).
std::string TextAbove(const EditorTable& table, const LayoutItem& field)
{
    const LayoutItem* best = nullptr;
    for (const LayoutItem& item : table.Layout) {
        if (item.Kind != ItemKind::Radio && item.Kind != ItemKind::Label && item.Kind != ItemKind::Heading)
            continue;
        if (item.Text.empty() || item.Y >= field.Y || item.X > field.X + field.W)
            continue;
        if (!best || item.Y > best->Y)
            best = &item;
    }
    return best ? Tr("Editors", best->Text.c_str()) : std::string();
}

// The unit after the arrows of the power range field, which field_places leaves out.
std::string UnitAfterArrows(const EditorTable& table, const LayoutItem& field)
{
    int end = field.X + field.W;
    bool arrows = false;
    for (const LayoutItem& item : table.Layout)
        if (item.Kind == ItemKind::Arrows && std::abs(item.Y - field.Y) <= kUnitGap && item.X >= end
            && item.X - end <= kUnitGap) {
            end = item.X + item.W;
            arrows = true;
        }
    if (!arrows)
        return {};
    for (const LayoutItem& item : table.Layout)
        if (item.Kind == ItemKind::Label && std::abs(item.Y - field.Y) <= kUnitGap && item.X >= end
            && item.X - end <= 2 * kUnitGap + kHeadingIndent && !item.Text.empty()
            && item.Text.size() <= kUnitLength)
            return Tr("Editors", item.Text.c_str());
    return {};
}

std::string SectionHeading(const EditorTable& table, const LayoutItem& field)
{
    const LayoutItem* best = nullptr;
    for (const LayoutItem& item : table.Layout)
        if (item.Kind == ItemKind::Heading && item.Y < field.Y && (!best || item.Y > best->Y))
            best = &item;
    return best ? WithoutColon(Tr("Editors", best->Text.c_str())) : std::string();
}

std::string PlainName(const EditorTable& table, const FieldDescription& field, const LayoutItem& item)
{
    FieldPlace place;
    for (const FieldPlace& candidate : FieldPlacesOf(field.Index))
        if (candidate.Table == &EditorTableFor(table.Form) && candidate.Field->Control == field.Control)
            place = candidate;
    std::string name = WithoutColon(place.Caption);
    const std::string column = ColumnHeading(table, item);
    if (!column.empty())
        name += (name.empty() ? "" : " ") + column;
    if (name.empty())
        name = WithoutColon(TextAbove(table, item));
    // A check box says its state itself; its row's unit belongs to the fields after it.
    const std::string unit = field.Kind == FieldKind::Check ? std::string()
                             : place.Unit.empty()           ? UnitAfterArrows(table, item)
                                                            : place.Unit;
    if (!unit.empty())
        name += ", " + unit;
    return name;
}

}  // namespace

std::string AccessibleFieldName(const EditorTable& table, const FieldDescription& field)
{
    const LayoutItem* item = ItemOf(table, field.Control);
    if (!item)
        return {};
    const std::string name = PlainName(table, field, *item);
    // A value named after the radio button above it is not that button.
    for (const LayoutItem& radio : table.Layout)
        if (radio.Kind == ItemKind::Radio && Tr("Editors", radio.Text.c_str()) == name)
            return Fill(Tr("Editors", "%1, Wert"), {name});
    for (const FieldDescription& other : table.Fields) {
        const LayoutItem* otherItem = ItemOf(table, other.Control);
        if (&other == &field || !otherItem || PlainName(table, other, *otherItem) != name)
            continue;
        const std::string section = SectionHeading(table, *item);
        if (!section.empty())
            return section + ", " + name;
    }
    return name;
}

std::string AccessibleFieldDescription(const FieldDescription& field)
{
    return field.RangeMessage.empty() ? std::string() : Tr("Editors", field.RangeMessage.c_str());
}

const LayoutItem* ListLabel(const EditorTable& table, const FieldDescription& field)
{
    const LayoutItem* item = ItemOf(table, field.Control);
    if (!item)
        return nullptr;
    const LayoutItem* best = nullptr;
    for (const LayoutItem& label : table.Layout)
        if (label.Kind == ItemKind::Label && !label.Text.empty() && label.X < item->X
            && std::abs(label.Y - item->Y) <= kHeadingIndent / 2 && (!best || label.X > best->X))
            best = &label;
    return best;
}

std::string MarkedFieldName(const std::string& name)
{
    return Fill(Tr("Editors", "%1, markiert"), {name});
}

std::string ArrowUpName(const std::string& fieldName) { return Fill(Tr("Editors", "%1, auf"), {fieldName}); }

std::string ArrowDownName(const std::string& fieldName) { return Fill(Tr("Editors", "%1, ab"), {fieldName}); }
