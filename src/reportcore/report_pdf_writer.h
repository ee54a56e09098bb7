#pragma once
// The two-page report as a PDF file through Qt GUI's PDF writer: the same item lists
// and painter as the printed report, on an A4 page with the printer's default margins,
// so that the file looks like the window's PDF printout. Needs a QGuiApplication (the
// offscreen platform will do), no printer and no widgets.
#include <string>
#include <vector>

struct ParameterSet;

// False when the file could not be written.
bool WriteReportPdf(const std::string& path, const ParameterSet& params,
                    const std::vector<std::string>& deviceTypeNames, int resolution = 600);
