#pragma once
// What the program needs from the desktop to talk to the user: the beep, the four
// kinds of message box and the file dialogs. TMainForm hands the Qt implementation
// (QtDialogs) to every operation; tests hand a ScriptedDialogs that answers from a
// script and records every message in order. Message boxes never beep themselves:
// the program beeps before each one, as the board operations also beep on success.
#include <optional>
#include <string>

enum class Answer { Yes, No, Closed };

struct FileDialogRequest {
    std::string Filter;            // e.g. "LCD Konfiguration  ( *.lcd )|*.LCD|"
    std::string InitialFolder;
    std::string FileName;
    std::string DefaultExtension;  // without the point, empty for none
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual void Beep() = 0;
    // Information box with OK (notices, refusals, file errors, range messages).
    virtual void Information(const std::string& text) = 0;
    // Error box with OK (settings faults, link and programming failures).
    virtual void Error(const std::string& text) = 0;
    // Information box with Yes and No (questions about files).
    virtual Answer AskYesNo(const std::string& text) = 0;
    // Confirmation box with OK and No before a board operation; true only for OK.
    virtual bool ConfirmOk(const std::string& text) = 0;
    // The same box with No as the default button, for a question whose careless yes
    // could harm (writing a set the safety check found faults in).
    virtual bool ConfirmOkDefaultNo(const std::string& text) { return ConfirmOk(text); }

    // File dialogs: the chosen full path, or nothing when the user cancelled.
    virtual std::optional<std::string> OpenFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> SaveFileName(const FileDialogRequest& request) = 0;
};
