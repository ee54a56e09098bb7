#pragma once
// The console the exchanges talk to instead of a window: messages on one line of
// standard error, questions answered on the terminal, progress as a bar (terminal) or
// as plain lines, the interrupt, and diagnostics only with -v.
#include "dialogs.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

inline constexpr const char* kCliName = "lcdkonfig-cli";

// A message box's text on one line: every run of line ends, with the blanks around
// it, becomes one blank; blanks at the start and end go. "     Gerät antwortet
// nicht!\n\nMögliche Gründe, z.B.:\n..." reads "Gerät antwortet nicht! Mögliche
// Gründe, z.B.: ...". Blanks inside a line stay as the text has them.
std::string OneLine(const std::string& text);

// Throws away what was typed on the terminal `fd` and not yet read.
void DiscardTerminalInput(int fd);

struct ConsoleSettings {
    std::istream* In = nullptr;
    std::ostream* Err = nullptr;
    bool InIsTerminal = false;
    bool ErrIsTerminal = false;
    bool Quiet = false;
    bool Verbose = false;
    bool AssumeYes = false;  // --yes: every question is answered yes without asking
    // Called just before a question is shown on the terminal: an answer typed ahead
    // (during the 7 s of a read) must not answer a question not yet asked.
    std::function<void()> DiscardTypeAhead;
};

// Dialogs on the console. Every message is one line "lcdkonfig-cli: <text>"; a
// question is asked on standard error and answered on standard input (j, ja, y, yes),
// unless --yes answers it; without a terminal and without --yes it is answered no.
class ConsoleDialogs : public Dialogs {
public:
    explicit ConsoleDialogs(const ConsoleSettings& settings) : s_(settings) {}

    // Messages shown, in order (their one-line form).
    const std::vector<std::string>& Shown() const { return shown_; }
    // True when a question was answered no.
    bool Declined() const { return declined_; }
    // After an interrupt the exchange's own failure messages are not shown: the
    // program says once that it was interrupted.
    void Silence(bool on) { silenced_ = on; }
    // Written before a message, so that a progress bar's line is ended first.
    std::function<void()> BeforeMessage;
    // The file the messages are about ("<file>: <text>"); empty: none.
    void SetSubject(const std::string& subject) { subject_ = subject; }
    const std::string& Subject() const { return subject_; }
    // The last message or problem line, as shown without the program's name.
    const std::string& Last() const { return last_; }

    void Beep() override {}
    void Information(const std::string& text) override { Show(text); }
    void Error(const std::string& text) override { Show(text); }
    Answer AskYesNo(const std::string& text) override;
    bool ConfirmOk(const std::string& text) override;
    std::optional<std::string> OpenFileName(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> SaveFileName(const FileDialogRequest&) override { return std::nullopt; }

    // A line of the program's own ("lcdkonfig-cli: " + text), not shown with -q
    // unless it is an error.
    void Note(const std::string& text);
    void Problem(const std::string& text);

private:
    void Show(const std::string& text);
    bool Ask(const std::string& text);

    ConsoleSettings s_;
    std::vector<std::string> shown_;
    bool declined_ = false;
    bool silenced_ = false;
    std::string subject_;
    std::string last_;
};

// While it lives, the messages name the file they are about.
class MessageSubject {
public:
    MessageSubject(ConsoleDialogs& dialogs, const std::string& subject) : dialogs_(dialogs), previous_(dialogs.Subject())
    {
        dialogs_.SetSubject(subject);
    }
    ~MessageSubject() { dialogs_.SetSubject(previous_); }
    MessageSubject(const MessageSubject&) = delete;
    MessageSubject& operator=(const MessageSubject&) = delete;

private:
    ConsoleDialogs& dialogs_;
    std::string previous_;
};

// The progress of an exchange: the status label's text and the bar. On a terminal one
// line redrawn in place, "Konfiguration und Fehlerspeicher lesen [#####.....]  50 %";
// otherwise one plain line per phase and per 10 %.
class ConsoleProgress {
public:
    explicit ConsoleProgress(const ConsoleSettings& settings) : s_(settings) {}
    void SetStatus(const std::string& text);
    void SetProgress(int percent);
    // Ends the redrawn line (before a message, and at the end).
    void EndLine();

private:
    void Draw();
    ConsoleSettings s_;
    std::string status_;
    int percent_ = -1;
    int lastTenth_ = -1;
    bool lineOpen_ = false;
};
