#pragma once
// The console's LinkHost and its extensions for the transfers, the firmware update,
// the port search and the configuration files. The window's controls have no
// counterpart here: enabling and disabling them, the panels and the refreshes do
// nothing. Sleeps go to the environment's clock.
//
// Ctrl-C: the signal handler only sets a flag. The next sleep or message processing
// of a running exchange sees it and throws EInterrupted, a port error, so that the
// exchange ends through its own failure path (the firmware update releases the Mode
// line there); its failure messages are not shown. It throws once: the clean-up that
// follows may sleep again.
#include "config_file.h"
#include "console.h"
#include "firmware_host.h"
#include "link_host_forwarder.h"
#include "outcome.h"
#include "port_search.h"
#include "serial_port.h"
#include "transfer_host.h"

#include <functional>
#include <string>
#include <vector>

class ConsoleHost : public LinkHost {
public:
    ConsoleHost(ConsoleDialogs& dialogs, ConsoleProgress& progress, std::function<void(int)> sleep,
                std::function<bool()> interrupted);

    // True once the interrupt was seen (whether or not an exchange was running).
    bool Interrupted();

    Dialogs& Messages() override { return dialogs_; }
    void Sleep(int ms) override;
    void ProcessMessages() override;
    void SetProgress(int percent) override { progress_.SetProgress(percent); }
    void SetStatus(const std::string& text) override { progress_.SetStatus(text); }
    void EnableLinkControls(bool) override {}
    void EnableEditorControls(bool) override {}
    void PaintResetPanel(bool) override {}
    void PaintModePanel(bool) override {}

private:
    void CheckInterrupt();

    ConsoleDialogs& dialogs_;
    ConsoleProgress& progress_;
    std::function<void(int)> sleep_;
    std::function<bool()> interrupted_;
    bool seen_ = false;
    bool thrown_ = false;
};

class ConsoleTransferHost : public LinkHostForwarder<TransferHost> {
public:
    ConsoleTransferHost(LinkHost& host, const ParameterSet& params) : LinkHostForwarder(host), params_(params) {}
    void RefreshMainWindow() override {}
    void EnableDeviceTypeButton() override {}
    // There is no entry field: the serial number is the parameter set's.
    std::string SerialEditText() override { return params_.SerialNumber; }
    void EnableSendSerialButton(bool) override {}

private:
    const ParameterSet& params_;
};

// A refused page, where the window only beeps, is one line here; whether the flash
// was erased decides what a failed update tells.
class ConsoleFirmwareHost : public LinkHostForwarder<FirmwareHost> {
public:
    ConsoleFirmwareHost(LinkHost& host, ConsoleDialogs& dialogs) : LinkHostForwarder(host), dialogs_(dialogs) {}
    void EnablePortList(bool) override {}
    void FocusMainWindow() override {}
    void RepaintMainWindow() override {}
    void PageRefused(int page, int srd) override;
    void FlashErased() override { erased_ = true; }
    bool Erased() const { return erased_; }

private:
    ConsoleDialogs& dialogs_;
    bool erased_ = false;
};

// The port list of the search, kept in memory.
class ConsolePortSearchHost : public PortSearchHost {
public:
    explicit ConsolePortSearchHost(Dialogs& dialogs) : dialogs_(dialogs) {}
    Dialogs& Messages() override { return dialogs_; }
    void ClearPortList() override { ports_.clear(); selected_ = -1; }
    void AddPort(const std::string& name) override { ports_.push_back(name); }
    void SelectPort(int index) override { selected_ = index; }
    std::string PortListText() override { return text_.empty() && selected_ >= 0 ? ports_[size_t(selected_)] : text_; }
    void SetPortListText(const std::string& text) override { text_ = text; }
    void RepaintPortList() override {}
    void EnableSearchControls(bool) override {}
    void EnableLinkControls(bool) override {}
    void PlayFoundSound() override {}

private:
    Dialogs& dialogs_;
    std::vector<std::string> ports_;
    int selected_ = -1;
    std::string text_;
};

class ConsoleFileHost : public ConfigFileHost {
public:
    explicit ConsoleFileHost(Dialogs& dialogs) : dialogs_(dialogs) {}
    Dialogs& Messages() override { return dialogs_; }
    void SetCaption(const std::string&) override {}
    void SetFileLabel(const std::string&) override {}
    void RefreshMainWindow() override {}
    void EnableEditorControls(bool) override {}

private:
    Dialogs& dialogs_;
};
