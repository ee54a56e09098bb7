#include "board_port.h"

#include "download.h"
#include "fault_export.h"
#include "live_board.h"
#include "trace_port.h"

#include <cstdlib>

PortStackSetup PortStackFromEnvironment(const std::function<std::optional<std::string>(const char* name)>& variable)
{
    PortStackSetup setup;
    const std::optional<std::string> virtualBoard = variable(kVirtualBoardVariable);
    setup.VirtualRequested = virtualBoard && *virtualBoard == "1";
    if (const std::optional<std::string> trace = variable(kTraceVariable))
        setup.TracePath = *trace;
    return setup;
}

PortStackSetup PortStackFromProcessEnvironment()
{
    return PortStackFromEnvironment([](const char* name) -> std::optional<std::string> {
        if (const char* value = std::getenv(name))
            return std::string(value);
        return std::nullopt;
    });
}

BoardPort::BoardPort(BoardPortSetup setup, Dialogs& dialogs, ParameterSet& params)
    : params_(params),
      stack_(std::make_unique<PortStack>(std::move(setup.Stack))),
      tail_(std::make_unique<WireTail>(stack_->Port())),
      resetSignal_(TComSignal::Line::Dsr, std::move(setup.PaintReset)),
      modeSignal_(TComSignal::Line::Cts, std::move(setup.PaintMode)),
      events_(std::make_unique<ComPortEvents>(*tail_, dialogs, params, resetSignal_, modeSignal_))
{
    tail_->SetEvents(events_.get());
}

BoardPort::~BoardPort()
{
    // The panels may be gone already: closed without showing the lines.
    tail_->SetEvents(nullptr);
    try {
        tail_->SetActive(false);
    } catch (const EComError&) {
    }
    // The tail lets go of the stack's port before the stack goes.
    tail_.reset();
    stack_.reset();
}

void BoardPort::ShowLines()
{
    if (!tail_->Active()) {
        resetSignal_.PortClosed();
        modeSignal_.PortClosed();
        return;
    }
    unsigned status = 0;
    try {
        status = tail_->GetModemStatus();
    } catch (const EComError&) {
        status = 0;
    }
    resetSignal_.PortOpened(status);
    modeSignal_.PortOpened(status);
}

void BoardPort::CloseQuietly() noexcept
{
    try {
        events_->ClosePort();
    } catch (const EComError&) {
    }
}

Outcome BoardPort::Download(TransferHost& host, FaultMemory& faults)
{
    return EmpfangenButtonClick(*tail_, host, params_, faults);
}

BackupResult BoardPort::BackUp(const FaultMemory& faults, const std::string& root, std::time_t when)
{
    return StoreBackup(root, params_, FaultExportText(faults), BackupStamp(when));
}

BoardPort::DownloadResult BoardPort::DownloadAndBackUp(TransferHost& host, FaultMemory& faults,
                                                       const std::string& root, std::time_t when)
{
    DownloadResult result;
    result.Result = Download(host, faults);
    if (result.Result == Outcome::Done)
        result.Backup = BackUp(faults, root, when);
    return result;
}
