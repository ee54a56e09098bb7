#include "field_places.h"

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

void Describe(FieldPlace& place)
{
    const LayoutItem* field = FieldItem(*place.Table, place.Field->Control);
    if (!field)
        return;
    std::vector<const LayoutItem*> before;
    const LayoutItem* unit = nullptr;
    for (const LayoutItem& item : place.Table->Layout) {
        if (item.Kind != ItemKind::Label || item.Text.empty() || std::abs(item.Y - field->Y) > kRowTolerance)
            continue;
        if (item.X < field->X)
            before.push_back(&item);
        const int gap = item.X - (field->X + field->W);
        if (gap >= 0 && gap <= kUnitGap && item.Text.size() <= kUnitLength
            && item.Text.find(' ') == std::string::npos && (!unit || item.X < unit->X))
            unit = &item;
    }
    std::sort(before.begin(), before.end(), [](auto* a, auto* b) { return a->X < b->X; });
    std::string caption;
    for (const LayoutItem* item : before)
        caption += item->Text + " ";
    place.Caption = Collapsed(caption);
    if (unit)
        place.Unit = unit->Text;
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
        return item >= 0 ? field.Items[size_t(item)] : "(" + std::to_string(raw) + ")";
    }
    case FieldKind::Check:
        return CheckStateForRaw(field, raw) ? "ja" : "nein";
    case FieldKind::Mode: {
        const std::string name = "RadioButton" + std::to_string(ModeButtonForRaw(raw) + 1);
        for (const LayoutItem& item : place.Table->Layout)
            if (item.Kind == ItemKind::Radio && item.Name == name)
                return item.Text;
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
    std::string name = place.Table->Caption + " / ";
    if (!place.Caption.empty())
        name += place.Caption + " ";
    return name + "(" + place.Field->Control + ")";
}
