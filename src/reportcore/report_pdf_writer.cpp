#include "report_pdf_writer.h"

#include "report_layout.h"
#include "report_painter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

bool WriteReportPdf(const std::string& path, const ParameterSet& params,
                    const std::vector<std::string>& deviceTypeNames, int resolution)
{
    QPdfWriter writer(QString::fromStdString(path));
    writer.setResolution(resolution);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(QPageLayout::Portrait);
    writer.setTitle(QString::fromStdString(ReportDocumentTitle(params)));
    writer.setCreator("lcdkonfig");
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int page = 1; page <= kReportPages; ++page) {
        if (page > 1)
            writer.newPage();
        PaintReportItems(painter, BuildReportPage(page, params, deviceTypeNames), writer.width(),
                         writer.height());
    }
    return painter.end();
}
