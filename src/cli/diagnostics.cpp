#include "diagnostics.h"

#include "console.h"

#include <iostream>

Diagnostics::Diagnostics(std::ostream& err, bool verbose, std::function<void()> beforeLine)
    : err_(err), verbose_(verbose), beforeLine_(std::move(beforeLine)), stream_(this),
      previous_(std::cerr.rdbuf(this))
{
}

Diagnostics::~Diagnostics()
{
    std::cerr.rdbuf(previous_);
    if (!pending_.empty())
        Line(pending_);
}

void Diagnostics::Line(const std::string& text)
{
    if (!verbose_)
        return;
    std::string line = text;
    // The core names the window program; here the line belongs to this one.
    const std::string windowPrefix = "lcdkonfig: ";
    if (line.rfind(windowPrefix, 0) == 0)
        line.erase(0, windowPrefix.size());
    if (beforeLine_)
        beforeLine_();
    err_ << kCliName << ": " << line << "\n";
}

int Diagnostics::overflow(int c)
{
    if (c == traits_type::eof())
        return traits_type::not_eof(c);
    if (c == '\n') {
        Line(pending_);
        pending_.clear();
    } else {
        pending_ += char(c);
    }
    return c;
}
