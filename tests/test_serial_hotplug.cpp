// Devices that come and go: what the program does about them, and the sysfs poll that
// stands in for udev, on a fake device tree.
#include "fake_sys.h"
#include "hotplug.h"
#include "sysfs_hotplug.h"

#include <gtest/gtest.h>

namespace {

using Action = HotplugEvent::Action;

TEST(Hotplug, OnlyTheBoardConverterStartsASearchAndOnlyTheOpenPortCloses)
{
    const HotplugEvent converter{Action::Add, "/dev/ttyUSB0", "0403", "6001"};
    EXPECT_EQ(ReactToHotplug(converter, false, ""), HotplugReaction::SearchPort);
    // A port is open already (the board, or a port the user chose): nothing.
    EXPECT_EQ(ReactToHotplug(converter, true, "/dev/ttyUSB1"), HotplugReaction::None);
    // Other converters and devices, also other FTDI chips.
    EXPECT_EQ(ReactToHotplug({Action::Add, "/dev/ttyUSB0", "0403", "6015"}, false, ""), HotplugReaction::None);
    EXPECT_EQ(ReactToHotplug({Action::Add, "/dev/ttyACM0", "2341", "0043"}, false, ""), HotplugReaction::None);
    EXPECT_EQ(ReactToHotplug({Action::Add, "/dev/ttyS4", "", ""}, false, ""), HotplugReaction::None);

    // Removals: the open port's tty closes it, any other changes nothing.
    EXPECT_EQ(ReactToHotplug({Action::Remove, "/dev/ttyUSB1", "0403", "6001"}, true, "/dev/ttyUSB1"),
              HotplugReaction::PortGone);
    EXPECT_EQ(ReactToHotplug({Action::Remove, "/dev/ttyUSB0", "0403", "6001"}, true, "/dev/ttyUSB1"),
              HotplugReaction::None);
    EXPECT_EQ(ReactToHotplug({Action::Remove, "/dev/ttyUSB1", "0403", "6001"}, false, ""), HotplugReaction::None);
}

struct Seen {
    std::vector<std::string> events;
    void operator()(const HotplugEvent& e)
    {
        events.push_back(std::string(e.action == Action::Add ? "add " : "remove ") + e.node + " " + e.vendor + ":"
                         + e.product);
    }
};

TEST(SysfsHotplug, ReportsTtysThatCameAndWentSinceTheLastLook)
{
    FakeSys sys;
    sys.AddUart("ttyS0", false);
    sys.AddUsb(2, "0403", "6001", "A9Q1XYZ5", 0, "ttyUSB0");
    SysfsHotplug poll(sys.Root(), 0);
    Seen seen;
    poll.OnEvent = [&](const HotplugEvent& e) { seen(e); };

    // What was there at the start is no news.
    poll.Poll();
    EXPECT_TRUE(seen.events.empty());

    sys.AddUsb(3, "2341", "0043", "7563331", 0, "ttyACM0", true);
    sys.AddUsb(4, "0403", "6001", "B7C8D9E0", 0, "ttyUSB1");
    sys.AddVirtualTty("pts9");
    poll.Poll();
    EXPECT_EQ(seen.events, (std::vector<std::string>{"add /dev/ttyACM0 2341:0043", "add /dev/ttyUSB1 0403:6001"}));

    seen.events.clear();
    sys.RemoveUsb(2, "ttyUSB0");
    poll.Poll();
    poll.Poll();
    EXPECT_EQ(seen.events, std::vector<std::string>{"remove /dev/ttyUSB0 0403:6001"});

    // Unplugged and another converter plugged in under the same name between two looks.
    seen.events.clear();
    sys.RemoveUsb(3, "ttyACM0");
    sys.AddUsb(5, "0403", "6001", "C0000001", 0, "ttyACM0");
    poll.Poll();
    EXPECT_EQ(seen.events, (std::vector<std::string>{"remove /dev/ttyACM0 2341:0043", "add /dev/ttyACM0 0403:6001"}));
}

}  // namespace
