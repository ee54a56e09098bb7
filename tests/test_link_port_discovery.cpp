// Port discovery against fake sysfs trees in a temporary folder.
#include "port_discovery_linux.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class FakeSys {
public:
    FakeSys()
    {
        root_ = fs::temp_directory_path() / ("lcdkonfig-sys-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
        fs::remove_all(root_);
        fs::create_directories(root_ / "sys/class/tty");
        fs::create_directories(root_ / "sys/bus/usb/devices");
        for (const char* bus : {"usb", "usb-serial", "platform", "pnp"})
            fs::create_directories(root_ / "sys/bus" / bus);
    }
    ~FakeSys() { fs::remove_all(root_); }

    std::string Root() const { return root_.string(); }

    // A USB serial converter: device 1-<port>, interface <number>, optionally a tty.
    void AddUsb(int port, const std::string& vendor, const std::string& product, const std::string& serial,
                int number, const std::string& tty, bool acm = false)
    {
        const std::string dev = "1-" + std::to_string(port);
        const fs::path device = root_ / "sys/devices/pci0000:00/0000:00:14.0/usb1" / dev;
        const std::string ifName = dev + ":1." + std::to_string(number);
        const fs::path iface = device / ifName;
        fs::create_directories(iface);
        Write(device / "idVendor", vendor);
        Write(device / "idProduct", product);
        if (!serial.empty())
            Write(device / "serial", serial);
        Write(iface / "bInterfaceNumber", "0" + std::to_string(number));
        Link(iface / "subsystem", root_ / "sys/bus/usb");
        Link(root_ / "sys/bus/usb/devices" / ifName, iface);
        if (tty.empty())
            return;
        fs::path parent = iface;
        if (!acm) {
            parent = iface / tty;  // the usb-serial port between interface and tty
            fs::create_directories(parent);
            Link(parent / "subsystem", root_ / "sys/bus/usb-serial");
        }
        AddTty(tty, parent);
    }

    void AddUart(const std::string& tty, bool placeholder)
    {
        const fs::path parent = placeholder ? root_ / "sys/devices/platform/serial8250" : root_ / "sys/devices/pnp0/00:04";
        fs::create_directories(parent);
        Link(parent / "subsystem", root_ / (placeholder ? "sys/bus/platform" : "sys/bus/pnp"));
        AddTty(tty, parent);
    }

    void AddVirtualTty(const std::string& tty)
    {
        const fs::path node = root_ / "sys/devices/virtual/tty" / tty;
        fs::create_directories(node);
        Link(root_ / "sys/class/tty" / tty, node);
    }

private:
    void AddTty(const std::string& tty, const fs::path& parent)
    {
        const fs::path node = parent / "tty" / tty;
        fs::create_directories(node);
        Link(node / "device", parent);
        Link(root_ / "sys/class/tty" / tty, node);
    }
    static void Write(const fs::path& file, const std::string& text) { std::ofstream(file) << text << "\n"; }
    static void Link(const fs::path& at, const fs::path& target)
    {
        fs::create_directory_symlink(fs::relative(target, at.parent_path()), at);
    }

    fs::path root_;
    static inline int counter_ = 0;
};

TEST(LinuxPortDiscovery, ListsHardwarePortsInNaturalOrder)
{
    FakeSys sys;
    sys.AddUart("ttyS0", false);
    sys.AddUart("ttyS1", true);
    sys.AddVirtualTty("tty0");
    sys.AddVirtualTty("ptmx");
    sys.AddUsb(2, "0403", "6001", "A9Q1XYZ5", 0, "ttyUSB10");
    sys.AddUsb(3, "0403", "6001", "B7C8D9E0", 0, "ttyUSB2");
    sys.AddUsb(4, "2341", "0043", "7563331", 0, "ttyACM0", true);
    LinuxPortDiscovery discovery(sys.Root());
    EXPECT_EQ(discovery.SerialPorts(),
              (std::vector<std::string>{"/dev/ttyACM0", "/dev/ttyS0", "/dev/ttyUSB2", "/dev/ttyUSB10"}));
}

TEST(LinuxPortDiscovery, NamesConvertersAndFindsTheirPorts)
{
    FakeSys sys;
    sys.AddUsb(1, "2341", "0043", "7563331", 0, "ttyACM0", true);
    sys.AddUsb(2, "0403", "6001", "A9Q1XYZ5", 0, "ttyUSB1");
    sys.AddUsb(3, "0403", "6010", "FT2232XY", 1, "ttyUSB0");
    LinuxPortDiscovery discovery(sys.Root());
    EXPECT_EQ(discovery.DeviceNames(),
              (std::vector<std::string>{"USB#VID_2341&PID_0043#7563331#0", "FTDIBUS#VID_0403+PID_6001+A9Q1XYZ5A",
                                        "FTDIBUS#VID_0403+PID_6010+FT2232XYB"}));
    const ConverterPort board = discovery.BoardConverterPort("A9Q1XYZ5A");
    EXPECT_EQ(board.result, ConverterPort::Result::Found);
    EXPECT_EQ(board.portName, "/dev/ttyUSB1");
    // Another interface letter, or a converter of another product, is not the board's.
    EXPECT_EQ(discovery.BoardConverterPort("A9Q1XYZ5B").result, ConverterPort::Result::NoDevice);
    EXPECT_EQ(discovery.BoardConverterPort("FT2232XYB").result, ConverterPort::Result::NoDevice);
}

TEST(LinuxPortDiscovery, SerialNumbersOfOtherLengthsMatchWhole)
{
    FakeSys sys;
    sys.AddUsb(1, "0403", "6001", "FTABCDEF12", 0, "ttyUSB0");
    sys.AddUsb(2, "0403", "6001", "FTABCDEF", 0, "ttyUSB1");
    LinuxPortDiscovery discovery(sys.Root());
    EXPECT_EQ(discovery.BoardConverterPort("FTABCDEF12A").portName, "/dev/ttyUSB0");
    EXPECT_EQ(discovery.BoardConverterPort("FTABCDEFA").portName, "/dev/ttyUSB1");
    EXPECT_EQ(discovery.BoardConverterPort("FTABCDEF1").result, ConverterPort::Result::NoDevice);
}

TEST(LinuxPortDiscovery, ConverterWithoutPortAndEmptyTree)
{
    FakeSys sys;
    sys.AddUsb(1, "0403", "6001", "A9Q1XYZ5", 0, "");
    LinuxPortDiscovery discovery(sys.Root());
    EXPECT_TRUE(discovery.SerialPorts().empty());
    EXPECT_EQ(discovery.DeviceNames(), std::vector<std::string>{"FTDIBUS#VID_0403+PID_6001+A9Q1XYZ5A"});
    EXPECT_EQ(discovery.BoardConverterPort("A9Q1XYZ5A").result, ConverterPort::Result::NoPortName);

    LinuxPortDiscovery nothing(sys.Root() + "/missing");
    EXPECT_TRUE(nothing.SerialPorts().empty());
    EXPECT_TRUE(nothing.DeviceNames().empty());
    EXPECT_EQ(nothing.BoardConverterPort("A9Q1XYZ5A").result, ConverterPort::Result::NoDevice);
}

}  // namespace
