#pragma once
// Reads the program's small text files the way the board tools always have: numbers
// and words separated by any run of blanks, tabs and line ends, and "skip the rest of
// this line" for comments. Works on the raw Windows-1252 bytes of a file; callers
// convert the words they keep.
#include <cstdint>
#include <optional>
#include <string>

class TextScanner {
public:
    explicit TextScanner(std::string bytes) : text_(std::move(bytes)) {}

    // Blanks, tabs, CR, LF, vertical tab and form feed.
    static bool IsSeparator(char c);

    void SkipSeparators();
    // An optionally signed decimal after any separators. Fails (nothing) when no digit
    // follows or the number does not fit a signed 32-bit value.
    std::optional<int32_t> ReadInt();
    // The next run of non-separator characters, at most maxLength of them (the rest
    // stays for the next read). Fails at the end of the text.
    std::optional<std::string> ReadWord(size_t maxLength = std::string::npos);
    // After leading separators: the characters up to a tab or the line end, without
    // trailing blanks. Keeps blanks inside (a folder "C:/Eigene Dateien" stays whole).
    std::optional<std::string> ReadUpToTab();
    // Reads up to and including the next line feed; false when the text ends first.
    bool SkipLine();

    bool AtEnd() const { return pos_ >= text_.size(); }
    // How far the reading has come, in bytes from the start.
    size_t Position() const { return pos_; }

private:
    std::string text_;
    size_t pos_ = 0;
};
