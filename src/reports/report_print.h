#pragma once
// The report's print job on a QPrinter: a real printer, or a PDF file through the
// printer's PDF engine.
#include "report_layout.h"

#include <string>
#include <vector>

class QPrinter;

// The print job: document title, the pages of the printer's page range (both when no
// range is set), a new page between sheets. False when the printer could not start.
bool RunReportPrintJob(QPrinter& printer, const ParameterSet& params,
                       const std::vector<std::string>& deviceTypeNames);

// The same job into a PDF file, for looking at the report and for the tests.
// resolution in dots per inch; the page is A4 unless the size in millimetres is given.
bool PrintReportToPdf(const std::string& path, const ParameterSet& params,
                      const std::vector<std::string>& deviceTypeNames, int firstPage = 1,
                      int lastPage = kReportPages, int resolution = 600,
                      double pageWidthMm = 0, double pageHeightMm = 0);
