#include "value_listing.h"
#include "translation.h"

#include "field_places.h"
#include "json_text.h"
#include "service_options.h"

#include <cstdio>

namespace {

struct OptionBox {
    int Index;
    const char* Control;
    const char* Caption;
};
constexpr OptionBox kOptionBoxes[] = {
    {kOptionIndexBox1, "CheckBox1", QT_TRANSLATE_NOOP("Window", "Überwachungen abschalten")},
    {kOptionIndexBox2, "CheckBox2", QT_TRANSLATE_NOOP("Window", "Wirkungsgrad in Zeile 3 anzeigen")},
    {kOptionIndexBox3, "CheckBox3", QT_TRANSLATE_NOOP("Window", "IA-Mittelwert in Zeile 3 anzeigen")},
};

const OptionBox* OptionAt(int index)
{
    for (const OptionBox& box : kOptionBoxes)
        if (box.Index == index)
            return &box;
    return nullptr;
}

std::string Padded(int index)
{
    char text[8];
    std::snprintf(text, sizeof text, "%3d", index);
    return text;
}

}  // namespace

std::string IndexName(int index)
{
    const std::vector<FieldPlace> places = FieldPlacesOf(index);
    if (places.empty()) {
        if (const OptionBox* box = OptionAt(index))
            return Tr("Cli", "Hauptfenster") + " / " + Tr("Window", box->Caption) + " (" + box->Control + ")";
        return "no editor";
    }
    std::string name;
    for (const FieldPlace& place : places)
        name += (name.empty() ? "" : "; ") + PlaceName(place);
    return name;
}

std::string IndexValue(int index, int32_t raw)
{
    const std::vector<FieldPlace> places = FieldPlacesOf(index);
    if (places.empty())
        return OptionAt(index) ? (raw != 0 ? Tr("Cli", "ja") : Tr("Cli", "nein")) : "";
    return ValueInUnits(places.front(), raw);
}

std::vector<ValueDifference> DifferentValues(const ParameterSet& a, const ParameterSet& b)
{
    std::vector<ValueDifference> differences;
    for (int i = 0; i < kValueCount; ++i)
        if (a.Values[i] != b.Values[i])
            differences.push_back({i, a.Values[i], b.Values[i]});
    return differences;
}

std::vector<IdentityDifference> DifferentIdentity(const ParameterSet& a, const ParameterSet& b)
{
    std::vector<IdentityDifference> differences;
    if (a.SerialNumber != b.SerialNumber)
        differences.push_back({"serial number", a.SerialNumber, b.SerialNumber});
    if (a.DeviceMark != b.DeviceMark)
        differences.push_back({"device mark", a.DeviceMark, b.DeviceMark});
    if (a.DeviceType != b.DeviceType)
        differences.push_back({"device type", std::to_string(a.DeviceType), std::to_string(b.DeviceType)});
    return differences;
}

std::string Shown(const std::string& text)
{
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7F || c == '"')
            return JsonString(text);
    return text;
}

std::string DifferenceLine(const ValueDifference& d)
{
    std::string line = Padded(d.Index) + "  " + IndexName(d.Index) + ": " + std::to_string(d.A) + " -> "
                       + std::to_string(d.B);
    const std::string a = IndexValue(d.Index, d.A);
    if (!a.empty())
        line += " (" + a + " -> " + IndexValue(d.Index, d.B) + ")";
    return line;
}

std::string DifferenceLine(const IdentityDifference& d)
{
    return d.Item + ": " + JsonString(d.A) + " -> " + JsonString(d.B);
}

std::string DifferenceJson(const ValueDifference& d)
{
    return "{\"index\":" + std::to_string(d.Index) + ",\"field\":" + JsonString(IndexName(d.Index))
           + ",\"a\":" + std::to_string(d.A) + ",\"b\":" + std::to_string(d.B)
           + ",\"a_units\":" + JsonString(IndexValue(d.Index, d.A))
           + ",\"b_units\":" + JsonString(IndexValue(d.Index, d.B)) + "}";
}

std::string DifferenceJson(const IdentityDifference& d)
{
    return "{\"item\":" + JsonString(d.Item) + ",\"a\":" + JsonString(d.A) + ",\"b\":" + JsonString(d.B) + "}";
}
