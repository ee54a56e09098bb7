#pragma once
// "Vom PC zum Gerät": writes the 120 values into the board. After 0xA5 0xA8 the board
// reports its configuration version; every value goes as decimal text ended by "_",
// each byte echoed; 0xFA ends the data, and the board answers 0xAF once it has stored
// the values. A reset pulse then restarts it with the new values.
#include "link.h"
#include "parameter_set.h"
#include "serial_port.h"
#include "transfer_host.h"

#include <string>

namespace Upload {
inline constexpr int kVersionPolls = 500;
inline constexpr int kVersionPollMs = 10;
inline constexpr int kAfterValueMs = 10;
inline constexpr int kStorePolls = 600;      // of kStorePollMs
inline constexpr int kStoreAccepted = 598;   // 0xAF accepted up to this poll count
inline constexpr int kStorePollMs = 20;
}  // namespace Upload

// The bytes of step 4 of the exchange: every value printed with "%d", each followed
// by "_".
std::string UploadFieldText(const ParameterSet& params);

// Waits for the board's 0xAF after 0xFA (the storing phase): 20 ms polls, progress
// k × 100 / 598; a wrong byte is ReportLinkError(3, 7), no answer in time
// ReportLinkError(4, 8). False after the message.
bool WaitForStored(Link& link, bool keepWindowAlive);

// The storing phase and the success steps the upload and the device-type transfer
// share: "Programmierung", WaitForStored, the line confirmed, "Programmiert" at 100,
// the controls back, a beep, and the pause before the board's restart. False after a
// failure's message, for the caller's clean-up.
bool StoreAndFinish(Link& link, bool keepWindowAlive);

// The button handler. Done when the board stored the values and was restarted.
Outcome SendenButtonClick(SerialPort& port, TransferHost& host, ParameterSet& params);
