#pragma once
// The benchmarks' message boxes: every message is printed and counted, every question
// before a board operation answered OK, file questions No.
#include "dialogs.h"

#include <cstdio>
#include <optional>
#include <string>

class BenchDialogs : public Dialogs {
public:
    int Messages = 0;
    void Beep() override {}
    void Information(const std::string& text) override { Show(text); }
    void Error(const std::string& text) override { Show(text); }
    Answer AskYesNo(const std::string&) override { return Answer::No; }
    bool ConfirmOk(const std::string&) override { return true; }
    std::optional<std::string> OpenFileName(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> SaveFileName(const FileDialogRequest&) override { return {}; }

private:
    void Show(const std::string& text)
    {
        ++Messages;
        std::printf("  message: %s\n", text.c_str());
    }
};
