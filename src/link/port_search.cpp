#include "port_search.h"
#include "translation.h"

#include "diagnostics_sink.h"
#include "port_open.h"

#include <cerrno>
#include <sstream>

namespace {

void Fail(PortSearch& search, const std::string& text)
{
    search.Host.Messages().Beep();
    search.Host.Messages().Error(text);
}

// The search ends with the port list usable again.
void ReleaseList(PortSearch& search)
{
    search.Host.EnableSearchControls(true);
    search.Host.RepaintPortList();
}

void ForgetLines(ParameterSet& params)
{
    params.ModeLineOn = 0;
    params.ResetLineOn = 0;
}

}  // namespace

std::optional<std::string> FindBoardConverter(const std::vector<std::string>& devices)
{
    // The whole rest of the name is the converter: its serial number need not have
    // the usual 8 characters.
    const std::string prefix = kBoardConverterPrefix;
    for (const std::string& device : devices)
        if (device.size() > prefix.size() && device.compare(0, prefix.size(), prefix) == 0)
            return device.substr(prefix.size());
    return std::nullopt;
}

PortSearch MakePortSearch(SerialPort& port, PortDiscovery& discovery, PortSearchHost& host, ParameterSet& params)
{
    return PortSearch{port, discovery, host, params, OpenFailureCause};
}

bool TestOpenPort(PortSearch& search, const std::string& name)
{
    int error = 0;
    try {
        search.Port.SetDeviceName(name);
        search.Port.SetActive(true);
    } catch (const EComError& e) {
        error = e.Code() != 0 ? e.Code() : EIO;
    }
    if (error != 0) {
        std::istringstream cause(search.Cause ? search.Cause(name, error) : OpenFailureCause(name, error));
        for (std::string line; std::getline(cause, line);)
            Diagnose(line);
        Fail(search, Fill(Tr("Link", "ComPortError:  %1 !\n\nDer Port kann nicht geöffnet werden."), {name}));
        search.Host.EnableLinkControls(false);
        ReleaseList(search);
        return false;
    }
    search.Host.SetPortListText(name);
    search.Host.EnableLinkControls(true);
    return true;
}

void SearchBoardPort(PortSearch& search)
{
    PortSearchHost& host = search.Host;
    host.EnableLinkControls(false);
    search.Port.SetActive(false);

    const std::vector<std::string> ports = search.Discovery.SerialPorts();
    if (ports.empty()) {
        Fail(search, Tr("Link", "Keinen ComPort auf dem PC gefunden!"));
        return;
    }
    host.ClearPortList();
    for (const std::string& name : ports)
        host.AddPort(name);

    bool found = false;
    const std::vector<std::string> devices = search.Discovery.DeviceNames();
    if (!devices.empty()) {
        const std::optional<std::string> converter = FindBoardConverter(devices);
        if (!converter) {
            Fail(search, Tr("Link", "USB-Port der LCD-Platine nicht gefunden!"));
            ReleaseList(search);
            return;
        }
        const ConverterPort port = search.Discovery.BoardConverterPort(*converter);
        if (port.result == ConverterPort::Result::NoDevice) {
            Fail(search, Tr("Link", "RegSchlüssel nicht gefunden !"));
            ReleaseList(search);
            return;
        }
        if (port.result == ConverterPort::Result::NoPortName) {
            Fail(search, Tr("Link", "RegWert (PortName) nicht gefunden !"));
            ReleaseList(search);
            return;
        }
        for (size_t i = 0; i < ports.size(); ++i) {
            if (ports[i] != port.portName)
                continue;
            search.Port.SetActive(false);
            ForgetLines(search.Params);
            host.SelectPort(int(i));
            search.Params.SelectedPort = host.PortListText();
            search.Port.SetDeviceName(search.Params.SelectedPort);
            if (TestOpenPort(search, search.Params.SelectedPort)) {
                found = true;
                host.PlayFoundSound();
            }
            break;
        }
    }
    if (!found)
        Fail(search, Tr("Link", "PortSuche nicht erfolgreich !"));
    ReleaseList(search);
}

void ComboBoxChange(PortSearch& search)
{
    search.Port.SetActive(false);
    ForgetLines(search.Params);
    search.Params.SelectedPort = search.Host.PortListText();
    search.Port.SetDeviceName(search.Params.SelectedPort);
    TestOpenPort(search, search.Params.SelectedPort);
}
