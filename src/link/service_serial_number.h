#pragma once
// The serial-number row of the service functions: the entry field SerienNrEdit and
// "übertragen" (SendSerienNrButton), which sends the serial number and the DeviceMark.
#include "dialogs.h"
#include "outcome.h"
#include "parameter_set.h"
#include "serial_port.h"
#include "transfer_host.h"

#include <string>

inline constexpr int kSerialNumberLength = 4;

// The echo and storing waits of "übertragen".
namespace SerialNumberTiming {
inline constexpr int kEchoPolls = 100;
inline constexpr int kEchoPollsInTime = 96;
inline constexpr int kAfterEchoMs = 50;
inline constexpr int kDonePolls = 40;
inline constexpr int kDoneAccepted = 38;
inline constexpr int kDonePollMs = 20;
}  // namespace SerialNumberTiming
inline constexpr char kSerialKeySwallowed = 29;

// Leaving SerienNrEdit or pressing Enter in it: a text of exactly 4 characters becomes
// the serial number; anything else is refused with a message. Returns the text the
// field shows afterwards (the stored serial number); the window selects it again and
// shows it in its serial display.
std::string SerienNrEditAccept(Dialogs& dialogs, ParameterSet& params, const std::string& text);

// Keys the field swallows: Enter (after accepting) and the character 29.
bool SerienNrEditSwallowsKey(int key);

// SendSerienNrButton is usable only when field and DeviceMark hold real content.
bool SendSerialButtonEnabled(const std::string& fieldText, const std::string& deviceMark);
void UpdateSendSerialButton(TransferHost& host, const ParameterSet& params);

// "übertragen": sends the 4 serial-number and 3 DeviceMark characters, each echoed,
// then 0xFA, and waits for the board to store them. Changes nothing in the set. Done
// when the board stored them.
Outcome SendSerienNrButtonClick(SerialPort& port, TransferHost& host, ParameterSet& params);
