#pragma once
// The link primitives every exchange with the board is built from, and the board's
// byte vocabulary. All of them run on the user-interface thread and wait by sleeping
// through the LinkHost; each returns false after it has shown its own message.
#include "link_host.h"
#include "parameter_set.h"
#include "serial_port.h"

#include <cstdint>
#include <functional>

// Bytes of the configuration and service protocol.
namespace BoardByte {
inline constexpr uint8_t Ping = 0xBA;
inline constexpr uint8_t Command = 0xA5;
inline constexpr uint8_t Upload = 0xA8;
inline constexpr uint8_t Download = 0xAB;
inline constexpr uint8_t ClearOperatingTime = 0xA3;
inline constexpr uint8_t ClearFaultMemory = 0xAD;
inline constexpr uint8_t ClearIdentity = 0xA6;
inline constexpr uint8_t DeviceType = 0xA4;
inline constexpr uint8_t SerialNumber = 0xB8;
inline constexpr uint8_t FieldEnd = 0x5F;  // "_"
inline constexpr uint8_t DataEnd = 0xFA;
inline constexpr uint8_t Done = 0xAF;
}  // namespace BoardByte

// What an exchange works with: the port, the window, the parameter set.
struct Link {
    SerialPort& Port;
    LinkHost& Host;
    ParameterSet& Params;
};

bool WaitSent(Link& link, int code);
bool PingBoard(Link& link);
bool ResetOn(Link& link);
bool ResetOff(Link& link);

enum class SessionResult { Ok, ResetFailed, PingFailed };
// Reset pulse, 2 s, ping: opens the upload and the download.
SessionResult StartSession(Link& link);

bool ModeOn(Link& link);
void ModeOff(Link& link);  // never shows a message

bool SendEchoed(Link& link, uint8_t byte, int pollMs, int waitCode, int wrongCode,
                int timeoutCode);
void ReportLinkError(Link& link, int kind, int code);

// Runs one exchange. A port call that fails inside `body` (EComError) ends it there:
// beep, "ComPortError:  <SelectedPort> !" once, then `failurePath` restores the window
// as the exchange's own failure path would. Returns false in that case.
bool RunExchange(Link& link, const std::function<void()>& body,
                 const std::function<void()>& failurePath);
