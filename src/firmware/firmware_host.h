#pragma once
// What the firmware update needs from the main window beyond every exchange's needs:
// the port list is locked while the board is in boot mode, and the window takes the
// input focus back after each code page. A console, which has no beep to give, hears
// of a page the boot ROM refused and of the erased flash.
#include "link_host.h"

class FirmwareHost : public LinkHost {
public:
    virtual void EnablePortList(bool on) = 0;
    virtual void FocusMainWindow() = 0;
    virtual void RepaintMainWindow() = 0;
    // The boot ROM answered a programmed page with a status it refuses (`srd`); the
    // window has beeped, and shown a box where the status names the fault.
    virtual void PageRefused(int /*page*/, int /*srd*/) {}
    // The flash was erased: from here on an update that fails leaves the board without
    // complete firmware.
    virtual void FlashErased() {}
};
