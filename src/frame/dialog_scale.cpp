#include "dialog_scale.h"

#include <QApplication>
#include <QWidget>

#include <cmath>

namespace {

double factor_ = 1.0;

// Factors this close to 1 are rounding, not another screen.
constexpr double kSameScale = 0.01;

}  // namespace

void SetDialogScale(double factor) { factor_ = factor > 0 ? factor : 1.0; }

double DialogScale() { return factor_; }

QFont ScaledFont(const QFont& font, double factor)
{
    QFont scaled = font;
    if (font.pointSizeF() > 0)
        scaled.setPointSizeF(font.pointSizeF() * factor);
    else if (font.pixelSize() > 0)
        scaled.setPixelSize(int(std::lround(font.pixelSize() * factor)));
    return scaled;
}

void ScaleDialog(QWidget& dialog)
{
    if (std::abs(factor_ - 1.0) < kSameScale)
        return;
    dialog.setFont(ScaledFont(QApplication::font(&dialog), factor_));
}
