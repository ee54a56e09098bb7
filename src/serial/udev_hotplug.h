#pragma once
// udev's monitor of the tty subsystem, read when its socket has something (a
// QSocketNotifier on the window's event loop).
#include "hotplug.h"

#include <memory>

class QSocketNotifier;
struct udev;
struct udev_monitor;

class UdevHotplug : public HotplugSource {
public:
    // Nothing when udev does not run here (no /run/udev/control) or the monitor
    // cannot be set up.
    static std::unique_ptr<UdevHotplug> Create();
    ~UdevHotplug() override;

private:
    UdevHotplug(udev* context, udev_monitor* monitor);
    void Receive();

    udev* context_;
    udev_monitor* monitor_;
    std::unique_ptr<QSocketNotifier> notifier_;
};
