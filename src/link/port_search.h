#pragma once
// The search for the board's port, the open test of a port and the choice of a port
// from the list. The main window implements PortSearchHost (its port list ComboBox,
// SuchenButton, EnableLinkControls, the found tone).
#include "dialogs.h"
#include "parameter_set.h"
#include "port_discovery.h"
#include "serial_port.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class PortSearchHost {
public:
    virtual ~PortSearchHost() = default;
    virtual Dialogs& Messages() = 0;
    // The port list (ComboBox).
    virtual void ClearPortList() = 0;
    virtual void AddPort(const std::string& name) = 0;
    virtual void SelectPort(int index) = 0;
    virtual std::string PortListText() = 0;
    virtual void SetPortListText(const std::string& text) = 0;
    virtual void RepaintPortList() = 0;
    // SuchenButton and ComboBox together.
    virtual void EnableSearchControls(bool on) = 0;
    virtual void EnableLinkControls(bool on) = 0;
    virtual void PlayFoundSound() = 0;
};

struct PortSearch {
    SerialPort& Port;
    PortDiscovery& Discovery;
    PortSearchHost& Host;
    ParameterSet& Params;
    // Cause of a failed open test for the diagnostics, one line each (OpenFailureCause
    // in the program).
    std::function<std::string(const std::string&, int)> Cause;
};

// A PortSearch on the real platform: OpenFailureCause.
PortSearch MakePortSearch(SerialPort& port, PortDiscovery& discovery, PortSearchHost& host, ParameterSet& params);

// What follows kBoardConverterPrefix in the first device name that begins with it (the
// converter's serial number and interface letter): the board's converter.
std::optional<std::string> FindBoardConverter(const std::vector<std::string>& devices);

void SearchBoardPort(PortSearch& search);
// The open test is the real, exclusive opening of the port, kept when it succeeds:
// every opening raises DTR on Linux, and the board takes a second one for a reset.
bool TestOpenPort(PortSearch& search, const std::string& name);
void ComboBoxChange(PortSearch& search);
