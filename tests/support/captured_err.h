#pragma once
// Standard error while it lives, for tests of what the window writes there.
#include <iostream>
#include <sstream>
#include <string>

class CapturedErr {
public:
    CapturedErr() : previous_(std::cerr.rdbuf(text_.rdbuf())) {}
    ~CapturedErr() { std::cerr.rdbuf(previous_); }
    CapturedErr(const CapturedErr&) = delete;
    CapturedErr& operator=(const CapturedErr&) = delete;
    std::string Text() const { return text_.str(); }

private:
    std::ostringstream text_;
    std::streambuf* previous_;
};
