#pragma once
// The window's message boxes and file dialogs, which fall silent once the program ends.
// Closing the window while an exchange processes its pending messages ends the program
// inside that exchange; the exchange then unwinds through its failure path on a closed
// port, and nothing of that may reach the user as a beep, a message or a question.
#include "dialogs.h"

class EndingDialogs : public Dialogs {
public:
    explicit EndingDialogs(Dialogs& inner) : inner_(inner) {}

    void Silence() { silent_ = true; }
    bool Silent() const { return silent_; }

    void Beep() override
    {
        if (!silent_) inner_.Beep();
    }
    void Information(const std::string& text) override
    {
        if (!silent_) inner_.Information(text);
    }
    void Error(const std::string& text) override
    {
        if (!silent_) inner_.Error(text);
    }
    // Questions asked after the end are declined: nothing more is started.
    Answer AskYesNo(const std::string& text) override
    {
        return silent_ ? Answer::No : inner_.AskYesNo(text);
    }
    bool ConfirmOk(const std::string& text) override { return !silent_ && inner_.ConfirmOk(text); }
    bool ConfirmOkDefaultNo(const std::string& text) override { return !silent_ && inner_.ConfirmOkDefaultNo(text); }
    std::optional<std::string> OpenFileName(const FileDialogRequest& request) override
    {
        return silent_ ? std::nullopt : inner_.OpenFileName(request);
    }
    std::optional<std::string> SaveFileName(const FileDialogRequest& request) override
    {
        return silent_ ? std::nullopt : inner_.SaveFileName(request);
    }

private:
    Dialogs& inner_;
    bool silent_ = false;
};
