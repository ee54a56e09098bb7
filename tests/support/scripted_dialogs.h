#pragma once
// Test double of Dialogs: answers questions and file dialogs from queues that the
// test fills beforehand, and records every beep and message in order. A question or
// file dialog that the test did not script fails the test (no real box ever opens).
#include "dialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

class ScriptedDialogs : public Dialogs {
public:
    enum class Kind { Beep, Information, Error, YesNo, ConfirmOk, ConfirmDefaultNo, OpenFile, SaveFile };
    struct Event {
        Kind kind;
        std::string text;  // message text, or the dialog's filter for file dialogs
    };

    // Script.
    void AnswerYesNo(Answer answer) { yesNo_.push_back(answer); }
    void AnswerConfirm(bool ok) { confirm_.push_back(ok); }
    void ChooseOpen(std::optional<std::string> path) { open_.push_back(std::move(path)); }
    void ChooseSave(std::optional<std::string> path) { save_.push_back(std::move(path)); }

    // Record.
    const std::vector<Event>& Events() const { return events_; }
    std::vector<std::string> Messages() const;   // texts of all message boxes, in order
    int Beeps() const;
    const std::vector<FileDialogRequest>& FileRequests() const { return requests_; }
    // "beep", "info:<text>", "error:<text>", "yesno:<text>", "confirm:<text>",
    // "confirm-no-first:<text>" (No the default button), ...
    std::vector<std::string> Log() const;
    void Clear() { events_.clear(); requests_.clear(); }
    bool ScriptUsedUp() const
    {
        return yesNo_.empty() && confirm_.empty() && open_.empty() && save_.empty();
    }

    void Beep() override;
    void Information(const std::string& text) override;
    void Error(const std::string& text) override;
    Answer AskYesNo(const std::string& text) override;
    bool ConfirmOk(const std::string& text) override;
    bool ConfirmOkDefaultNo(const std::string& text) override;
    std::optional<std::string> OpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> SaveFileName(const FileDialogRequest& request) override;

private:
    bool Confirm(Kind kind, const std::string& text);

    std::vector<Event> events_;
    std::vector<FileDialogRequest> requests_;
    std::deque<Answer> yesNo_;
    std::deque<bool> confirm_;
    std::deque<std::optional<std::string>> open_;
    std::deque<std::optional<std::string>> save_;
};
