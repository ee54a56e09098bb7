#include "udev_hotplug.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cctype>
#include <libudev.h>
#include <string>
#include <unistd.h>

namespace {

std::string Text(const char* value) { return value ? value : ""; }

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return text;
}

}  // namespace

std::unique_ptr<UdevHotplug> UdevHotplug::Create()
{
    // Without the daemon the monitor would open but never hear of anything.
    if (::access("/run/udev/control", F_OK) != 0)
        return nullptr;
    udev* context = udev_new();
    if (!context)
        return nullptr;
    udev_monitor* monitor = udev_monitor_new_from_netlink(context, "udev");
    if (!monitor || udev_monitor_filter_add_match_subsystem_devtype(monitor, "tty", nullptr) < 0
        || udev_monitor_enable_receiving(monitor) < 0) {
        if (monitor)
            udev_monitor_unref(monitor);
        udev_unref(context);
        return nullptr;
    }
    return std::unique_ptr<UdevHotplug>(new UdevHotplug(context, monitor));
}

UdevHotplug::UdevHotplug(udev* context, udev_monitor* monitor) : context_(context), monitor_(monitor)
{
    notifier_ = std::make_unique<QSocketNotifier>(udev_monitor_get_fd(monitor_), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Receive(); });
}

UdevHotplug::~UdevHotplug()
{
    notifier_.reset();
    udev_monitor_unref(monitor_);
    udev_unref(context_);
}

void UdevHotplug::Receive()
{
    udev_device* device = udev_monitor_receive_device(monitor_);
    if (!device)
        return;
    const std::string action = Text(udev_device_get_action(device));
    HotplugEvent event;
    event.node = Text(udev_device_get_devnode(device));
    // The properties udev keeps for the tty carry the USB ids also on removal, when the
    // parent device is already gone.
    event.vendor = Upper(Text(udev_device_get_property_value(device, "ID_VENDOR_ID")));
    event.product = Upper(Text(udev_device_get_property_value(device, "ID_MODEL_ID")));
    if (event.vendor.empty()) {
        if (udev_device* usb = udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device")) {
            event.vendor = Upper(Text(udev_device_get_sysattr_value(usb, "idVendor")));
            event.product = Upper(Text(udev_device_get_sysattr_value(usb, "idProduct")));
        }
    }
    udev_device_unref(device);
    if (action == "add")
        event.action = HotplugEvent::Action::Add;
    else if (action == "remove")
        event.action = HotplugEvent::Action::Remove;
    else
        return;
    if (!event.node.empty())
        Emit(event);
}
