#include "report_layout.h"

#include "parameter_set.h"
#include "report_lists.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>

namespace {

// Columns in millimetres.
constexpr float kLabelX = 19;
constexpr float kChoiceX = 130;
constexpr float kInnerLabelFarX = 144;
constexpr float kInnerLabelNearX = 157;
constexpr float kValueX = 170;
constexpr float kUnitX = 189;
constexpr float kRuleEndX = 197;

// Vertical steps in millimetres.
constexpr float kFirstLine = 5;
constexpr float kLineStep = 5;
constexpr float kRuleGap = 6;
constexpr float kWideRuleGap = 7;
constexpr float kHeadingGap = 2;

// Labels with a note at their right end fill 56 characters of the monospaced font.
constexpr int kPaddedLabelWidth = 56;

// The reciprocal of the power range: raw = 1046529 / full-scale watts.
constexpr uint32_t kPowerRangeConstant = 1046529;

int CodePoints(const std::string& utf8)
{
    int n = 0;
    for (unsigned char c : utf8)
        n += (c & 0xC0) != 0x80;
    return n;
}

std::string Padded(const std::string& left, const std::string& right)
{
    const int blanks = kPaddedLabelWidth - CodePoints(left) - CodePoints(right);
    return left + std::string(blanks > 0 ? blanks : 1, ' ') + right;
}

std::string Decimal(long long v) { return std::to_string(v); }

// printf-style "%.Nf" without the locale's decimal comma.
std::string Fixed(double v, int decimals)
{
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed,
                                decimals);
    return std::string(buffer, result.ptr);
}

// Scaled values are formed from the stored value read as unsigned.
double Unsigned(int32_t v) { return static_cast<uint32_t>(v); }
std::string Tenths(int32_t v) { return Fixed(Unsigned(v) / 10, 1); }
std::string Hundredths(int32_t v) { return Fixed(Unsigned(v) / 100, 2); }
std::string Doubled(int32_t v) { return Decimal(2LL * v); }
std::string YesNo(bool yes) { return yes ? "ja" : "nein"; }

std::string PowerRange(int32_t raw)
{
    // 0 cannot come from the editor but can come from a file; it has no reciprocal.
    if (raw == 0)
        return "—";
    return Decimal(kPowerRangeConstant / static_cast<uint32_t>(raw));
}

std::string EfficiencyThreshold(int32_t raw)
{
    const double v = raw;
    return Decimal(static_cast<long long>(std::trunc(100.0 * v * v / (1023.0 * 1023.0))));
}

struct Line {
    Line(std::string label, std::string value, std::string unit, std::string choice = {},
         float innerX = 0, std::string inner = {})
        : Label(std::move(label)), Value(std::move(value)), Unit(std::move(unit)),
          Choice(std::move(choice)), InnerX(innerX), Inner(std::move(inner))
    {
    }
    std::string Label;
    std::string Value;
    std::string Unit;
    std::string Choice;  // at the choice column, per-band sections only
    float InnerX = 0;
    std::string Inner;
};

class Sheet {
public:
    void Text(float x, std::string text, ReportFont font = ReportFont::Regular)
    {
        if (!text.empty())
            items_.push_back({ReportItem::Kind::Text, x, y_, 0, std::move(text), font});
    }
    void Advance(float mm) { y_ += mm; }

    void Rule(float gap = kRuleGap)
    {
        y_ += gap;
        items_.push_back({ReportItem::Kind::Rule, kLabelX, y_, kRuleEndX, {}, ReportFont::Regular});
    }
    void Heading(const std::string& text)
    {
        y_ += kHeadingGap;
        Text(kLabelX, text, ReportFont::Heading);
        nextGap_ = kFirstLine;
    }
    void Subheading(const std::string& text, float gap)
    {
        y_ += gap;
        Text(kLabelX, text, ReportFont::Heading);
        nextGap_ = kLineStep;
    }
    void Add(const Line& line)
    {
        y_ += nextGap_;
        nextGap_ = kLineStep;
        Text(kLabelX, line.Label);
        Text(line.InnerX, line.Inner);
        Text(kChoiceX, line.Choice);
        Text(kValueX, line.Value);
        Text(kUnitX, line.Unit);
    }

    std::vector<ReportItem> Take() { return std::move(items_); }

private:
    std::vector<ReportItem> items_;
    float y_ = 5;
    float nextGap_ = kLineStep;
};

std::string DeviceTypeName(const ParameterSet& params, const std::vector<std::string>& names)
{
    return params.DeviceType < names.size() ? names[params.DeviceType] : std::string();
}

void CommonLines(Sheet& s, int page, const ParameterSet& params,
                 const std::vector<std::string>& names)
{
    s.Text(kLabelX, "T a v r i x   P r o t o k o l l", ReportFont::Title);
    s.Text(kValueX, "Blatt: " + std::to_string(page));
    s.Advance(10);
    s.Text(kLabelX, "Gerät: " + DeviceTypeName(params, names) + "    Serien-Nr: "
                        + params.SerialNumber + "    Version: " + params.BoardVersionText);
    s.Rule();
}

void Sheet1(Sheet& s, const ParameterSet& params)
{
    const auto& v = params.Values;

    s.Heading("Allgemeines");
    s.Add({"Display-Sprache:", v[25] != 0 ? "Englisch" : "Deutsch", ""});
    s.Add({"IA-Mittelwert anzeigen:", YesNo(v[42] != 0), ""});
    s.Add({"Sicherungsfehler bei:", Decimal(v[22]), "mA", "", kInnerLabelNearX, "IA <"});
    s.Add({"", Decimal(v[35]), "mA", "", kInnerLabelFarX, "und IG2 >"});
    s.Rule();

    s.Heading("Timing");
    s.Add({"Vorheizzeit:", Decimal(v[1]), "sek"});
    s.Add({"Abkühlzeit:", Decimal(v[44]), "sek"});
    s.Add({"PttMindestTastZeit:", Doubled(v[2]), "ms"});
    s.Add({"PttVerzögerungsZeit:", Doubled(v[4]), "ms"});
    s.Add({"PttEntprellZeit:", Doubled(v[6]), "ms"});
    s.Rule();

    s.Heading("Softstartrelais");
    s.Subheading("12V Überprüfung nach Einschalten (Softstartrelais):", kWideRuleGap);
    s.Add({Padded("Zeitfenster Beginn:", "(0=abgeschaltet)"), Doubled(v[26]), "ms"});
    s.Add({"Zeitfenster Ende:", Doubled(v[23]), "ms"});
    s.Add({"Im Zeitfenster Sprung von minimal:", Tenths(v[24]), "V"});
    s.Add({"Softstartrelais direkt:", YesNo(v[80] != 0), ""});
    s.Subheading("UA Überprüfung nach Einschalten (UA-Softstartrelais:", kLineStep);
    s.Add({Padded("U-Anode x Sek. vor RDY ein:", "(0=abgeschaltet)"), Decimal(v[28]), "s"});
    s.Add({"Zeitfenster Beginn:", Doubled(v[32]), "ms"});
    s.Add({"Zeitfenster Ende:", Doubled(v[30]), "ms"});
    s.Add({"Im Zeitfenster Sprung von minimal:", Decimal(v[33]), "V"});
    s.Rule(kWideRuleGap);

    // The display-range lists store item index + 1.
    s.Heading("Anzeigebereiche:");
    s.Add({"Balken G1:", ReportListItem(ReportList::GridCurrentRange, v[16] - 1LL), "mA"});
    s.Add({"Balken G2:", ReportListItem(ReportList::GridCurrentRange, v[13] - 1LL), "mA"});
    s.Add({"U-Anode:", ReportListItem(ReportList::AnodeVoltageRange, v[36] - 1LL), "V"});
    s.Add({"I-Anode:", ReportListItem(ReportList::AnodeCurrentRange, v[37] - 1LL), "mA"});
    s.Add({"PWR:", PowerRange(v[27]), "W"});
    s.Rule(kWideRuleGap);

    s.Heading("Grenzwerte allgemein:");
    s.Add({"MaxSWR:", Tenths(v[0]), ""});
    s.Add({Padded("MaxRücklauf:", "(0=aus)"), Decimal(v[40]), "W"});
    s.Add({"MaxZeit für MaxRücklauf:", Fixed(Unsigned(v[81]) * 0.002, 1), "S"});
    s.Add({Padded("Max IG1:", "(0=aus)"), Decimal(v[82]), "mA"});
    s.Add({Padded("Max-PWR mit Displaytaste zuschaltbar:", "(0=aus)"), Decimal(v[41]), "W"});
    s.Add({"Minimal zulässiger Wirkungsgrad:", Decimal(v[5]), "%"});
    s.Add({Padded("", "wenn PWR > x% von Max-PWR ist:"), EfficiencyThreshold(v[3]), "%"});
    s.Add({"I-Anode max 5 Sek.:", Decimal(v[9]), "mA"});
    s.Add({"I-Anode max sofort:", Decimal(v[10]), "mA"});
    s.Add({Padded("IA-max in Aufwärmphase:", "(0=aus)"), Decimal(v[83]), "mA"});
    s.Add({Padded("Anode:", "U-max"), Decimal(v[21]), "V"});
    s.Add({Padded("", "U-min"), Decimal(v[7]), "V"});
    s.Add({Padded("G2:", "U-max"), Decimal(v[11]), "V"});
    s.Add({Padded("", "U-min"), Decimal(v[12]), "V"});
    s.Add({Padded("G1:", "U-max"), Decimal(v[14]), "V"});
    s.Add({Padded("", "U-min"), Decimal(v[15]), "V"});
    s.Add({Padded("24 V:", "U-max"), Tenths(v[17]), "V"});
    s.Add({Padded("", "U-min"), Tenths(v[18]), "V"});
}

// A per-band section: the three band-mode rows ("ja" at the selected one) and the
// eight band rows 80m to 10m.
struct BandSection {
    std::array<std::string, 3> ModeLabels;
    int ModeIndex;
    std::array<std::optional<int>, 3> ModeValues;  // parameter index per mode row
    int FirstBand;                                 // parameter index of the 80m row
    std::string (*Format)(int32_t);
    std::string Unit;
};

std::string AsDecimal(int32_t v) { return Decimal(v); }

void AddBandRows(Sheet& s, const ParameterSet& params, const BandSection& section)
{
    const auto& v = params.Values;
    for (int row = 0; row < 3; ++row) {
        const auto& index = section.ModeValues[row];
        s.Add({section.ModeLabels[row], index ? section.Format(v[*index]) : "",
               index ? section.Unit : "", YesNo(v[section.ModeIndex] == row)});
    }
    const std::array<const char*, 8> bands = {"(80m)", "(40m)", "(30m)", "(20m)",
                                              "(17m)", "(15m)", "(12m)", "(10m)"};
    for (int band = 0; band < 8; ++band)
        s.Add({Padded("", bands[band]), section.Format(v[section.FirstBand + band]),
               section.Unit});
}

void Sheet2(Sheet& s, const ParameterSet& params)
{
    const auto& v = params.Values;

    s.Heading("Grenzwerte allgemein:");
    s.Add({Padded("12 V:", "U-max"), Tenths(v[19]), "V"});
    s.Add({Padded("", "U-min"), Tenths(v[20]), "V"});
    s.Add({"Heizungsanzeige eingeschaltet:", YesNo(v[34] != 0), ""});
    s.Add({Padded("Heizung:", "U-max"), Tenths(v[38]), "V"});
    s.Add({Padded("", "U-min"), Tenths(v[39]), "V"});
    s.Rule();

    const std::string withBandSwitch = Padded("Grenzwert mit Bandschalter:", "(160m)");
    s.Heading("Grenzwerte Max-PWR bei Dauerträger:");
    AddBandRows(s, params,
                {{Padded("Alle Bänder b.z.w. 160m-20m:", "(0=aus)"),
                  "17m-10m mit G1-Umschalter:", withBandSwitch},
                 56, {57, 58, 59}, 60, AsDecimal, "W"});
    s.Rule();

    // The averaging-time list stores item index + 4.
    s.Heading("Grenzwerte IA-Mittelwert:");
    s.Add({"IA-Mittelwertzeit für 1%/100% über Max-Wert:",
           ReportListItem(ReportList::MeanTime, v[43] - 4LL), "sek"});
    AddBandRows(s, params,
                {{"Alle Bänder b.z.w. 160m-20m:", "17m-10m mit G1-Umschalter:", withBandSwitch},
                 68, {69, 70, 71}, 72, AsDecimal, "mA"});
    s.Rule();

    s.Heading("Korrektur PWR-Anzeige:");
    AddBandRows(s, params,
                {{"Kein Korrekturfaktor:", "17m-10m mit G1-Umschalter:",
                  Padded("Korrekturfaktor mit Bandschalter:", "(160m)")},
                 45, {std::nullopt, 46, 47}, 48, Hundredths, ""});
    s.Rule();

    s.Heading("Service-Einstellungen:");
    s.Add({"IA-Mittelwert in Zeile 3 anzeigen:", "", "", YesNo(v[31] == 1)});
    s.Add({"Wirkungsgrad in Zeile 3 anzeigen:", "", "", YesNo(v[8] == 1)});
    s.Add({"Überwachungen abschalten:", "", "", YesNo(v[29] == 1)});
    s.Rule();
}

}  // namespace

std::vector<ReportItem> BuildReportPage(int page, const ParameterSet& params,
                                        const std::vector<std::string>& deviceTypeNames)
{
    if (page != 1 && page != 2)
        return {};
    Sheet s;
    CommonLines(s, page, params, deviceTypeNames);
    if (page == 1)
        Sheet1(s, params);
    else
        Sheet2(s, params);
    return s.Take();
}

std::string ReportDocumentTitle(const ParameterSet& params)
{
    return "Tavrix S" + params.SerialNumber + " " + params.FileName;
}
