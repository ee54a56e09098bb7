#include "console.h"
#include "language.h"
#include "translation.h"

#include <cctype>
#include <termios.h>
#include <istream>
#include <ostream>

std::string OneLine(const std::string& text)
{
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '\n' || text[i] == '\r') {
            while (!out.empty() && out.back() == ' ')
                out.pop_back();
            while (i < text.size() && (text[i] == '\n' || text[i] == '\r' || text[i] == ' '))
                ++i;
            if (!out.empty() && i < text.size())
                out += ' ';
            continue;
        }
        if (text[i] == ' ' && out.empty()) {
            ++i;
            continue;
        }
        out += text[i++];
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

void DiscardTerminalInput(int fd) { ::tcflush(fd, TCIFLUSH); }

void ConsoleDialogs::Show(const std::string& text)
{
    const std::string line = (subject_.empty() ? "" : subject_ + ": ") + OneLine(text);
    shown_.push_back(line);
    if (silenced_)
        return;
    last_ = line;
    if (BeforeMessage)
        BeforeMessage();
    *s_.Err << kCliName << ": " << line << "\n";
}

void ConsoleDialogs::Note(const std::string& text)
{
    if (s_.Quiet)
        return;
    if (BeforeMessage)
        BeforeMessage();
    *s_.Err << kCliName << ": " << text << "\n";
}

void ConsoleDialogs::Problem(const std::string& text)
{
    last_ = text;
    if (BeforeMessage)
        BeforeMessage();
    *s_.Err << kCliName << ": " << text << "\n";
}

bool ConsoleDialogs::Ask(const std::string& text)
{
    if (s_.AssumeYes)
        return true;
    if (!s_.InIsTerminal) {
        declined_ = true;
        if (BeforeMessage)
            BeforeMessage();
        *s_.Err << kCliName << ": " << OneLine(text) << " -- no (standard input is no terminal; --yes answers yes)\n";
        return false;
    }
    if (BeforeMessage)
        BeforeMessage();
    if (s_.DiscardTypeAhead)
        s_.DiscardTypeAhead();
    // "[j/N]" in German, "[y/N]" in English; German takes y as well.
    *s_.Err << kCliName << ": " << OneLine(text) << " " << Tr("Cli", "[j/N]") << " " << std::flush;
    std::string answer;
    if (!std::getline(*s_.In, answer))
        answer.clear();
    for (char& c : answer)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    const bool english = CurrentLanguage() == Language::English;
    const bool yes = (!english && (answer == "j" || answer == "ja")) || answer == "y" || answer == "yes";
    if (!yes)
        declined_ = true;
    return yes;
}

Answer ConsoleDialogs::AskYesNo(const std::string& text) { return Ask(text) ? Answer::Yes : Answer::No; }
bool ConsoleDialogs::ConfirmOk(const std::string& text) { return Ask(text); }

void ConsoleProgress::SetStatus(const std::string& text)
{
    if (text == status_)
        return;
    status_ = text;
    // The bar keeps its position, as the window's does beside a new status text.
    lastTenth_ = percent_ < 0 ? 0 : percent_ / 10;
    if (s_.Quiet || text.empty()) {
        EndLine();
        return;
    }
    if (s_.ErrIsTerminal) {
        Draw();
        return;
    }
    *s_.Err << kCliName << ": " << status_ << "\n";
}

void ConsoleProgress::SetProgress(int percent)
{
    if (percent == percent_)
        return;
    percent_ = percent;
    if (s_.Quiet || status_.empty())
        return;
    if (s_.ErrIsTerminal) {
        Draw();
        return;
    }
    const int tenth = percent / 10;
    if (tenth > lastTenth_)
        *s_.Err << kCliName << ": " << status_ << " " << tenth * 10 << " %\n";
    lastTenth_ = tenth;
}

void ConsoleProgress::Draw()
{
    constexpr int kBarWidth = 30;
    const int percent = percent_ < 0 ? 0 : percent_ > 100 ? 100 : percent_;
    const int filled = percent * kBarWidth / 100;
    *s_.Err << "\r\033[K" << status_ << " [" << std::string(size_t(filled), '#')
            << std::string(size_t(kBarWidth - filled), '.') << "] " << percent << " %" << std::flush;
    lineOpen_ = true;
}

void ConsoleProgress::EndLine()
{
    if (!lineOpen_)
        return;
    *s_.Err << "\n";
    lineOpen_ = false;
}
