#include "report_painter.h"

#include "parameter_set.h"

#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPen>
#include <QPrinter>

#include <cmath>

int ReportPixel(double mm, int pixels, double extentMm)
{
    return static_cast<int>(std::trunc(mm * pixels / extentMm));
}

int ReportFontPoints(int pageWidthPixels)
{
    return static_cast<int>(std::trunc(3.3 * pageWidthPixels / kReportWidthMm));
}

QFont ReportQFont(ReportFont font, int pageWidthPixels)
{
    QFont qfont;
    if (font == ReportFont::Title) {
        qfont.setFamily("MS Sans Serif");
        qfont.setStyleHint(QFont::SansSerif);
        qfont.setBold(true);
        qfont.setUnderline(true);
    } else {
        qfont.setFamily("Courier New");
        qfont.setStyleHint(QFont::TypeWriter);
        qfont.setFixedPitch(true);
        qfont.setUnderline(font == ReportFont::Heading);
    }
    // Points at 96 pixels per inch, rounded to whole pixels of the page.
    const int points = ReportFontPoints(pageWidthPixels);
    qfont.setPixelSize(std::max(1, (points * 96 + 36) / 72));
    return qfont;
}

int ReportPenWidth(int pageWidthPixels)
{
    return static_cast<int>(std::trunc(pageWidthPixels / kReportWidthMm / 3));
}

void PaintReportItems(QPainter& painter, const std::vector<ReportItem>& items, int width,
                      int height)
{
    painter.save();
    painter.setPen(QPen(Qt::black, ReportPenWidth(width), Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::white);
    for (const ReportItem& item : items) {
        const int y = ReportPixel(item.Y, height, kReportHeightMm);
        const int x = ReportPixel(item.X, width, kReportWidthMm);
        if (item.Type == ReportItem::Kind::Rule) {
            painter.drawLine(x, y, ReportPixel(item.XEnd, width, kReportWidthMm), y);
            continue;
        }
        const QFont font = ReportQFont(item.Font, width);
        painter.setFont(font);
        // The position is the text's top-left corner.
        painter.drawText(x, y + QFontMetrics(font, painter.device()).ascent(),
                         QString::fromStdString(item.Text));
    }
    painter.restore();
}

bool RunReportPrintJob(QPrinter& printer, const ParameterSet& params,
                       const std::vector<std::string>& deviceTypeNames)
{
    printer.setDocName(QString::fromStdString(ReportDocumentTitle(params)));
    int first = printer.fromPage();
    int last = printer.toPage();
    if (first == 0 && last == 0) {
        first = 1;
        last = kReportPages;
    }
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const int width = printer.width();
    const int height = printer.height();
    for (int page = first; page <= last; ++page) {
        if (page != 1 && page != 2)
            break;
        PaintReportItems(painter, BuildReportPage(page, params, deviceTypeNames), width, height);
        if (page != last)
            printer.newPage();
    }
    return painter.end();
}

bool PrintReportToPdf(const std::string& path, const ParameterSet& params,
                      const std::vector<std::string>& deviceTypeNames, int firstPage,
                      int lastPage, int resolution, double pageWidthMm, double pageHeightMm)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    printer.setResolution(resolution);
    if (pageWidthMm > 0 && pageHeightMm > 0)
        printer.setPageSize(
            QPageSize(QSizeF(pageWidthMm, pageHeightMm), QPageSize::Millimeter));
    else
        printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFromTo(firstPage, lastPage);
    return RunReportPrintJob(printer, params, deviceTypeNames);
}
