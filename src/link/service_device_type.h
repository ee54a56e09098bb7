#pragma once
// The device-type row: "übertragen" (Button1) sends the parameter set's device type
// as decimal text, each byte echoed, then "_" and 0xFA; the board stores it and
// answers 0xAF.
#include "outcome.h"
#include "parameter_set.h"
#include "serial_port.h"
#include "transfer_host.h"

#include <string>

// What the board receives after 0xA5 0xA4: "%d" of the device type and "_".
std::string DeviceTypeFieldText(const ParameterSet& params);

// Done when the board stored the device type.
Outcome Button1Click(SerialPort& port, TransferHost& host, ParameterSet& params);
