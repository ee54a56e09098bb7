#pragma once
// The two sheets of the printed report as lists of items placed in millimetres on a
// grid of 203.2 × 281.26 mm (the printer's printable area). The print job, the PDF
// output and the tests all use these lists; report_painter draws them.
#include <string>
#include <vector>

struct ParameterSet;

inline constexpr double kReportWidthMm = 203.2;
inline constexpr double kReportHeightMm = 281.26;
inline constexpr int kReportPages = 2;

enum class ReportFont {
    Title,    // sans serif, bold, underlined
    Heading,  // monospaced, underlined
    Regular,  // monospaced
};

struct ReportItem {
    enum class Kind { Text, Rule };
    Kind Type = Kind::Text;
    float X = 0;     // mm from the left edge of the printable area
    float Y = 0;     // mm from the top; a text's top-left corner, a rule's height
    float XEnd = 0;  // rules only: where the rule ends
    std::string Text;
    ReportFont Font = ReportFont::Regular;
};

// Sheet `page` (1 or 2; any other number gives an empty list). deviceTypeNames are the
// names of the device-type list; DeviceType picks one, a missing name prints empty.
std::vector<ReportItem> BuildReportPage(int page, const ParameterSet& params,
                                        const std::vector<std::string>& deviceTypeNames);

// The print job's document title: "Tavrix S<serial number> <file name>".
std::string ReportDocumentTitle(const ParameterSet& params);
