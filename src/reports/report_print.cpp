#include "report_print.h"

#include "parameter_set.h"
#include "report_painter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

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
