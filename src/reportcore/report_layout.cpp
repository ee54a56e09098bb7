#include "report_layout.h"
#include "translation.h"

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
std::string YesNo(bool yes) { return yes ? Tr("Reports", "ja") : Tr("Reports", "nein"); }

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
    s.Text(kLabelX, Tr("Reports", "T a v r i x   P r o t o k o l l"), ReportFont::Title);
    s.Text(kValueX, Fill(Tr("Reports", "Blatt: %1"), {std::to_string(page)}));
    s.Advance(10);
    s.Text(kLabelX, Fill(Tr("Reports", "Gerät: %1    Serien-Nr: %2    Version: %3"),
                         {DeviceTypeName(params, names), params.SerialNumber, params.BoardVersionText}));
    s.Rule();
}

void Sheet1(Sheet& s, const ParameterSet& params)
{
    const auto& v = params.Values;

    s.Heading(Tr("Reports", "Allgemeines"));
    s.Add({Tr("Reports", "Display-Sprache:"), v[25] != 0 ? Tr("Reports", "Englisch") : Tr("Reports", "Deutsch"), ""});
    s.Add({Tr("Reports", "IA-Mittelwert anzeigen:"), YesNo(v[42] != 0), ""});
    s.Add({Tr("Reports", "Sicherungsfehler bei:"), Decimal(v[22]), Tr("Reports", "mA"), "", kInnerLabelNearX, Tr("Reports", "IA <")});
    s.Add({"", Decimal(v[35]), Tr("Reports", "mA"), "", kInnerLabelFarX, Tr("Reports", "und IG2 >")});
    s.Rule();

    s.Heading(Tr("Reports", "Timing"));
    s.Add({Tr("Reports", "Vorheizzeit:"), Decimal(v[1]), Tr("Reports", "sek")});
    s.Add({Tr("Reports", "Abkühlzeit:"), Decimal(v[44]), Tr("Reports", "sek")});
    s.Add({Tr("Reports", "PttMindestTastZeit:"), Doubled(v[2]), Tr("Reports", "ms")});
    s.Add({Tr("Reports", "PttVerzögerungsZeit:"), Doubled(v[4]), Tr("Reports", "ms")});
    s.Add({Tr("Reports", "PttEntprellZeit:"), Doubled(v[6]), Tr("Reports", "ms")});
    s.Rule();

    s.Heading(Tr("Reports", "Softstartrelais"));
    s.Subheading(Tr("Reports", "12V Überprüfung nach Einschalten (Softstartrelais):"), kWideRuleGap);
    s.Add({Padded(Tr("Reports", "Zeitfenster Beginn:"), Tr("Reports", "(0=abgeschaltet)")), Doubled(v[26]), Tr("Reports", "ms")});
    s.Add({Tr("Reports", "Zeitfenster Ende:"), Doubled(v[23]), Tr("Reports", "ms")});
    s.Add({Tr("Reports", "Im Zeitfenster Sprung von minimal:"), Tenths(v[24]), Tr("Reports", "V")});
    s.Add({Tr("Reports", "Softstartrelais direkt:"), YesNo(v[80] != 0), ""});
    s.Subheading(Tr("Reports", "UA Überprüfung nach Einschalten (UA-Softstartrelais:"), kLineStep);
    s.Add({Padded(Tr("Reports", "U-Anode x Sek. vor RDY ein:"), Tr("Reports", "(0=abgeschaltet)")), Decimal(v[28]), Tr("Reports", "s")});
    s.Add({Tr("Reports", "Zeitfenster Beginn:"), Doubled(v[32]), Tr("Reports", "ms")});
    s.Add({Tr("Reports", "Zeitfenster Ende:"), Doubled(v[30]), Tr("Reports", "ms")});
    s.Add({Tr("Reports", "Im Zeitfenster Sprung von minimal:"), Decimal(v[33]), Tr("Reports", "V")});
    s.Rule(kWideRuleGap);

    // The display-range lists store item index + 1.
    s.Heading(Tr("Reports", "Anzeigebereiche:"));
    s.Add({Tr("Reports", "Balken G1:"), ReportListItem(ReportList::GridCurrentRange, v[16] - 1LL), Tr("Reports", "mA")});
    s.Add({Tr("Reports", "Balken G2:"), ReportListItem(ReportList::GridCurrentRange, v[13] - 1LL), Tr("Reports", "mA")});
    s.Add({Tr("Reports", "U-Anode:"), ReportListItem(ReportList::AnodeVoltageRange, v[36] - 1LL), Tr("Reports", "V")});
    s.Add({Tr("Reports", "I-Anode:"), ReportListItem(ReportList::AnodeCurrentRange, v[37] - 1LL), Tr("Reports", "mA")});
    s.Add({Tr("Reports", "PWR:"), PowerRange(v[27]), Tr("Reports", "W")});
    s.Rule(kWideRuleGap);

    s.Heading(Tr("Reports", "Grenzwerte allgemein:"));
    s.Add({Tr("Reports", "MaxSWR:"), Tenths(v[0]), ""});
    s.Add({Padded(Tr("Reports", "MaxRücklauf:"), Tr("Reports", "(0=aus)")), Decimal(v[40]), Tr("Reports", "W")});
    s.Add({Tr("Reports", "MaxZeit für MaxRücklauf:"), Fixed(Unsigned(v[81]) * 0.002, 1), Tr("Reports", "S")});
    s.Add({Padded(Tr("Reports", "Max IG1:"), Tr("Reports", "(0=aus)")), Decimal(v[82]), Tr("Reports", "mA")});
    s.Add({Padded(Tr("Reports", "Max-PWR mit Displaytaste zuschaltbar:"), Tr("Reports", "(0=aus)")), Decimal(v[41]), Tr("Reports", "W")});
    s.Add({Tr("Reports", "Minimal zulässiger Wirkungsgrad:"), Decimal(v[5]), Tr("Reports", "%")});
    s.Add({Padded("", Tr("Reports", "wenn PWR > x% von Max-PWR ist:")), EfficiencyThreshold(v[3]), Tr("Reports", "%")});
    s.Add({Tr("Reports", "I-Anode max 5 Sek.:"), Decimal(v[9]), Tr("Reports", "mA")});
    s.Add({Tr("Reports", "I-Anode max sofort:"), Decimal(v[10]), Tr("Reports", "mA")});
    s.Add({Padded(Tr("Reports", "IA-max in Aufwärmphase:"), Tr("Reports", "(0=aus)")), Decimal(v[83]), Tr("Reports", "mA")});
    s.Add({Padded(Tr("Reports", "Anode:"), Tr("Reports", "U-max")), Decimal(v[21]), Tr("Reports", "V")});
    s.Add({Padded("", Tr("Reports", "U-min")), Decimal(v[7]), Tr("Reports", "V")});
    s.Add({Padded(Tr("Reports", "G2:"), Tr("Reports", "U-max")), Decimal(v[11]), Tr("Reports", "V")});
    s.Add({Padded("", Tr("Reports", "U-min")), Decimal(v[12]), Tr("Reports", "V")});
    s.Add({Padded(Tr("Reports", "G1:"), Tr("Reports", "U-max")), Decimal(v[14]), Tr("Reports", "V")});
    s.Add({Padded("", Tr("Reports", "U-min")), Decimal(v[15]), Tr("Reports", "V")});
    s.Add({Padded(Tr("Reports", "24 V:"), Tr("Reports", "U-max")), Tenths(v[17]), Tr("Reports", "V")});
    s.Add({Padded("", Tr("Reports", "U-min")), Tenths(v[18]), Tr("Reports", "V")});
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
    const std::array<std::string, 8> bands = {Tr("Reports", "(80m)"), Tr("Reports", "(40m)"), Tr("Reports", "(30m)"), Tr("Reports", "(20m)"),
                                              Tr("Reports", "(17m)"), Tr("Reports", "(15m)"), Tr("Reports", "(12m)"), Tr("Reports", "(10m)")};
    for (int band = 0; band < 8; ++band)
        s.Add({Padded("", bands[band]), section.Format(v[section.FirstBand + band]),
               section.Unit});
}

void Sheet2(Sheet& s, const ParameterSet& params)
{
    const auto& v = params.Values;

    s.Heading(Tr("Reports", "Grenzwerte allgemein:"));
    s.Add({Padded(Tr("Reports", "12 V:"), Tr("Reports", "U-max")), Tenths(v[19]), Tr("Reports", "V")});
    s.Add({Padded("", Tr("Reports", "U-min")), Tenths(v[20]), Tr("Reports", "V")});
    s.Add({Tr("Reports", "Heizungsanzeige eingeschaltet:"), YesNo(v[34] != 0), ""});
    s.Add({Padded(Tr("Reports", "Heizung:"), Tr("Reports", "U-max")), Tenths(v[38]), Tr("Reports", "V")});
    s.Add({Padded("", Tr("Reports", "U-min")), Tenths(v[39]), Tr("Reports", "V")});
    s.Rule();

    const std::string withBandSwitch = Padded(Tr("Reports", "Grenzwert mit Bandschalter:"), Tr("Reports", "(160m)"));
    s.Heading(Tr("Reports", "Grenzwerte Max-PWR bei Dauerträger:"));
    AddBandRows(s, params,
                {{Padded(Tr("Reports", "Alle Bänder b.z.w. 160m-20m:"), Tr("Reports", "(0=aus)")),
                  Tr("Reports", "17m-10m mit G1-Umschalter:"), withBandSwitch},
                 56, {57, 58, 59}, 60, AsDecimal, Tr("Reports", "W")});
    s.Rule();

    // The averaging-time list stores item index + 4.
    s.Heading(Tr("Reports", "Grenzwerte IA-Mittelwert:"));
    s.Add({Tr("Reports", "IA-Mittelwertzeit für 1%/100% über Max-Wert:"),
           ReportListItem(ReportList::MeanTime, v[43] - 4LL), Tr("Reports", "sek")});
    AddBandRows(s, params,
                {{Tr("Reports", "Alle Bänder b.z.w. 160m-20m:"), Tr("Reports", "17m-10m mit G1-Umschalter:"), withBandSwitch},
                 68, {69, 70, 71}, 72, AsDecimal, Tr("Reports", "mA")});
    s.Rule();

    s.Heading(Tr("Reports", "Korrektur PWR-Anzeige:"));
    AddBandRows(s, params,
                {{Tr("Reports", "Kein Korrekturfaktor:"), Tr("Reports", "17m-10m mit G1-Umschalter:"),
                  Padded(Tr("Reports", "Korrekturfaktor mit Bandschalter:"), Tr("Reports", "(160m)"))},
                 45, {std::nullopt, 46, 47}, 48, Hundredths, ""});
    s.Rule();

    s.Heading(Tr("Reports", "Service-Einstellungen:"));
    s.Add({Tr("Reports", "IA-Mittelwert in Zeile 3 anzeigen:"), "", "", YesNo(v[31] == 1)});
    s.Add({Tr("Reports", "Wirkungsgrad in Zeile 3 anzeigen:"), "", "", YesNo(v[8] == 1)});
    s.Add({Tr("Reports", "Überwachungen abschalten:"), "", "", YesNo(v[29] == 1)});
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
