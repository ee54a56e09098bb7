#include "hotplug.h"

#include "sysfs_hotplug.h"
#include "udev_hotplug.h"

#include <filesystem>

namespace {

std::string Resolved(const std::string& node)
{
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::canonical(node, ec);
    return ec ? node : path.string();
}

}  // namespace

HotplugReaction ReactToHotplug(const HotplugEvent& event, bool portOpen, const std::string& openNode)
{
    if (event.action == HotplugEvent::Action::Add)
        return !portOpen && event.vendor == "0403" && event.product == "6001" ? HotplugReaction::SearchPort
                                                                              : HotplugReaction::None;
    if (portOpen && !event.node.empty() && (event.node == openNode || Resolved(event.node) == openNode))
        return HotplugReaction::PortGone;
    return HotplugReaction::None;
}

std::unique_ptr<HotplugSource> MakeHotplugSource(const std::string& root)
{
    if (root == "/") {
        if (std::unique_ptr<UdevHotplug> udev = UdevHotplug::Create())
            return udev;
    }
    return std::make_unique<SysfsHotplug>(root);
}
