// Port discovery against fake sysfs trees in a temporary folder.
#include "fake_sys.h"
#include "port_discovery_linux.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

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
