#include "info_form.h"
#include "fixed_size_hints.h"
#include "translation.h"

#include "parameter_set.h"

#include <QLabel>

namespace {

QLabel* CentredLine(QWidget* parent, const char* name, const QString& text, int y, bool underline)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font("Arial");
    font.setPixelSize(19);
    font.setUnderline(underline);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(0, y, parent->width(), 28);
    return label;
}

}  // namespace

TInfoForm::TInfoForm(const ParameterSet& params, QWidget* parent)
    : QDialog(parent), params_(params)
{
    setObjectName("TInfoForm");
    setWindowTitle(TrQ("Window", "Information"));
    // A dialog frame with only the close box; this window does not scale.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(330, 110);
    new FixedSizeHints(this);
    Label1 = CentredLine(this, "Label1", TrQ("Window", "Konfiguration LCD-Anzeige"), 24, true);
    Label2 = CentredLine(this, "Label2", TrQ("Window", "Version"), 60, false);
}

void TInfoForm::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TInfoForm::FormShow()
{
    Label2->setText(TrQ("Window", "Version %1").arg(QString::fromStdString(params_.ProgramVersion)));
}
