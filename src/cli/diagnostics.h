#pragma once
// The causes the core writes to standard error ("lcdkonfig: /dev/ttyUSB0: permission
// denied.", the port error's errno text, the flash's expected and found byte) reach
// the user of lcdkonfig-cli only with -v, as "lcdkonfig-cli: ..." lines. For as long
// as a Diagnostics lives, std::cerr goes through it.
#include <functional>
#include <iosfwd>
#include <ostream>
#include <streambuf>
#include <string>

class Diagnostics : public std::streambuf {
public:
    // `err` receives the lines when `verbose`; `beforeLine` runs before each.
    Diagnostics(std::ostream& err, bool verbose, std::function<void()> beforeLine);
    ~Diagnostics() override;
    Diagnostics(const Diagnostics&) = delete;
    Diagnostics& operator=(const Diagnostics&) = delete;

    // A stream of its own for causes handed over explicitly (the port search's).
    std::ostream& Stream() { return stream_; }
    // Writes one cause line (without its newline).
    void Line(const std::string& text);

protected:
    int overflow(int c) override;

private:
    std::ostream& err_;
    bool verbose_;
    std::function<void()> beforeLine_;
    std::string pending_;
    std::ostream stream_;
    std::streambuf* previous_;
};
