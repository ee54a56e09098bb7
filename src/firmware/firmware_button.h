#pragma once
// The main window's "Vom PC zum Gerät" button of the group "Firmware übertragen": the
// user chooses a .mot file, which is read completely before the board is touched; a
// refused file brings the dialog back, cancel ends without any port activity.
#include "file_messages.h"
#include "firmware_host.h"
#include "outcome.h"
#include "parameter_set.h"
#include "serial_port.h"

inline constexpr const char* kFirmwareFilter = "Firmware  ( *.mot )|*.MOT|";

// Done when a firmware was written and verified; Declined when no file was chosen.
Outcome FirmwareButtonClick(SerialPort& port, FirmwareHost& host, ParameterSet& params);
