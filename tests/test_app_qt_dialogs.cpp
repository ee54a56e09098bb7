#include "qt_dialogs.h"
#include "qt_translation.h"
#include "dialog_scale.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
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

namespace {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Answers the next modal message box with `answer` and records what it showed.
void AnswerNextBox(SeenBox& seen, QMessageBox::StandardButton answer)
{
    QTimer::singleShot(0, [&seen, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
        box->button(answer)->click();
    });
}

}  // namespace

// Range messages, file notices and file questions come in boxes of the information
// kind, titled "Information" like every such box of the program.
TEST(QtDialogs, InformationBoxesAreTitledInformation)
{
    QApplication::setApplicationName("LCD Konfiguration");
    QtDialogs dialogs;

    SeenBox seen;
    AnswerNextBox(seen, QMessageBox::Ok);
    dialogs.Information("Gültige Eingaben sind 1 sek bis 65000 sek !");
    EXPECT_EQ(seen.title.toStdString(), "Information");
    EXPECT_EQ(seen.text.toStdString(), "Gültige Eingaben sind 1 sek bis 65000 sek !");
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    AnswerNextBox(seen, QMessageBox::No);
    EXPECT_EQ(dialogs.AskYesNo("abc.lcd\nist schon vorhanden."), Answer::No);
    EXPECT_EQ(seen.title.toStdString(), "Information");
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);

    AnswerNextBox(seen, QMessageBox::Yes);
    EXPECT_EQ(dialogs.AskYesNo("Trotzdem laden?"), Answer::Yes);

    AnswerNextBox(seen, QMessageBox::Ok);
    dialogs.Error("LCD Gerätetyp.ini  ist fehlerhaft!");
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    AnswerNextBox(seen, QMessageBox::No);
    EXPECT_FALSE(dialogs.ConfirmOk("Fehlerspeicher löschen?"));
    EXPECT_EQ(seen.buttons, QMessageBox::Ok | QMessageBox::No);
    AnswerNextBox(seen, QMessageBox::Ok);
    EXPECT_TRUE(dialogs.ConfirmOk("Fehlerspeicher löschen?"));
}

// Qt's standard dialogs in German, as the rest of the program; English when chosen.
TEST(QtDialogs, StandardDialogsSpeakGerman)
{
    ASSERT_TRUE(UseQtTranslation("de"));
    auto buttonTexts = [] {
        QMessageBox box(QMessageBox::Information, "Information", "x",
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
        QStringList texts;
        for (QMessageBox::StandardButton b :
             {QMessageBox::Yes, QMessageBox::No, QMessageBox::Ok, QMessageBox::Cancel})
            texts << box.button(b)->text().remove('&');
        return texts;
    };
    EXPECT_EQ(buttonTexts(), (QStringList{"Ja", "Nein", "OK", "Abbrechen"}));
    QFileDialog save;
    save.setAcceptMode(QFileDialog::AcceptSave);
    EXPECT_EQ(save.windowTitle(), "Speichern unter");

    ASSERT_TRUE(UseQtTranslation("en"));
    EXPECT_EQ(buttonTexts(), (QStringList{"Yes", "No", "OK", "Cancel"}));
    ASSERT_TRUE(UseQtTranslation("de"));
    EXPECT_EQ(buttonTexts()[0], "Ja");
    EXPECT_FALSE(UseQtTranslation("xx"));  // not installed: English again
    EXPECT_EQ(buttonTexts()[0], "Yes");
    UseQtTranslation("en");
}

// At 120 dpi on a screen where Qt's fonts count 96, the program's windows grow 1.25
// times; Qt's message boxes and file dialogs get a font 1.25 times as large. At 96 dpi
// they keep Qt's own font.
TEST(QtDialogs, QtsDialogsTakeTheScaleOfTheProgramsWindows)
{
    const QFont standard = QApplication::font("QMessageBox");
    ASSERT_GT(standard.pointSizeF(), 0);
    QtDialogs dialogs;
    auto boxFont = [&dialogs] {
        QFont seen;
        QTimer::singleShot(0, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen = box->font();
            box->button(QMessageBox::Ok)->click();
        });
        dialogs.Information("Gültige Eingaben sind 1 V bis 65000 V !");
        return seen;
    };
    auto fileDialogFont = [&dialogs] {
        QFont seen;
        QTimer::singleShot(0, [&seen] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            seen = dialog->font();
            dialog->reject();
        });
        dialogs.OpenFileName({"LCD Konfiguration (*.lcd)|*.LCD|", "/tmp", "", ""});
        return seen;
    };

    SetDialogScale(1.0);
    EXPECT_DOUBLE_EQ(boxFont().pointSizeF(), standard.pointSizeF());
    SetDialogScale(1.25);
    EXPECT_DOUBLE_EQ(boxFont().pointSizeF(), standard.pointSizeF() * 1.25);
    EXPECT_DOUBLE_EQ(fileDialogFont().pointSizeF(), QApplication::font("QFileDialog").pointSizeF() * 1.25);
    SetDialogScale(1.0);

    QFont pixels("Arial");
    pixels.setPixelSize(16);
    EXPECT_EQ(ScaledFont(pixels, 1.25).pixelSize(), 20);
}
