#pragma once
// The main window as the firmware update sees it; the LinkHost part is recorded by a
// LinkTestHost.
#include "firmware_host.h"
#include "link_host_forwarder.h"
#include "link_test_host.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

class FirmwareTestHost : public LinkHostForwarder<FirmwareHost> {
public:
    FirmwareTestHost(LinkTestHost& inner, const VirtualClock& clock) : LinkHostForwarder(inner), clock_(clock) {}

    std::vector<std::string> Window;  // "portlist:on", "focus", "repaint"
    std::optional<bool> PortList;
    // Virtual time (µs) at which each status text was first shown.
    std::map<std::string, int64_t> StatusTimes;

    void EnablePortList(bool on) override
    {
        PortList = on;
        Window.push_back(on ? "portlist:on" : "portlist:off");
    }
    void FocusMainWindow() override { Window.push_back("focus"); }
    void RepaintMainWindow() override { Window.push_back("repaint"); }

    void SetStatus(const std::string& text) override
    {
        StatusTimes.emplace(text, clock_.NowUs());
        host_.SetStatus(text);
    }

private:
    const VirtualClock& clock_;
};

