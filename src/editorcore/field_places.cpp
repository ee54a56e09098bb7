#include "field_places.h"
#include "translation.h"

#include "field_convert.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Labels sit a few pixels below the top of the field they describe.
constexpr int kRowTolerance = 6;
// A unit follows its field closely and is one short word.
constexpr int kUnitGap = 12;
constexpr size_t kUnitLength = 4;

std::string Collapsed(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == ' ' && (out.empty() || out.back() == ' '))
            continue;
        out += c;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

const LayoutItem* FieldItem(const EditorTable& table, const std::string& control)
{
    for (const LayoutItem& item : table.Layout)
        if (item.Kind == ItemKind::Field && item.Text == control)
            return &item;
    return nullptr;
}

bool ShortWord(const std::string& text)
{
    return !text.empty() && text.size() <= kUnitLength && text.find(' ') == std::string::npos;
}

// The row's labels before the field give its caption: those between the previous
// field of the row and this one, after the row's own labels when there is a previous
// field ("Anode:" for both the U-max and the U-min field). The unit is the short label
// that follows the field, or the fields that follow it closely ("V" of a max/min pair).
void Describe(FieldPlace& place)
{
    const LayoutItem* field = FieldItem(*place.Table, place.Field->Control);
    if (!field)
        return;
    std::vector<const LayoutItem*> row;
    for (const LayoutItem& item : place.Table->Layout)
        if ((item.Kind == ItemKind::Label || item.Kind == ItemKind::Field) && !item.Text.empty()
            && std::abs(item.Y - field->Y) <= kRowTolerance)
            row.push_back(&item);
    std::stable_sort(row.begin(), row.end(), [](auto* a, auto* b) { return a->X < b->X; });

    const LayoutItem* previous = nullptr;  // the row's field before this one
    const LayoutItem* first = nullptr;     // the row's first field
    for (const LayoutItem* item : row) {
        if (item->Kind != ItemKind::Field)
            continue;
        if (!first)
            first = item;
        if (item->X < field->X)
            previous = item;
    }
    std::string caption;
    for (const LayoutItem* item : row) {
        if (item->Kind != ItemKind::Label || item->X >= field->X)
            continue;
        const bool rowLabel = previous && item->X < first->X;
        const bool ownLabel = !previous || item->X > previous->X;
        if (rowLabel || ownLabel)
            caption += Tr("Editors", item->Text.c_str()) + " ";
    }
    place.Caption = Collapsed(caption);

    int end = field->X + field->W;
    for (const LayoutItem* item : row) {
        if (item->X <= field->X)
            continue;
        if (item->X - end > kUnitGap)
            break;
        if (item->Kind == ItemKind::Field) {
            end = item->X + item->W;
            continue;
        }
        if (ShortWord(item->Text))
            place.Unit = Tr("Editors", item->Text.c_str());
        break;
    }
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace

std::vector<FieldPlace> FieldPlacesOf(int index)
{
    std::vector<FieldPlace> places;
    for (EditorForm form : AllEditorForms()) {
        const EditorTable& table = EditorTableFor(form);
        for (const FieldDescription& field : table.Fields) {
            if (field.Index != index)
                continue;
            FieldPlace place;
            place.Table = &table;
            place.Field = &field;
            Describe(place);
            places.push_back(place);
        }
    }
    return places;
}

std::string ValueInUnits(const FieldPlace& place, int32_t raw)
{
    const FieldDescription& field = *place.Field;
    std::string text;
    switch (field.Kind) {
    case FieldKind::List: {
        const int item = ListItemForRaw(field, raw);
        return item >= 0 ? Tr("Editors", field.Items[size_t(item)].c_str()) : "(" + std::to_string(raw) + ")";
    }
    case FieldKind::Check:
        return CheckStateForRaw(field, raw) ? Tr("Editors", "ja") : Tr("Editors", "nein");
    case FieldKind::Mode: {
        const std::string name = "RadioButton" + std::to_string(ModeButtonForRaw(raw) + 1);
        for (const LayoutItem& item : place.Table->Layout)
            if (item.Kind == ItemKind::Radio && item.Name == name)
                return Tr("Editors", item.Text.c_str());
        return name;
    }
    default:
        text = Trimmed(ShowText(field, raw));
        break;
    }
    if (text.empty())
        return "-";
    return place.Unit.empty() ? text : text + " " + place.Unit;
}

std::string PlaceName(const FieldPlace& place)
{
    std::string name = Tr("Editors", place.Table->Caption.c_str()) + " / ";
    if (!place.Caption.empty())
        name += place.Caption + " ";
    return name + "(" + place.Field->Control + ")";
}
