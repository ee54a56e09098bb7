#pragma once
// A TransferHost for tests of the transfers and service commands: the LinkHost part is
// a LinkTestHost (virtual clock, scripted dialogs, record of progress and status); the
// main-window part records refreshes and button switching and keeps the serial field's
// text as the window would after a refresh. Every message box is stamped with the
// virtual time at which it opened.
#include "board_config.h"
#include "virtual_board.h"
#include "transfer_host.h"
#include "fault_memory.h"
#include "link_host_forwarder.h"
#include "link_test_host.h"
#include "parameter_set.h"

#include <optional>
#include <string>
#include <vector>

class TimedDialogs : public Dialogs {
public:
    TimedDialogs(Dialogs& inner, VirtualClock& clock) : inner_(inner), clock_(clock) {}
    std::vector<int64_t> TimesUs;  // of every message box, in order

    void Beep() override { inner_.Beep(); }
    void Information(const std::string& text) override { Stamp(); inner_.Information(text); }
    void Error(const std::string& text) override { Stamp(); inner_.Error(text); }
    Answer AskYesNo(const std::string& text) override { Stamp(); return inner_.AskYesNo(text); }
    bool ConfirmOk(const std::string& text) override { Stamp(); return inner_.ConfirmOk(text); }
    std::optional<std::string> OpenFileName(const FileDialogRequest& r) override { return inner_.OpenFileName(r); }
    std::optional<std::string> SaveFileName(const FileDialogRequest& r) override { return inner_.SaveFileName(r); }

private:
    void Stamp() { TimesUs.push_back(clock_.NowUs()); }
    Dialogs& inner_;
    VirtualClock& clock_;
};

class TransferTestHost : public LinkHostForwarder<TransferHost> {
public:
    // The forwarder keeps a reference to `link`, which is built next.
    TransferTestHost(VirtualClock& clock, ParameterSet& params)
        : LinkHostForwarder(link), link(clock), timed(link.dialogs, clock), params_(params) {}

    LinkTestHost link;
    TimedDialogs timed;

    // ---- main-window record ----
    int Refreshes = 0;
    int DeviceTypeButtonEnables = 0;
    std::string SerialField = "....";
    std::optional<bool> SendSerialButton;

    Dialogs& Messages() override { return timed; }

    void RefreshMainWindow() override
    {
        ++Refreshes;
        SerialField = params_.SerialNumber;
    }
    void EnableDeviceTypeButton() override { ++DeviceTypeButtonEnables; }
    std::string SerialEditText() override { return SerialField; }
    void EnableSendSerialButton(bool on) override { SendSerialButton = on; }

private:
    ParameterSet& params_;
};

// A board with its configuration firmware on an open virtual port, a fresh parameter
// set and fault memory, and the recording host.
struct TransferRig {
    VirtualClock clock;
    VirtualBoard board{clock};
    ConfigBoard config;
    ParameterSet params;
    FaultMemory faults;
    TransferTestHost host{clock, params};

    TransferRig()
    {
        params.ValueCount = kValueCount;
        board.SetApplication(&config);
        board.SetActive(true);
    }
    std::vector<std::string> Messages() const { return host.link.dialogs.Messages(); }
    // Bytes the board got, as a string for readable comparisons.
    std::string Wire() const
    {
        std::vector<uint8_t> bytes = board.BytesReceived();
        return std::string(bytes.begin(), bytes.end());
    }
};
