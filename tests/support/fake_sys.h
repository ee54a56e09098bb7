#pragma once
// A fake sysfs tree in a temporary folder: USB serial converters, UARTs and virtual
// ttys as the kernel shows them, for the port discovery and the hotplug poll.
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace fs = std::filesystem;

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

    // The converter on USB port <port> unplugged: its device and its tty go away.
    void RemoveUsb(int port, const std::string& tty)
    {
        fs::remove_all(root_ / "sys/devices/pci0000:00/0000:00:14.0/usb1" / ("1-" + std::to_string(port)));
        fs::remove(root_ / "sys/class/tty" / tty);
        for (const auto& entry : fs::directory_iterator(root_ / "sys/bus/usb/devices"))
            if (entry.path().filename().string().rfind("1-" + std::to_string(port) + ":", 0) == 0)
                fs::remove(entry.path());
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
