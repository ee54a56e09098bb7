#include "safety_check.h"
#include "translation.h"

#include <cstdio>

std::vector<SafetyFinding> CheckParameterSet(const SafetyInput& input)
{
    std::vector<SafetyFinding> findings;
    for (const SafetyRule& rule : SafetyRules())
        if (!rule.NeedsBoard || input.Board)
            rule.Check(rule, input, findings);
    // Of a file only the values it holds are judged; the others are not its own.
    if (input.File)
        std::erase_if(findings, [&](const SafetyFinding& f) {
            return f.Index >= 0 && (f.Index < input.File->First || f.Index >= input.File->End);
        });
    return findings;
}

bool HasErrors(const std::vector<SafetyFinding>& findings)
{
    for (const SafetyFinding& f : findings)
        if (f.Level == FindingLevel::Error)
            return true;
    return false;
}

std::string FindingLine(const SafetyFinding& finding)
{
    std::string line = finding.Level == FindingLevel::Error ? Tr("Safety", "Fehler") : Tr("Safety", "Warnung");
    if (finding.Index < 0)
        return line + ": " + finding.Text;
    char index[16];
    std::snprintf(index, sizeof index, "%3d", finding.Index);
    line += ": " + std::string(index) + "  " + finding.Place;
    if (!finding.Value.empty())
        line += " = " + finding.Value;
    return line + ": " + finding.Text;
}

std::vector<std::string> FindingLines(const std::vector<SafetyFinding>& findings, size_t shown)
{
    std::vector<std::string> lines;
    for (size_t i = 0; i < findings.size() && i < shown; ++i)
        lines.push_back(FindingLine(findings[i]));
    if (findings.size() > shown)
        lines.push_back(Fill(Tr("Safety", "... und %1 weitere"), {std::to_string(findings.size() - shown)}));
    return lines;
}

std::string SafetyQuestion(const std::vector<SafetyFinding>& findings)
{
    std::string listing;
    for (const std::string& line : FindingLines(findings))
        listing += line + "\n";
    return Fill(Tr("Safety", "Die Sicherheitsprüfung des Parametersatzes meldet:\n\n%1\nTrotzdem in das Gerät schreiben?"),
                {listing});
}
