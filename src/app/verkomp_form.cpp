#include "verkomp_form.h"
#include "fixed_size_hints.h"
#include "translation.h"

#include <QLabel>

namespace {

QLabel* Text(QWidget* parent, const QString& text, int x, int y, int width)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, width, 20);
    return label;
}

}  // namespace

TVerKompForm::TVerKompForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("TVerKompForm");
    setWindowTitle(TrQ("Window", "Versionskompatibilität"));
    setFixedSize(420, 150);
    new FixedSizeHints(this);
    QFont font("Arial");
    font.setPixelSize(13);
    setFont(font);
    Text(this, TrQ("Window", "Kompatibilitätsliste für <span style=\"color:#ff0000\">KonfigVersion 2</span>"), 16,
         12, 390);
    Text(this, TrQ("Window", "(ist in  PC-Programm und  Platinenfirmware eingetragen)"), 16, 36, 390);
    Text(this, TrQ("Window", "PC-Programm"), 40, 76, 150);
    Text(this, TrQ("Window", "Platinenfirmware"), 220, 76, 150);
    Text(this, "7.3", 40, 100, 150);
    Text(this, "7.5", 220, 100, 150);
}
