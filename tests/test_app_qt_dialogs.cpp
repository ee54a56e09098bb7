#include "qt_dialogs.h"

#include <QFileDialog>
#include <gtest/gtest.h>

TEST(QtDialogs, FiltersMatchBothLetterCases)
{
    EXPECT_EQ(ToQtFilter("LCD Konfiguration  ( *.lcd )|*.LCD|").toStdString(),
              "LCD Konfiguration  ( *.lcd ) (*.LCD *.lcd)");
    EXPECT_EQ(ToQtFilter("Motorola S-Record (*.mot)|*.mot;*.s19|Alle|*.*|").toStdString(),
              "Motorola S-Record (*.mot) (*.mot *.MOT *.s19 *.S19);;Alle (*.*)");

    // Qt takes the patterns from the last parentheses.
    QFileDialog dialog;
    dialog.setNameFilter(ToQtFilter("LCD Konfiguration (*.lcd)|*.LCD|"));
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    EXPECT_EQ(dialog.nameFilters().size(), 1);
    EXPECT_TRUE(dialog.nameFilters()[0].endsWith("(*.LCD *.lcd)"));
}
