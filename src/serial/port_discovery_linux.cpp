#include "port_discovery_linux.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>

namespace fs = std::filesystem;

namespace {

std::string ReadAttribute(const fs::path& file)
{
    std::ifstream in(file);
    std::string text;
    std::getline(in, text);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.pop_back();
    return text;
}

std::string BusOf(const fs::path& device)
{
    std::error_code ec;
    const fs::path bus = fs::canonical(device / "subsystem", ec);
    return ec ? std::string() : bus.filename().string();
}

// A USB interface and the device it belongs to.
struct UsbInterface {
    std::string vendor, product, serial;
    int number = 0;
};

// The USB device is the first directory above the interface with idVendor.
std::optional<UsbInterface> ReadInterface(const fs::path& interfaceDir)
{
    const fs::path device = interfaceDir.parent_path();
    if (!fs::exists(interfaceDir / "bInterfaceNumber") || !fs::exists(device / "idVendor"))
        return std::nullopt;
    UsbInterface usb;
    usb.vendor = ReadAttribute(device / "idVendor");
    usb.product = ReadAttribute(device / "idProduct");
    usb.serial = ReadAttribute(device / "serial");
    usb.number = int(std::strtol(ReadAttribute(interfaceDir / "bInterfaceNumber").c_str(), nullptr, 16));
    std::transform(usb.vendor.begin(), usb.vendor.end(), usb.vendor.begin(), ::toupper);
    std::transform(usb.product.begin(), usb.product.end(), usb.product.begin(), ::toupper);
    return usb;
}

// The USB interface a tty hangs off, walking up from its hardware parent.
std::optional<UsbInterface> InterfaceAbove(fs::path dir)
{
    for (; dir.has_relative_path() && dir != dir.parent_path(); dir = dir.parent_path()) {
        if (auto usb = ReadInterface(dir))
            return usb;
    }
    return std::nullopt;
}

bool IsBoardConverter(const UsbInterface& usb) { return usb.vendor == "0403" && usb.product == "6001"; }

std::string ConverterKey(const UsbInterface& usb) { return usb.serial + char('A' + usb.number); }

std::vector<std::string> SortedEntries(const fs::path& dir)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end(), NaturalLess);
    return names;
}

}  // namespace

bool NaturalLess(const std::string& a, const std::string& b)
{
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool da = std::isdigit(static_cast<unsigned char>(a[i]));
        const bool db = std::isdigit(static_cast<unsigned char>(b[j]));
        if (da && db) {
            size_t ei = i, ej = j;
            while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei])))
                ++ei;
            while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej])))
                ++ej;
            const unsigned long long na = std::stoull(a.substr(i, ei - i));
            const unsigned long long nb = std::stoull(b.substr(j, ej - j));
            if (na != nb)
                return na < nb;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

LinuxPortDiscovery::LinuxPortDiscovery(std::string root) : root_(std::move(root)) {}

std::vector<TtyDevice> LinuxPortDiscovery::TtyDevices()
{
    const fs::path classDir = fs::path(root_) / "sys/class/tty";
    std::vector<TtyDevice> ports;
    for (const std::string& name : SortedEntries(classDir)) {
        const fs::path device = classDir / name / "device";
        std::error_code ec;
        if (!fs::exists(device, ec))
            continue;  // virtual terminals, ptys
        if (BusOf(device) == "platform")
            continue;  // a UART slot the 8250 driver registers whether hardware is there or not
        TtyDevice tty{"/dev/" + name, {}, {}};
        const fs::path hardware = fs::canonical(device, ec);
        if (!ec) {
            if (const auto usb = InterfaceAbove(hardware)) {
                tty.vendor = usb->vendor;
                tty.product = usb->product;
            }
        }
        ports.push_back(tty);
    }
    return ports;
}

std::vector<std::string> LinuxPortDiscovery::SerialPorts()
{
    std::vector<std::string> ports;
    for (const TtyDevice& tty : TtyDevices())
        ports.push_back(tty.node);
    return ports;
}

std::vector<std::string> LinuxPortDiscovery::DeviceNames()
{
    const fs::path usbDir = fs::path(root_) / "sys/bus/usb/devices";
    std::vector<std::string> names;
    for (const std::string& entry : SortedEntries(usbDir)) {
        if (entry.find(':') == std::string::npos)
            continue;  // a device, not an interface
        std::error_code ec;
        const fs::path dir = fs::canonical(usbDir / entry, ec);
        if (ec)
            continue;
        const auto usb = ReadInterface(dir);
        if (!usb)
            continue;
        if (usb->vendor == "0403")
            names.push_back("FTDIBUS#VID_" + usb->vendor + "+PID_" + usb->product + "+" + ConverterKey(*usb));
        else
            names.push_back("USB#VID_" + usb->vendor + "&PID_" + usb->product + "#" + usb->serial + "#"
                            + std::to_string(usb->number));
    }
    return names;
}

ConverterPort LinuxPortDiscovery::BoardConverterPort(const std::string& converter)
{
    ConverterPort found;
    const fs::path classDir = fs::path(root_) / "sys/class/tty";
    for (const std::string& name : SortedEntries(classDir)) {
        std::error_code ec;
        const fs::path device = fs::canonical(classDir / name / "device", ec);
        if (ec)
            continue;
        const auto usb = InterfaceAbove(device);
        if (usb && IsBoardConverter(*usb) && ConverterKey(*usb) == converter) {
            found.result = ConverterPort::Result::Found;
            found.portName = "/dev/" + name;
            return found;
        }
    }
    // No tty: is the converter there at all (driver not bound, or still binding)?
    for (const std::string& name : DeviceNames()) {
        if (name == kBoardConverterPrefix + converter) {
            found.result = ConverterPort::Result::NoPortName;
            break;
        }
    }
    return found;
}
