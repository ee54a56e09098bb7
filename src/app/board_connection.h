#pragma once
// Everything of the main window that talks to the board: the port stack (the real
// tty, or the virtual board when it was asked for, and the wire trace), the two line
// watchers, the port search, and the handlers of the transfer, firmware and service
// controls. A successful download also leaves a backup (board_port.h).
#include "board_port.h"
#include "firmware_host.h"
#include "hotplug.h"
#include "link_host_forwarder.h"
#include "live_board.h"
#include "port_discovery.h"
#include "parameter_set.h"
#include "port_search.h"
#include "transfer_host.h"

#include <functional>
#include <memory>
#include <optional>


class QTimer;
class SoundPlayer;
class TMainForm;

// What a BoardConnection is built from. Empty members take the program's defaults:
// the Linux port discovery and, with LCDKONFIG_VIRTUAL_BOARD=1, a live virtual board.
struct BoardSetup {
    std::unique_ptr<PortDiscovery> Discovery;
    std::unique_ptr<LiveBoard> Virtual;
    // Ttys that come and go; with the platform's discovery (Discovery empty) the
    // platform's udev monitor or sysfs poll, otherwise none unless given.
    std::unique_ptr<HotplugSource> Hotplug;
    // The driver of the real port (the kernel when empty; a pty rig in tests) and how
    // often its checker looks (0: the port's own interval).
    TtyDriver* Driver = nullptr;
    int CheckIntervalMs = 0;
    bool NoVirtualBoard = false;  // ignore the environment
    bool Trace = true;            // honour LCDKONFIG_TRACE
    bool LiveTicks = true;        // let a live board act while the program is idle
};

class BoardConnection : public PortSearchHost {
public:
    BoardConnection(TMainForm& form, BoardSetup setup);
    ~BoardConnection() override;

    SerialPort& Port() { return board_->Port(); }
    LiveBoard* Virtual() { return board_->Virtual(); }
    SoundPlayer& Sound() { return *sound_; }

    void SearchBoardPort();
    void ComboBoxChange();
    void ClosePort();
    void ResetPanelClick();
    void ModePanelClick();

    // True while an exchange with the board runs; a second one does not start then.
    bool ExchangeRunning() const { return busy_; }
    // True while the live board's timer waits for the board's next event.
    bool LiveTicking() const;

    // The exchanges; each returns what became of it (Declined also when one ran
    // already and this one did not start).
    Outcome EmpfangenButtonClick();
    Outcome SendenButtonClick();
    Outcome FirmwareButtonClick();
    Outcome BetriebsZeitLoeButtonClick();
    Outcome FehlerSpeicherLoeButtonClick();
    Outcome KennungLoeButtonClick();
    Outcome Button1Click();
    Outcome SendSerienNrButtonClick();

    // PortSearchHost.
    Dialogs& Messages() override;
    void ClearPortList() override;
    void AddPort(const std::string& name) override;
    void SelectPort(int index) override;
    std::string PortListText() override;
    void SetPortListText(const std::string& text) override;
    void RepaintPortList() override;
    void EnableSearchControls(bool on) override;
    void EnableLinkControls(bool on) override;
    void PlayFoundSound() override;

private:
    class WindowTransferHost;
    class WindowFirmwareHost;
    PortSearch MakeSearch();
    // Runs one exchange (or a port change) unless one runs already; then nothing
    // happens, nothing is sent and the outcome is Declined.
    Outcome Exchange(const std::function<Outcome()>& run);
    void OnHotplug(const HotplugEvent& event);
    // Lets the live board catch up when its next event is due.
    void ArmLiveTicks();
    void RememberOpenNode();
    // The safety check before "Vom PC zum Gerät": true when it found nothing or the
    // user chose to write all the same.
    bool PassesSafetyCheck();

    TMainForm& form_;
    std::unique_ptr<BoardPort> board_;
    std::unique_ptr<WindowTransferHost> transferHost_;
    std::unique_ptr<WindowFirmwareHost> firmwareHost_;
    SoundPlayer* sound_;
    QTimer* liveTicks_ = nullptr;
    std::unique_ptr<HotplugSource> hotplug_;
    bool busy_ = false;
    bool searched_ = false;       // the start-up search has run
    bool searchPending_ = false;  // a converter came while an exchange ran
    std::string openNode_;        // the open port's device file, links resolved
    // What the last download read: the board's set the safety check compares with.
    std::optional<ParameterSet> boardSet_;
};
