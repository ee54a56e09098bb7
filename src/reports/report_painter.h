#pragma once
// Draws the report's item lists on a page of any size and runs the print job on a
// QPrinter (a real printer, or a PDF file).
#include "report_layout.h"

#include <string>
#include <vector>

class QFont;
class QPainter;
class QPrinter;

// Millimetres of the report grid to device pixels of a page of `pixels` along an axis
// that the grid spans with `extentMm`; truncated like the board maker's printout.
int ReportPixel(double mm, int pixels, double extentMm);

// Font size in points at 96 pixels per inch: trunc(3.3 · W / 203.2) for a page W pixels
// wide, so characters are about 4.4 mm high on any printer.
int ReportFontPoints(int pageWidthPixels);
QFont ReportQFont(ReportFont font, int pageWidthPixels);
// Pen of the rules, a third of a millimetre.
int ReportPenWidth(int pageWidthPixels);

// Draws the items on a page of width × height device pixels (the printable area).
void PaintReportItems(QPainter& painter, const std::vector<ReportItem>& items, int width,
                      int height);

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
