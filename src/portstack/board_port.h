#pragma once
// The board's port as both programs hold it: the port stack (real tty or virtual
// board, the trace), the wire tail on top, the two line watchers ("Reset" on DSR,
// "P-Mode" on CTS) and the receiver of the port's events, which shows a line error
// and closes the port. Also the two steps every client repeats: the quiet close and
// "download, then back up".
#include "backups.h"
#include "com_signal.h"
#include "fault_memory.h"
#include "outcome.h"
#include "port_stack.h"
#include "transfer_host.h"
#include "wire_tail.h"

#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// LCDKONFIG_VIRTUAL_BOARD=1 brings the virtual board in, LCDKONFIG_TRACE=<file> the
// wire trace. `variable` answers for the program's environment.
PortStackSetup PortStackFromEnvironment(const std::function<std::optional<std::string>(const char* name)>& variable);
// The same from the process's environment.
PortStackSetup PortStackFromProcessEnvironment();

struct BoardPortSetup {
    PortStackSetup Stack;
    // Paint the "Reset" and "P-Mode" panels each time a line's state is shown; empty
    // where there are no panels.
    std::function<void(bool on)> PaintReset;
    std::function<void(bool on)> PaintMode;
};

class BoardPort {
public:
    // `dialogs` shows a line error, `params` names the port in it.
    BoardPort(BoardPortSetup setup, Dialogs& dialogs, ParameterSet& params);
    // Closes the port quietly (without painting the panels).
    ~BoardPort();
    BoardPort(const BoardPort&) = delete;
    BoardPort& operator=(const BoardPort&) = delete;

    // The port every exchange and the port search use.
    SerialPort& Port() { return *tail_; }
    PortStack& Stack() { return *stack_; }
    PortDiscovery& Discovery() { return stack_->Discovery(); }
    LiveBoard* Virtual() { return stack_->Virtual(); }
    ComPortEvents& Events() { return *events_; }
    const WireTail& Tail() const { return *tail_; }
    const TComSignal& ResetSignal() const { return resetSignal_; }
    const TComSignal& ModeSignal() const { return modeSignal_; }

    // Shows both panels as the lines are now: off while the port is closed, and for a
    // port without modem lines.
    void ShowLines();
    // Closes the port and shows both lines off. A close that fails (the device is
    // gone) leaves nothing else to do.
    void CloseQuietly() noexcept;

    // "Vom Gerät zum PC" into `params` and `faults`.
    Outcome Download(TransferHost& host, FaultMemory& faults);
    // The backup of what the last download read, under `root` with the time `when`.
    BackupResult BackUp(const FaultMemory& faults, const std::string& root, std::time_t when);
    // Both; the backup only after a download that is Done.
    struct DownloadResult {
        Outcome Result = Outcome::BoardFailed;
        std::optional<BackupResult> Backup;
    };
    DownloadResult DownloadAndBackUp(TransferHost& host, FaultMemory& faults, const std::string& root,
                                     std::time_t when);

private:
    ParameterSet& params_;
    std::unique_ptr<PortStack> stack_;
    std::unique_ptr<WireTail> tail_;
    TComSignal resetSignal_;
    TComSignal modeSignal_;
    std::unique_ptr<ComPortEvents> events_;
};
