// The safety check: every rule of the table fires on a set made for it and on nothing
// else, the board's own set passes, and the findings read as the window and the
// command line list them.
#include "safety_check.h"

#include "board_config.h"
#include "live_board.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

// The demo board's set, as a download leaves it.
ParameterSet BoardSet()
{
    ConfigBoard board;
    FillDemoBoard(board);
    ParameterSet set;
    set.Values = board.Values;
    set.SerialNumber = board.SerialNumber;
    set.DeviceMark = board.DeviceMark;
    set.DeviceType = board.DeviceType;
    return set;
}

struct RuleCase {
    const char* rule;
    int index;  // where the finding is; -1 for the set as a whole
    std::function<void(ParameterSet&, std::optional<ConfigEntriesTaken>&)> make;
    bool withBoard = false;
};

const std::vector<RuleCase>& Cases()
{
    using File = std::optional<ConfigEntriesTaken>;
    static const std::vector<RuleCase> cases = {
        {"range", 0, [](ParameterSet& s, File&) { s.Values[0] = 200; }},          // MaxSWR 20.0
        {"range", 21, [](ParameterSet& s, File&) { s.Values[21] = 999999; }},     // UA max 999999 V
        {"range", 10, [](ParameterSet& s, File&) { s.Values[10] = -5; }},         // I-Anode max sofort
        {"range", 26, [](ParameterSet& s, File&) { s.Values[26] = 500; }},        // window start 1000 ms
        {"range", 27, [](ParameterSet& s, File&) { s.Values[27] = 0; }},          // power range, no watts
        {"range", 3, [](ParameterSet& s, File&) { s.Values[3] = 1023; }},         // efficiency at 100 %
        {"range", 47, [](ParameterSet& s, File&) { s.Values[47] = 49; }},         // correction 0.49
        {"list-item", 16, [](ParameterSet& s, File&) { s.Values[16] = 0; }},      // offset 1: no item 0
        {"list-item", 43, [](ParameterSet& s, File&) { s.Values[43] = 10; }},     // averaging time
        {"check-box", 42, [](ParameterSet& s, File&) { s.Values[42] = 7; }},
        {"heater-box", 34, [](ParameterSet& s, File&) { s.Values[34] = 2; }},
        {"band-mode", 56, [](ParameterSet& s, File&) { s.Values[56] = 3; }},
        {"file-incomplete", -1, [](ParameterSet&, File& f) { f.emplace().End = 50; }},
        {"min-above-max", 7, [](ParameterSet& s, File&) { s.Values[7] = 3300; }},  // U-min 3300 over 3200
        {"min-above-max", 39, [](ParameterSet& s, File&) { s.Values[39] = 141; }}, // heater 14.1 over 14.0
        {"anode-5s-above-instant", 9, [](ParameterSet& s, File&) { s.Values[9] = 1101; }},
        {"window-order", 26, [](ParameterSet& s, File&) { s.Values[23] = 1000; s.Values[26] = 1001; }},
        {"protection-off", 82, [](ParameterSet& s, File&) { s.Values[82] = 0; }, true},  // Max IG1
        {"protection-off", 34, [](ParameterSet& s, File&) { s.Values[34] = 0; }, true},  // heater box
        {"protection-off", 57, [](ParameterSet& s, File&) { s.Values[57] = 0; }, true},  // Max-PWR band
        {"limit-factor-two", 10, [](ParameterSet& s, File&) { s.Values[10] = 11000; }, true},
        {"limit-factor-two", 0, [](ParameterSet& s, File&) { s.Values[0] = 51; }, true},  // SWR 2.5 -> 5.1
        {"serial-number", -1, [](ParameterSet& s, File&) { s.SerialNumber = "0042"; }, true},
        {"device-type", -1, [](ParameterSet& s, File&) { s.DeviceType = 7; }, true},
    };
    return cases;
}

std::string Describe(const std::vector<SafetyFinding>& findings)
{
    std::string text;
    for (const SafetyFinding& f : findings)
        text += "\n  " + f.Rule + " " + FindingLine(f);
    return text;
}

}  // namespace

TEST(SafetyCheck, EveryRuleFiresOnItsOwnSetAndTheBoardsOwnSetPasses)
{
    const ParameterSet board = BoardSet();
    EXPECT_TRUE(CheckParameterSet({&board, &board, std::nullopt}).empty())
        << Describe(CheckParameterSet({&board, &board, std::nullopt}));

    std::set<std::string> covered;
    for (const RuleCase& c : Cases()) {
        ParameterSet set = board;
        std::optional<ConfigEntriesTaken> file;
        c.make(set, file);
        const std::vector<SafetyFinding> findings = CheckParameterSet({&set, c.withBoard ? &board : nullptr, file});
        ASSERT_EQ(findings.size(), 1u) << c.rule << " at " << c.index << Describe(findings);
        EXPECT_EQ(findings[0].Rule, c.rule);
        EXPECT_EQ(findings[0].Index, c.index) << c.rule;
        EXPECT_FALSE(findings[0].Text.empty()) << c.rule;
        covered.insert(c.rule);
        // The rules that compare with the board say nothing without it.
        if (c.withBoard) {
            EXPECT_TRUE(CheckParameterSet({&set, nullptr, file}).empty()) << c.rule;
        }
    }
    const std::set<std::string> errors = {"range", "list-item", "check-box", "heater-box", "band-mode",
                                          "file-incomplete"};
    for (const SafetyRule& rule : SafetyRules()) {
        EXPECT_TRUE(covered.count(rule.Name)) << "no case for rule " << rule.Name;
        EXPECT_EQ(rule.Level == FindingLevel::Error, errors.count(rule.Name) == 1) << rule.Name;
    }
}

TEST(SafetyCheck, FindingsReadWithTheirPlaceValueAndText)
{
    const ParameterSet board = BoardSet();
    ParameterSet set = board;
    set.Values[0] = 200;
    set.Values[82] = 0;
    set.Values[7] = 3300;
    set.SerialNumber = "0042";
    const std::vector<SafetyFinding> findings = CheckParameterSet({&set, &board, std::nullopt});
    std::vector<std::string> lines;
    for (const SafetyFinding& f : findings)
        lines.push_back(FindingLine(f));
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Fehler:   0  Grenzwerte allgemein / MaxSWR: (EditMaxSWR) = 20.0: "
                         "Gültige Eingaben sind 1.5 bis 10.0 !",
                         "Warnung:   7  Grenzwerte allgemein / Anode: (EditUAmin) = 3300 V: Minimum über dem "
                         "Maximum 3200 V",
                         "Warnung:  82  Grenzwerte allgemein / Max IG1 (0=abgeschaltet) (Edit_MaxIG1) = 0 mA: "
                         "abgeschaltet; im Gerät eingeschaltet mit 60 mA",
                         "Warnung: Satz für Seriennummer 0042, das Gerät hat 0001",
                     }))
        << Describe(findings);
    EXPECT_EQ(findings[0].Dialog, "Grenzwerte allgemein");
    EXPECT_EQ(findings[0].Field, "EditMaxSWR");
    EXPECT_EQ(findings[0].Value, "20.0");
    EXPECT_EQ(findings[0].Level, FindingLevel::Error);
}

TEST(SafetyCheck, TheWindowsQuestionListsTwentyFindingsAndCountsTheRest)
{
    ParameterSet set = BoardSet();
    // 25 band fields of Max-PWR and IA-Mittelwert above 65000.
    for (int i = 57; i <= 67; ++i)
        set.Values[size_t(i)] = 70000;
    for (int i = 69; i <= 79; ++i)
        set.Values[size_t(i)] = 70000;
    set.Values[0] = 9;
    set.Values[40] = -1;
    set.Values[82] = 351;
    const std::vector<SafetyFinding> findings = CheckParameterSet({&set, nullptr, std::nullopt});
    ASSERT_EQ(findings.size(), 25u) << Describe(findings);
    const std::vector<std::string> lines = FindingLines(findings);
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines.back(), "... und 5 weitere");
    const std::string question = SafetyQuestion(findings);
    EXPECT_EQ(question.rfind("Die Sicherheitsprüfung des Parametersatzes meldet:\n\nFehler:  57  ", 0), 0u) << question;
    EXPECT_NE(question.find("\n... und 5 weitere\n\nTrotzdem in das Gerät schreiben?"), std::string::npos) << question;
}

TEST(SafetyCheck, OfAFileOnlyTheValuesItHoldsAreJudged)
{
    ParameterSet set = BoardSet();
    set.Values[0] = 200;    // read from the file: judged
    set.Values[82] = 9999;  // beyond the file's end: not the file's value
    ConfigEntriesTaken read;
    read.End = 50;
    read.Stop = ConfigReadStop::NotANumber;
    read.Line = 52;
    read.Text = "0x10";
    const std::vector<SafetyFinding> findings = CheckParameterSet({&set, nullptr, read});
    ASSERT_EQ(findings.size(), 2u) << Describe(findings);
    EXPECT_EQ(findings[0].Index, 0);
    EXPECT_EQ(FindingLine(findings[1]),
              "Fehler: die Datei enthält nur 50 von 120 Werten: Zeile 52: \"0x10\" ist keine ganze Zahl");
}

TEST(SafetyCheck, PairsSwitchedOffOrWithoutHeaterSupervisionAreNoPairs)
{
    struct Case {
        const char* what;
        std::function<void(ParameterSet&)> make;
        size_t findings;
    };
    const Case cases[] = {
        {"heater pair in order", [](ParameterSet& s) { s.Values[38] = 140; s.Values[39] = 140; }, 0},
        {"heater off, min above max", [](ParameterSet& s) { s.Values[34] = 0; s.Values[39] = 150; }, 0},
        {"quiescent max 0 (off)", [](ParameterSet& s) { s.Values[84] = 0; s.Values[85] = 300; }, 0},
        {"quiescent min above max", [](ParameterSet& s) { s.Values[84] = 200; s.Values[85] = 300; }, 1},
        {"12 V window off (start 0)", [](ParameterSet& s) { s.Values[26] = 0; s.Values[23] = 1000; }, 0},
        {"5 s limit equal to instant", [](ParameterSet& s) { s.Values[9] = 1100; }, 0},
    };
    for (const Case& c : cases) {
        ParameterSet set = BoardSet();
        c.make(set);
        EXPECT_EQ(CheckParameterSet({&set, nullptr, std::nullopt}).size(), c.findings) << c.what;
    }
}

TEST(SafetyCheck, TheFactorOfTwoIsMeasuredInTheEditorsUnits)
{
    const ParameterSet board = BoardSet();
    struct Case {
        int index;
        int32_t raw;
        bool fires;
    };
    // I-Anode max sofort 1100 mA, max 5 Sek 900 mA; MaxZeit für MaxRücklauf 5.0 s (raw 2500 in 2 ms).
    const Case cases[] = {{10, 2200, false}, {10, 2201, true}, {9, 450, false}, {9, 449, true},
                          {81, 5000, false}, {81, 5001, true}, {81, 1249, true}};
    for (const Case& c : cases) {
        ParameterSet set = board;
        set.Values[size_t(c.index)] = c.raw;
        const std::vector<SafetyFinding> findings = CheckParameterSet({&set, &board, std::nullopt});
        EXPECT_EQ(!findings.empty(), c.fires) << c.index << " = " << c.raw << Describe(findings);
    }
}
