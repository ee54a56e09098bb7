#pragma once
// What the fuzz targets share: the input as a string, a check that ends the run as a
// finding, and message boxes that answer from a fixed choice and count what they showed.
#include "dialogs.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

inline std::string InputText(const uint8_t* data, size_t size)
{
    return std::string(reinterpret_cast<const char*>(data), size);
}

// A property of the program that must hold for every input; a violation is a finding.
#define FUZZ_REQUIRE(condition)                                                        \
    do {                                                                               \
        if (!(condition)) {                                                            \
            std::fprintf(stderr, "%s:%d: property violated: %s\n", __FILE__, __LINE__, \
                         #condition);                                                  \
            std::abort();                                                              \
        }                                                                              \
    } while (0)

class CountingDialogs : public Dialogs {
public:
    explicit CountingDialogs(Answer answer = Answer::Yes) : answer_(answer) {}

    int Boxes = 0;  // message boxes and questions shown
    int Beeps = 0;
    std::string Last;  // text of the last box

    void Beep() override { ++Beeps; }
    void Information(const std::string& text) override { Show(text); }
    void Error(const std::string& text) override { Show(text); }
    Answer AskYesNo(const std::string& text) override
    {
        Show(text);
        return answer_;
    }
    bool ConfirmOk(const std::string& text) override
    {
        Show(text);
        return answer_ == Answer::Yes;
    }
    // No reader opens a file dialog.
    std::optional<std::string> OpenFileName(const FileDialogRequest&) override
    {
        FUZZ_REQUIRE(!"file dialog opened");
        return std::nullopt;
    }
    std::optional<std::string> SaveFileName(const FileDialogRequest&) override
    {
        FUZZ_REQUIRE(!"file dialog opened");
        return std::nullopt;
    }

private:
    void Show(const std::string& text)
    {
        ++Boxes;
        Last = text;
    }
    Answer answer_;
};
