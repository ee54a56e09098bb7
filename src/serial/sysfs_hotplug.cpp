#include "sysfs_hotplug.h"

#include <QTimer>

SysfsHotplug::SysfsHotplug(std::string root, int intervalMs) : discovery_(std::move(root))
{
    for (const TtyDevice& tty : discovery_.TtyDevices())
        known_[tty.node] = tty;
    if (intervalMs > 0) {
        timer_ = std::make_unique<QTimer>();
        QObject::connect(timer_.get(), &QTimer::timeout, [this] { Poll(); });
        timer_->start(intervalMs);
    }
}

SysfsHotplug::~SysfsHotplug() = default;

void SysfsHotplug::Poll()
{
    std::map<std::string, TtyDevice> now;
    for (const TtyDevice& tty : discovery_.TtyDevices())
        now[tty.node] = tty;
    // Removals first: a converter replugged between two looks under the same name
    // shows as one that went and one that came.
    for (const auto& [node, tty] : known_) {
        auto it = now.find(node);
        if (it == now.end() || it->second.vendor != tty.vendor || it->second.product != tty.product)
            Emit({HotplugEvent::Action::Remove, node, tty.vendor, tty.product});
    }
    for (const auto& [node, tty] : now) {
        auto it = known_.find(node);
        if (it == known_.end() || it->second.vendor != tty.vendor || it->second.product != tty.product)
            Emit({HotplugEvent::Action::Add, node, tty.vendor, tty.product});
    }
    known_ = std::move(now);
}
