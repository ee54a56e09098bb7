// The report's two sheets as item lists: every text, rule, position and font of the
// printed layout, for a parameter set whose values all differ so that each printed
// number shows which parameter it came from.
#include "parameter_set.h"
#include "report_layout.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

namespace {

struct Expected {
    ReportItem::Kind Type;
    float X;
    float Y;
    std::string Text;
    ReportFont Font;
};

// Shorthands for the tables below.
Expected T(float y, float x, std::string text)
{
    return {ReportItem::Kind::Text, x, y, std::move(text), ReportFont::Regular};
}
Expected H(float y, std::string text)
{
    return {ReportItem::Kind::Text, 19, y, std::move(text), ReportFont::Heading};
}
Expected R(float y) { return {ReportItem::Kind::Rule, 19, y, "", ReportFont::Regular}; }

// A line of the table: label at 19, value at 170, unit at 189 (empty ones not printed).
void L(std::vector<Expected>& e, float y, const std::string& label, const std::string& value,
       const std::string& unit = "", const std::string& choice = "")
{
    if (!label.empty())
        e.push_back(T(y, 19, label));
    if (!choice.empty())
        e.push_back(T(y, 130, choice));
    if (!value.empty())
        e.push_back(T(y, 170, value));
    if (!unit.empty())
        e.push_back(T(y, 189, unit));
}

const std::vector<std::string> kDeviceTypes = {"", "", "PA-Test"};

ParameterSet KnownSet()
{
    ParameterSet p;
    for (int i = 0; i < kValueCount; ++i)
        p.Values[i] = 100 + i;
    p.Values[16] = 3;    // "90"
    p.Values[13] = 12;   // "360"
    p.Values[36] = 20;   // "20480"
    p.Values[37] = 1;    // "1024"
    p.Values[43] = 9;    // "176/26"
    p.Values[25] = 1;    // Englisch
    p.Values[42] = 0;    // nein
    p.Values[80] = 2;    // ja
    p.Values[34] = 0;    // nein
    p.Values[56] = 1;
    p.Values[68] = 2;
    p.Values[45] = 0;
    p.Values[31] = 1;
    p.Values[8] = 2;
    p.Values[29] = 1;
    p.SerialNumber = "0815";
    p.BoardVersionText = "7.14";
    p.DeviceType = 2;
    return p;
}

std::vector<Expected> CommonLines(int page)
{
    return {
        {ReportItem::Kind::Text, 19, 5, "T a v r i x   P r o t o k o l l", ReportFont::Title},
        T(5, 170, "Blatt: " + std::to_string(page)),
        T(15, 19, "Gerät: PA-Test    Serien-Nr: 0815    Version: 7.14"),
        R(21),
    };
}

auto Key(ReportItem::Kind type, float y, float x) { return std::make_tuple(y, x, type); }

void ExpectSameItems(std::vector<ReportItem> actual, std::vector<Expected> expected)
{
    std::sort(actual.begin(), actual.end(), [](const ReportItem& a, const ReportItem& b) {
        return Key(a.Type, a.Y, a.X) < Key(b.Type, b.Y, b.X);
    });
    std::sort(expected.begin(), expected.end(), [](const Expected& a, const Expected& b) {
        return Key(a.Type, a.Y, a.X) < Key(b.Type, b.Y, b.X);
    });
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE("item at y=" + std::to_string(expected[i].Y) + " x="
                     + std::to_string(expected[i].X) + " \"" + expected[i].Text + "\"");
        EXPECT_EQ(actual[i].Type, expected[i].Type);
        EXPECT_FLOAT_EQ(actual[i].Y, expected[i].Y);
        EXPECT_FLOAT_EQ(actual[i].X, expected[i].X);
        EXPECT_EQ(actual[i].Text, expected[i].Text);
        EXPECT_EQ(actual[i].Font, expected[i].Font);
        if (expected[i].Type == ReportItem::Kind::Rule) {
            EXPECT_FLOAT_EQ(actual[i].XEnd, 197);
        }
    }
}

// The text printed at (x, y), or "" when nothing is printed there.
std::string TextAt(const std::vector<ReportItem>& items, float y, float x)
{
    for (const ReportItem& item : items)
        if (item.Type == ReportItem::Kind::Text && item.Y == y && item.X == x)
            return item.Text;
    return "";
}

}  // namespace

TEST(ReportLayout, Sheet1ItemsAtTheirPlaces)
{
    std::vector<Expected> e = CommonLines(1);
    e.push_back(H(23, "Allgemeines"));
    L(e, 28, "Display-Sprache:", "Englisch");
    L(e, 33, "IA-Mittelwert anzeigen:", "nein");
    L(e, 38, "Sicherungsfehler bei:", "122", "mA");
    e.push_back(T(38, 157, "IA <"));
    L(e, 43, "", "135", "mA");
    e.push_back(T(43, 144, "und IG2 >"));
    e.push_back(R(49));
    e.push_back(H(51, "Timing"));
    L(e, 56, "Vorheizzeit:", "101", "sek");
    L(e, 61, "Abkühlzeit:", "144", "sek");
    L(e, 66, "PttMindestTastZeit:", "204", "ms");
    L(e, 71, "PttVerzögerungsZeit:", "208", "ms");
    L(e, 76, "PttEntprellZeit:", "212", "ms");
    e.push_back(R(82));
    e.push_back(H(84, "Softstartrelais"));
    e.push_back(H(91, "12V Überprüfung nach Einschalten (Softstartrelais):"));
    L(e, 96, "Zeitfenster Beginn:                     (0=abgeschaltet)", "252", "ms");
    L(e, 101, "Zeitfenster Ende:", "246", "ms");
    L(e, 106, "Im Zeitfenster Sprung von minimal:", "12.4", "V");
    L(e, 111, "Softstartrelais direkt:", "ja");
    e.push_back(H(116, "UA Überprüfung nach Einschalten (UA-Softstartrelais:"));
    L(e, 121, "U-Anode x Sek. vor RDY ein:             (0=abgeschaltet)", "128", "s");
    L(e, 126, "Zeitfenster Beginn:", "264", "ms");
    L(e, 131, "Zeitfenster Ende:", "260", "ms");
    L(e, 136, "Im Zeitfenster Sprung von minimal:", "133", "V");
    e.push_back(R(143));
    e.push_back(H(145, "Anzeigebereiche:"));
    L(e, 150, "Balken G1:", "90", "mA");
    L(e, 155, "Balken G2:", "360", "mA");
    L(e, 160, "U-Anode:", "20480", "V");
    L(e, 165, "I-Anode:", "1024", "mA");
    L(e, 170, "PWR:", "8240", "W");
    e.push_back(R(177));
    e.push_back(H(179, "Grenzwerte allgemein:"));
    L(e, 184, "MaxSWR:", "10.0");
    L(e, 189, "MaxRücklauf:                                     (0=aus)", "140", "W");
    L(e, 194, "MaxZeit für MaxRücklauf:", "0.4", "S");
    L(e, 199, "Max IG1:                                         (0=aus)", "182", "mA");
    L(e, 204, "Max-PWR mit Displaytaste zuschaltbar:            (0=aus)", "141", "W");
    L(e, 209, "Minimal zulässiger Wirkungsgrad:", "105", "%");
    L(e, 214, "                          wenn PWR > x% von Max-PWR ist:", "1", "%");
    L(e, 219, "I-Anode max 5 Sek.:", "109", "mA");
    L(e, 224, "I-Anode max sofort:", "110", "mA");
    L(e, 229, "IA-max in Aufwärmphase:                          (0=aus)", "183", "mA");
    L(e, 234, "Anode:                                             U-max", "121", "V");
    L(e, 239, "                                                   U-min", "107", "V");
    L(e, 244, "G2:                                                U-max", "111", "V");
    L(e, 249, "                                                   U-min", "112", "V");
    L(e, 254, "G1:                                                U-max", "114", "V");
    L(e, 259, "                                                   U-min", "115", "V");
    L(e, 264, "24 V:                                              U-max", "11.7", "V");
    L(e, 269, "                                                   U-min", "11.8", "V");

    ExpectSameItems(BuildReportPage(1, KnownSet(), kDeviceTypes), e);
}

TEST(ReportLayout, Sheet2ItemsAtTheirPlaces)
{
    const char* const bands[] = {"(80m)", "(40m)", "(30m)", "(20m)",
                                 "(17m)", "(15m)", "(12m)", "(10m)"};
    auto bandLabel = [](const char* band) { return std::string(51, ' ') + band; };

    std::vector<Expected> e = CommonLines(2);
    e.push_back(H(23, "Grenzwerte allgemein:"));
    L(e, 28, "12 V:                                              U-max", "11.9", "V");
    L(e, 33, "                                                   U-min", "12.0", "V");
    L(e, 38, "Heizungsanzeige eingeschaltet:", "nein");
    L(e, 43, "Heizung:                                           U-max", "13.8", "V");
    L(e, 48, "                                                   U-min", "13.9", "V");
    e.push_back(R(54));

    e.push_back(H(56, "Grenzwerte Max-PWR bei Dauerträger:"));
    L(e, 61, "Alle Bänder b.z.w. 160m-20m:                     (0=aus)", "157", "W", "nein");
    L(e, 66, "17m-10m mit G1-Umschalter:", "158", "W", "ja");
    L(e, 71, "Grenzwert mit Bandschalter:                       (160m)", "159", "W", "nein");
    for (int b = 0; b < 8; ++b)
        L(e, 76 + 5 * b, bandLabel(bands[b]), std::to_string(160 + b), "W");
    e.push_back(R(117));

    e.push_back(H(119, "Grenzwerte IA-Mittelwert:"));
    L(e, 124, "IA-Mittelwertzeit für 1%/100% über Max-Wert:", "176/26", "sek");
    L(e, 129, "Alle Bänder b.z.w. 160m-20m:", "169", "mA", "nein");
    L(e, 134, "17m-10m mit G1-Umschalter:", "170", "mA", "nein");
    L(e, 139, "Grenzwert mit Bandschalter:                       (160m)", "171", "mA", "ja");
    for (int b = 0; b < 8; ++b)
        L(e, 144 + 5 * b, bandLabel(bands[b]), std::to_string(172 + b), "mA");
    e.push_back(R(185));

    e.push_back(H(187, "Korrektur PWR-Anzeige:"));
    L(e, 192, "Kein Korrekturfaktor:", "", "", "ja");
    L(e, 197, "17m-10m mit G1-Umschalter:", "1.46", "", "nein");
    L(e, 202, "Korrekturfaktor mit Bandschalter:                 (160m)", "1.47", "", "nein");
    for (int b = 0; b < 8; ++b)
        L(e, 207 + 5 * b, bandLabel(bands[b]), "1.4" + std::to_string(8 + b), "");
    e.push_back(R(248));

    e.push_back(H(250, "Service-Einstellungen:"));
    L(e, 255, "IA-Mittelwert in Zeile 3 anzeigen:", "", "", "ja");
    L(e, 260, "Wirkungsgrad in Zeile 3 anzeigen:", "", "", "nein");
    L(e, 265, "Überwachungen abschalten:", "", "", "ja");
    e.push_back(R(271));

    // The band factors 1.48, 1.49, then 1.50 ... 1.55.
    for (Expected& item : e)
        if (item.X == 170 && item.Y >= 217 && item.Y <= 242)
            item.Text = "1.5" + std::to_string(static_cast<int>(item.Y - 217) / 5);

    ExpectSameItems(BuildReportPage(2, KnownSet(), kDeviceTypes), e);
}

TEST(ReportLayout, BandModeChoiceWords)
{
    struct Section {
        int ModeIndex;
        float FirstRowY;
    };
    const Section sections[] = {{56, 61}, {68, 129}, {45, 192}};
    const char* const expected[4][3] = {
        {"ja", "nein", "nein"}, {"nein", "ja", "nein"}, {"nein", "nein", "ja"},
        {"nein", "nein", "nein"}};
    for (int mode = 0; mode <= 3; ++mode) {
        for (const Section& section : sections) {
            SCOPED_TRACE("mode " + std::to_string(mode) + " at index "
                         + std::to_string(section.ModeIndex));
            ParameterSet p = KnownSet();
            p.Values[section.ModeIndex] = mode;
            const auto items = BuildReportPage(2, p, kDeviceTypes);
            for (int row = 0; row < 3; ++row)
                EXPECT_EQ(TextAt(items, section.FirstRowY + 5 * row, 130), expected[mode][row]);
        }
    }
}

TEST(ReportLayout, CalculatedValues)
{
    struct Case {
        int Page;
        int Index;
        int32_t Raw;
        float Y;
        std::string Printed;
    };
    const Case cases[] = {
        {1, 3, 1023, 214, "100"},   {1, 3, 512, 214, "25"},
        {1, 27, 10465, 170, "100"}, {1, 27, 11, 170, "95139"},
        {1, 27, 0, 170, "—"},       // no reciprocal: a dash instead of a failed job
        {1, 81, 2500, 194, "5.0"},  {1, 2, 50, 66, "100"},
        {1, 0, 15, 184, "1.5"},     {1, 24, -1, 106, "429496729.5"},  // read as unsigned
        {1, 22, -5, 38, "-5"},      {2, 48, 99, 207, "0.99"},
        {2, 46, 150, 197, "1.50"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("[" + std::to_string(c.Index) + "] = " + std::to_string(c.Raw));
        ParameterSet p = KnownSet();
        p.Values[c.Index] = c.Raw;
        EXPECT_EQ(TextAt(BuildReportPage(c.Page, p, kDeviceTypes), c.Y, 170), c.Printed);
    }
}

TEST(ReportLayout, MissingListItemsPrintNothing)
{
    ParameterSet p = KnownSet();
    p.Values[16] = 0;    // below the list
    p.Values[13] = 13;   // past the 12 items
    p.Values[36] = 21;
    p.Values[37] = 11;
    p.Values[43] = 3;    // the averaging-time list starts at 4
    p.DeviceType = 255;  // no name in a short device-type list
    const auto sheet1 = BuildReportPage(1, p, kDeviceTypes);
    for (float y : {150.f, 155.f, 160.f, 165.f})
        EXPECT_EQ(TextAt(sheet1, y, 170), "") << y;
    EXPECT_EQ(TextAt(sheet1, 150, 189), "mA");
    EXPECT_EQ(TextAt(sheet1, 15, 19), "Gerät:     Serien-Nr: 0815    Version: 7.14");
    EXPECT_EQ(TextAt(BuildReportPage(2, p, {}), 124, 170), "");

    p.Values[16] = 12;
    p.Values[43] = 4;
    p.DeviceType = 0;
    EXPECT_EQ(TextAt(BuildReportPage(1, p, {"Tavrix 4"}), 150, 170), "360");
    EXPECT_EQ(TextAt(BuildReportPage(1, p, {"Tavrix 4"}), 15, 19),
              "Gerät: Tavrix 4    Serien-Nr: 0815    Version: 7.14");
    EXPECT_EQ(TextAt(BuildReportPage(2, p, {}), 124, 170), "6/0,9");
}

TEST(ReportLayout, OnlyTwoSheetsAndTheDocumentTitle)
{
    EXPECT_TRUE(BuildReportPage(0, KnownSet(), kDeviceTypes).empty());
    EXPECT_TRUE(BuildReportPage(3, KnownSet(), kDeviceTypes).empty());
    ParameterSet p = KnownSet();
    p.FileName = "Endstufe.lcd";
    EXPECT_EQ(ReportDocumentTitle(p), "Tavrix S0815 Endstufe.lcd");
}
