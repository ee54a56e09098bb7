#pragma once
// Draws the report's item lists on a page of any size (a printer's, a PDF writer's).
// Qt GUI only: the print job on a QPrinter is report_print.h.
#include "report_layout.h"

#include <string>
#include <vector>

class QFont;
class QPainter;

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
