#pragma once
// Dialogs on the desktop: the system beep, Qt message boxes of the four kinds and the
// Qt file dialogs.
#include "dialogs.h"

#include <QString>

class QWidget;

class QtDialogs : public Dialogs {
public:
    void Beep() override;
    void Information(const std::string& text) override;
    void Error(const std::string& text) override;
    Answer AskYesNo(const std::string& text) override;
    bool ConfirmOk(const std::string& text) override;
    bool ConfirmOkDefaultNo(const std::string& text) override;
    std::optional<std::string> OpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> SaveFileName(const FileDialogRequest& request) override;
};

// "LCD Konfiguration  ( *.lcd )|*.LCD|" -> "LCD Konfiguration  ( *.lcd ) (*.LCD *.lcd)":
// the patterns in both letter cases, since Linux file names are case-sensitive.
QString ToQtFilter(const std::string& filter);
