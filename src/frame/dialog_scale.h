#pragma once
// Qt's own dialogs (message boxes, file and print dialogs) size their text by the
// dots per inch Qt uses for fonts, the program's windows by the screen's (screen_scale.h
// in the window). Where the two differ (Qt at 96, the screen at 120) the program's
// windows grow 1.25 times and Qt's would not: they get the difference as a larger font.
// At 96 dpi the factor is 1 and nothing changes.
#include <QFont>

class QWidget;

// Set once at start-up: the screen's dots per inch / the dots per inch of Qt's fonts.
void SetDialogScale(double factor);
double DialogScale();

// The font `factor` times as large (point or pixel size, whichever it has).
QFont ScaledFont(const QFont& font, double factor);
// Gives one of Qt's dialogs the scaled application font before it is shown.
void ScaleDialog(QWidget& dialog);
