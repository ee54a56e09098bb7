#include "console_host.h"
#include "translation.h"

#include <cstdio>

#include <chrono>
#include <thread>

ConsoleHost::ConsoleHost(ConsoleDialogs& dialogs, ConsoleProgress& progress, std::function<void(int)> sleep,
                         std::function<bool()> interrupted)
    : dialogs_(dialogs), progress_(progress), sleep_(std::move(sleep)), interrupted_(std::move(interrupted))
{
    if (!sleep_)
        sleep_ = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
}

bool ConsoleHost::Interrupted()
{
    if (!seen_ && interrupted_ && interrupted_())
        seen_ = true;
    return seen_;
}

void ConsoleHost::CheckInterrupt()
{
    if (thrown_ || !Interrupted())
        return;
    thrown_ = true;
    dialogs_.Silence(true);
    progress_.EndLine();
    throw EInterrupted();
}

void ConsoleHost::Sleep(int ms)
{
    CheckInterrupt();
    sleep_(ms);
    CheckInterrupt();
}

void ConsoleHost::ProcessMessages() { CheckInterrupt(); }

void ConsoleFirmwareHost::PageRefused(int page, int srd)
{
    char address[8], status[8];
    std::snprintf(address, sizeof address, "%04X", unsigned(page) & 0xFFFFu);
    std::snprintf(status, sizeof status, "%02X", unsigned(srd) & 0xFFu);
    dialogs_.Problem(Fill(Tr("Cli", "Seite 0x%1 nicht programmiert: der Boot-ROM meldet den Status 0x%2"),
                          {address, status}));
}
