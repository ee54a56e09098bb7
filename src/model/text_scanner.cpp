#include "text_scanner.h"

#include <limits>

bool TextScanner::IsSeparator(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

void TextScanner::SkipSeparators()
{
    while (pos_ < text_.size() && IsSeparator(text_[pos_]))
        ++pos_;
}

std::optional<int32_t> TextScanner::ReadInt()
{
    SkipSeparators();
    size_t p = pos_;
    bool negative = false;
    if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) {
        negative = text_[p] == '-';
        ++p;
    }
    if (p >= text_.size() || text_[p] < '0' || text_[p] > '9')
        return std::nullopt;
    // Collect the magnitude in 64 bits; anything beyond the 32-bit range is refused.
    constexpr int64_t kLimit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    int64_t magnitude = 0;
    bool tooBig = false;
    while (p < text_.size() && text_[p] >= '0' && text_[p] <= '9') {
        if (!tooBig) {
            magnitude = magnitude * 10 + (text_[p] - '0');
            tooBig = magnitude > kLimit;
        }
        ++p;
    }
    pos_ = p;
    if (tooBig || (!negative && magnitude == kLimit))
        return std::nullopt;
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

std::optional<std::string> TextScanner::ReadWord(size_t maxLength)
{
    SkipSeparators();
    if (AtEnd())
        return std::nullopt;
    size_t start = pos_;
    while (pos_ < text_.size() && !IsSeparator(text_[pos_]) && pos_ - start < maxLength)
        ++pos_;
    return text_.substr(start, pos_ - start);
}

std::optional<std::string> TextScanner::ReadUpToTab()
{
    SkipSeparators();
    if (AtEnd())
        return std::nullopt;
    size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != '\t' && text_[pos_] != '\r'
           && text_[pos_] != '\n')
        ++pos_;
    size_t end = pos_;
    while (end > start && text_[end - 1] == ' ')
        --end;
    return text_.substr(start, end - start);
}

bool TextScanner::SkipLine()
{
    while (pos_ < text_.size()) {
        if (text_[pos_++] == '\n')
            return true;
    }
    return false;
}
