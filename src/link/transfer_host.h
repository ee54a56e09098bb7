#pragma once
// What the transfers and service commands need from the main window beyond LinkHost.
// TMainForm implements it; tests use a recorder.
#include "link_host.h"

#include <string>

struct TransferHost : LinkHost {
    // Show the parameter set in the main window: serial number (field and display),
    // board version text, device type and the three option check boxes.
    virtual void RefreshMainWindow() = 0;
    // Enable Button1 (device-type transfer).
    virtual void EnableDeviceTypeButton() = 0;
    // Text of SerienNrEdit as the window shows it now.
    virtual std::string SerialEditText() = 0;
    virtual void EnableSendSerialButton(bool on) = 0;
};
