#pragma once
// TransferHost and FirmwareHost each extend LinkHost; the main window (and the
// command-line program's console) is one LinkHost. This base lets an adapter implement
// either extension by handing every LinkHost call to that one host.
#include "link_host.h"

template <class Base>
class LinkHostForwarder : public Base {
public:
    explicit LinkHostForwarder(LinkHost& host) : host_(host) {}

    Dialogs& Messages() override { return host_.Messages(); }
    void Sleep(int ms) override { host_.Sleep(ms); }
    void ProcessMessages() override { host_.ProcessMessages(); }
    void SetProgress(int percent) override { host_.SetProgress(percent); }
    void SetStatus(const std::string& text) override { host_.SetStatus(text); }
    void EnableLinkControls(bool on) override { host_.EnableLinkControls(on); }
    void EnableEditorControls(bool on) override { host_.EnableEditorControls(on); }
    void PaintResetPanel(bool on) override { host_.PaintResetPanel(on); }
    void PaintModePanel(bool on) override { host_.PaintModePanel(on); }

protected:
    LinkHost& host_;
};
