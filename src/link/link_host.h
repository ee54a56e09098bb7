#pragma once
// What an exchange with the board needs from the window and the platform. TMainForm
// implements it; tests use a recorder whose Sleep advances the virtual clock.
#include "dialogs.h"

#include <string>

class LinkHost {
public:
    virtual ~LinkHost() = default;

    virtual Dialogs& Messages() = 0;
    // Plain sleep of the user-interface thread (virtual time in tests).
    virtual void Sleep(int ms) = 0;
    // Let the window process its pending messages (repaints, line events).
    virtual void ProcessMessages() = 0;

    virtual void SetProgress(int percent) = 0;
    // Status label text; shown (repainted) at once.
    virtual void SetStatus(const std::string& text) = 0;
    virtual void EnableLinkControls(bool on) = 0;
    virtual void EnableEditorControls(bool on) = 0;

    // The "Reset" (DSR) and "P-Mode" (CTS) panels: bright when on, dark when off.
    virtual void PaintResetPanel(bool on) = 0;
    virtual void PaintModePanel(bool on) = 0;
};
