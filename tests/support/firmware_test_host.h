#pragma once
// The main window as the firmware update sees it; the LinkHost part is recorded by a
// LinkTestHost.
#include "firmware_host.h"
#include "link_test_host.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

class FirmwareTestHost : public FirmwareHost {
public:
    FirmwareTestHost(LinkTestHost& inner, const VirtualClock& clock) : inner_(inner), clock_(clock) {}

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

    Dialogs& Messages() override { return inner_.Messages(); }
    void Sleep(int ms) override { inner_.Sleep(ms); }
    void ProcessMessages() override { inner_.ProcessMessages(); }
    void SetProgress(int percent) override { inner_.SetProgress(percent); }
    void SetStatus(const std::string& text) override
    {
        StatusTimes.emplace(text, clock_.NowUs());
        inner_.SetStatus(text);
    }
    void EnableLinkControls(bool on) override { inner_.EnableLinkControls(on); }
    void EnableEditorControls(bool on) override { inner_.EnableEditorControls(on); }
    void PaintResetPanel(bool on) override { inner_.PaintResetPanel(on); }
    void PaintModePanel(bool on) override { inner_.PaintModePanel(on); }

private:
    LinkTestHost& inner_;
    const VirtualClock& clock_;
};

