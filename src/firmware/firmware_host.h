#pragma once
// What the firmware update needs from the main window beyond every exchange's needs:
// the port list is locked while the board is in boot mode, and the window takes the
// input focus back after each code page.
#include "link_host.h"

class FirmwareHost : public LinkHost {
public:
    virtual void EnablePortList(bool on) = 0;
    virtual void FocusMainWindow() = 0;
    virtual void RepaintMainWindow() = 0;
};
