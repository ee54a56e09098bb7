#include "report_painter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

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
