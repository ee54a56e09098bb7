// The port search, the open test and the choice of a port, with a scripted platform.
#include "diagnostics_sink.h"
#include "port_open.h"
#include "port_search.h"
#include "scripted_dialogs.h"
#include "virtual_board.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <sstream>

namespace {

struct FakeDiscovery : PortDiscovery {
    std::vector<std::string> ports, devices;
    std::map<std::string, ConverterPort> converters;
    std::vector<std::string> asked;
    std::vector<std::string> SerialPorts() override { return ports; }
    std::vector<std::string> DeviceNames() override { return devices; }
    ConverterPort BoardConverterPort(const std::string& converter) override
    {
        asked.push_back(converter);
        auto it = converters.find(converter);
        return it == converters.end() ? ConverterPort{} : it->second;
    }
};

// The virtual board behind a port whose openings are recorded and can fail by name,
// as a port held by another program or one without permission does.
struct OpeningPort : VirtualBoard {
    using VirtualBoard::VirtualBoard;
    std::map<std::string, int> openErrors;
    std::vector<std::string> opened;  // every attempt to open, by device name
    void SetActive(bool active) override
    {
        if (active && !Active()) {
            opened.push_back(DeviceName());
            auto it = openErrors.find(DeviceName());
            if (it != openErrors.end())
                throw EComError(it->second, "open: refused");
        }
        VirtualBoard::SetActive(active);
    }
};

struct SearchHost : PortSearchHost {
    ScriptedDialogs dialogs;
    std::vector<std::string> list;
    std::string text;
    std::vector<std::string> record;
    std::optional<bool> link, search;
    int sounds = 0;

    Dialogs& Messages() override { return dialogs; }
    void ClearPortList() override { list.clear(); text.clear(); record.push_back("clear"); }
    void AddPort(const std::string& name) override { list.push_back(name); }
    void SelectPort(int index) override { text = list.at(size_t(index)); record.push_back("select:" + text); }
    std::string PortListText() override { return text; }
    void SetPortListText(const std::string& t) override { text = t; }
    void RepaintPortList() override { record.push_back("repaint"); }
    void EnableSearchControls(bool on) override { search = on; record.push_back(on ? "search:on" : "search:off"); }
    void EnableLinkControls(bool on) override { link = on; record.push_back(on ? "link:on" : "link:off"); }
    void PlayFoundSound() override { ++sounds; record.push_back("sound"); }
};

struct SearchFixture : ::testing::Test {
    VirtualClock clock;
    OpeningPort port{clock};
    FakeDiscovery discovery;
    SearchHost host;
    ParameterSet params;
    std::map<std::string, int>& openErrors = port.openErrors;
    std::vector<std::string>& opened = port.opened;
    std::ostringstream diagnostics;
    ScopedDiagnosticsSink sink{[this](const std::string& line) { diagnostics << line << "\n"; }};
    PortSearch search{port, discovery, host, params,
                      [](const std::string& name, int error) { return name + " cause " + std::to_string(error) + "\n"; }};

    SearchFixture()
    {
        discovery.ports = {"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1"};
        discovery.devices = {"USB#VID_046D&PID_C077#0#0", "FTDIBUS#VID_0403+PID_6001+A9Q1XYZ5A",
                             "FTDIBUS#VID_0403+PID_6001+B0000001A"};
        discovery.converters["A9Q1XYZ5A"] = {ConverterPort::Result::Found, "/dev/ttyUSB1"};
        params.ResetLineOn = 1;
        params.ModeLineOn = 1;
    }

    std::vector<std::string> ErrorBoxes(std::initializer_list<std::string> texts)
    {
        std::vector<std::string> log;
        for (const std::string& t : texts) {
            log.push_back("beep");
            log.push_back("error:" + t);
        }
        return log;
    }
};

TEST_F(SearchFixture, FindsTheConverterOpensItsPortAndPlaysTheTone)
{
    SearchBoardPort(search);
    EXPECT_TRUE(host.dialogs.Events().empty());
    EXPECT_EQ(host.list, discovery.ports);
    EXPECT_EQ(discovery.asked, std::vector<std::string>{"A9Q1XYZ5A"});  // the first converter only
    EXPECT_EQ(host.record, (std::vector<std::string>{"link:off", "clear", "select:/dev/ttyUSB1", "link:on", "sound",
                                                     "search:on", "repaint"}));
    EXPECT_EQ(params.SelectedPort, "/dev/ttyUSB1");
    EXPECT_EQ(port.DeviceName(), "/dev/ttyUSB1");
    EXPECT_TRUE(port.Active());
    EXPECT_EQ(params.ResetLineOn, 0);
    EXPECT_EQ(params.ModeLineOn, 0);
    // Opened once: every opening raises DTR, which the board takes for a reset.
    EXPECT_EQ(opened, std::vector<std::string>{"/dev/ttyUSB1"});
}

TEST_F(SearchFixture, NoPortsAtAllLeavesEverythingDisabled)
{
    discovery.ports.clear();
    port.SetActive(true);
    SearchBoardPort(search);
    EXPECT_EQ(host.dialogs.Log(), ErrorBoxes({"Keinen ComPort auf dem PC gefunden!"}));
    EXPECT_EQ(host.record, std::vector<std::string>{"link:off"});
    EXPECT_FALSE(port.Active());
}

TEST_F(SearchFixture, NoBoardConverterLeavesTheListUsable)
{
    discovery.devices = {"USB#VID_046D&PID_C077#0#0", "FTDIBUS#VID_0403+PID_6001", "FTDIBUS#VID_0403+PID_6015+X1A"};
    SearchBoardPort(search);
    EXPECT_EQ(host.dialogs.Log(), ErrorBoxes({"USB-Port der LCD-Platine nicht gefunden!"}));
    EXPECT_EQ(host.record, (std::vector<std::string>{"link:off", "clear", "search:on", "repaint"}));
    EXPECT_EQ(host.list, discovery.ports);
    EXPECT_FALSE(port.Active());
    EXPECT_TRUE(opened.empty());
}

TEST_F(SearchFixture, ConverterLookupFailures)
{
    discovery.converters["A9Q1XYZ5A"] = {ConverterPort::Result::NoDevice, ""};
    SearchBoardPort(search);
    discovery.converters["A9Q1XYZ5A"] = {ConverterPort::Result::NoPortName, ""};
    SearchBoardPort(search);
    EXPECT_EQ(host.dialogs.Log(), ErrorBoxes({"RegSchlüssel nicht gefunden !", "RegWert (PortName) nicht gefunden !"}));
    EXPECT_EQ(host.search, true);
    EXPECT_EQ(host.link, false);
    EXPECT_FALSE(port.Active());
}

TEST_F(SearchFixture, NoDevicesOrPortNotListedEndsWithTheSearchMessageOnly)
{
    discovery.devices.clear();
    SearchBoardPort(search);
    discovery.devices = {"FTDIBUS#VID_0403+PID_6001+A9Q1XYZ5A"};
    discovery.converters["A9Q1XYZ5A"] = {ConverterPort::Result::Found, "/dev/ttyUSB7"};
    SearchBoardPort(search);
    EXPECT_EQ(host.dialogs.Log(), ErrorBoxes({"PortSuche nicht erfolgreich !", "PortSuche nicht erfolgreich !"}));
    EXPECT_EQ(host.record.back(), "repaint");
    EXPECT_EQ(host.search, true);
    EXPECT_EQ(host.link, false);
    EXPECT_TRUE(opened.empty());
}

TEST_F(SearchFixture, PortHeldByAnotherProgram)
{
    openErrors["/dev/ttyUSB1"] = EBUSY;
    SearchBoardPort(search);
    EXPECT_EQ(host.dialogs.Log(),
              ErrorBoxes({"ComPortError:  /dev/ttyUSB1 !\n\nDer Port kann nicht geöffnet werden.",
                          "PortSuche nicht erfolgreich !"}));
    EXPECT_EQ(host.record, (std::vector<std::string>{"link:off", "clear", "select:/dev/ttyUSB1", "link:off",
                                                     "search:on", "repaint", "search:on", "repaint"}));
    EXPECT_FALSE(port.Active());
    EXPECT_EQ(host.sounds, 0);
    EXPECT_EQ(diagnostics.str(), "/dev/ttyUSB1 cause " + std::to_string(EBUSY) + "\n");
}

TEST_F(SearchFixture, ConverterGoneWhenItsPortOpens)
{
    port.FailCall("SetActive", ENXIO);
    SearchBoardPort(search);
    EXPECT_EQ(host.dialogs.Log(),
              ErrorBoxes({"ComPortError:  /dev/ttyUSB1 !\n\nDer Port kann nicht geöffnet werden.",
                          "PortSuche nicht erfolgreich !"}));
    EXPECT_EQ(host.link, false);
    EXPECT_EQ(host.search, true);
    EXPECT_EQ(host.sounds, 0);
    EXPECT_FALSE(port.Active());
    EXPECT_EQ(diagnostics.str(), "/dev/ttyUSB1 cause " + std::to_string(ENXIO) + "\n");
}

TEST_F(SearchFixture, ChoosingAPortTestsAndOpensIt)
{
    host.list = discovery.ports;
    host.text = "/dev/ttyS0";
    ComboBoxChange(search);
    EXPECT_TRUE(port.Active());
    EXPECT_EQ(port.DeviceName(), "/dev/ttyS0");
    EXPECT_EQ(params.SelectedPort, "/dev/ttyS0");
    EXPECT_EQ(params.ResetLineOn, 0);
    EXPECT_EQ(params.ModeLineOn, 0);
    EXPECT_EQ(host.link, true);

    // The same port again while it is open: closed, flags cleared, opened again.
    params.ResetLineOn = 1;
    port.SetDTR();
    ComboBoxChange(search);
    EXPECT_EQ(params.ResetLineOn, 0);
    EXPECT_TRUE(port.Active());
    EXPECT_FALSE(port.DtrHigh());

    openErrors["/dev/ttyUSB0"] = EACCES;
    host.text = "/dev/ttyUSB0";
    ComboBoxChange(search);
    EXPECT_FALSE(port.Active());
    EXPECT_EQ(host.dialogs.Log(), ErrorBoxes({"ComPortError:  /dev/ttyUSB0 !\n\nDer Port kann nicht geöffnet werden."}));
    EXPECT_EQ(host.link, false);
    EXPECT_EQ(host.search, true);
}

TEST(OpenFailureCause, SaysWhyInPlainWords)
{
    OpenFailureFacts facts{"/dev/ttyUSB0", EACCES, "dialout", false, {}};
    EXPECT_EQ(DescribeOpenFailure(facts),
              "/dev/ttyUSB0: permission denied.\n"
              "the device belongs to group 'dialout', which this program does not have. Join the "
              "group (sudo usermod -aG dialout $USER) and log in again, or install the udev rule "
              "udev/60-lcdkonfig.rules.\n");
    facts = {"/dev/ttyUSB0", EBUSY, "", false, {"ModemManager"}};
    const std::string busy = DescribeOpenFailure(facts);
    EXPECT_EQ(busy.rfind("/dev/ttyUSB0: another program holds the port.\n", 0), 0u);
    EXPECT_NE(busy.find("ModemManager is running"), std::string::npos);
    facts = {"/dev/ttyUSB0", ENXIO, "", false, {}};
    EXPECT_EQ(DescribeOpenFailure(facts),
              "/dev/ttyUSB0: the device is gone (unplugged, or its driver was removed).\n");
}

TEST(OpenFailureCause, MissingDevice)
{
    EXPECT_EQ(OpenFailureCause("/dev/lcdkonfig-no-such-port", ENOENT),
              "/dev/lcdkonfig-no-such-port: the device is gone (unplugged, or its driver was removed).\n");
}

}  // namespace
