#include "qt_dialogs.h"
#include "translation.h"

#include "dialog_scale.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace {

QWidget* BoxParent() { return QApplication::activeWindow(); }

QString Title() { return TrQ("Window", "LCD Konfiguration"); }

// Boxes of the information kind (notices, range messages, questions about files)
// carry the title "Information"; the other kinds carry the program's title.
QString TitleFor(QMessageBox::Icon icon)
{
    return icon == QMessageBox::Information ? TrQ("Window", "Information") : Title();
}

int ShowBox(QMessageBox::Icon icon, const std::string& text, QMessageBox::StandardButtons buttons,
            QMessageBox::StandardButton escape,
            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
{
    QMessageBox box(icon, TitleFor(icon), QString::fromStdString(text), buttons, BoxParent());
    ScaleDialog(box);
    box.setEscapeButton(escape);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return box.exec();
}

std::optional<std::string> RunFileDialog(const FileDialogRequest& request, bool save)
{
    QFileDialog dialog(BoxParent());
    ScaleDialog(dialog);
    dialog.setNameFilter(ToQtFilter(request.Filter));
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (!request.InitialFolder.empty())
        dialog.setDirectory(QString::fromStdString(request.InitialFolder));
    if (!request.DefaultExtension.empty())
        dialog.setDefaultSuffix(QString::fromStdString(request.DefaultExtension));
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The program asks itself before it replaces a file.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!request.FileName.empty())
        dialog.selectFile(QString::fromStdString(request.FileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

}  // namespace

QString ToQtFilter(const std::string& filter)
{
    QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
            for (const QString& variant : {pattern, pattern.toLower(), pattern.toUpper()})
                if (!patterns.contains(variant))
                    patterns << variant;
        }
        filters << parts[i] + " (" + patterns.join(' ') + ")";
    }
    return filters.join(";;");
}

void QtDialogs::Beep() { QApplication::beep(); }

void QtDialogs::Information(const std::string& text)
{
    ShowBox(QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtDialogs::Error(const std::string& text)
{
    ShowBox(QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

Answer QtDialogs::AskYesNo(const std::string& text)
{
    QMessageBox box(QMessageBox::Information, TitleFor(QMessageBox::Information),
                    QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, BoxParent());
    ScaleDialog(box);
    int result = box.exec();
    if (result == QMessageBox::Yes)
        return Answer::Yes;
    if (result == QMessageBox::No)
        return Answer::No;
    return Answer::Closed;
}

bool QtDialogs::ConfirmOk(const std::string& text)
{
    return ShowBox(QMessageBox::Question, text, QMessageBox::Ok | QMessageBox::No,
                   QMessageBox::No)
        == QMessageBox::Ok;
}

bool QtDialogs::ConfirmOkDefaultNo(const std::string& text)
{
    return ShowBox(QMessageBox::Question, text, QMessageBox::Ok | QMessageBox::No, QMessageBox::No,
                   QMessageBox::No)
        == QMessageBox::Ok;
}

std::optional<std::string> QtDialogs::OpenFileName(const FileDialogRequest& request)
{
    return RunFileDialog(request, false);
}

std::optional<std::string> QtDialogs::SaveFileName(const FileDialogRequest& request)
{
    return RunFileDialog(request, true);
}
