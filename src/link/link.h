#pragma once
// The link primitives every exchange with the board is built from, and the board's
// byte vocabulary. All of them run on the user-interface thread and wait by sleeping
// through the LinkHost; each returns false after it has shown its own message.
#include "link_host.h"
#include "outcome.h"
#include "translation.h"
#include "parameter_set.h"
#include "serial_port.h"

#include <cstdint>
#include <functional>
#include <string>

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

// The protocol's waits and poll limits.
namespace LinkTiming {
inline constexpr int kSentPollMs = 10;       // WaitSent: between tests of a pending write
inline constexpr int kSentMaxWaits = 96;     // WaitSent: gives up at the 97th test
inline constexpr int kLineAnswerMs = 50;     // from driving a line to reading its answer
inline constexpr int kResetPulseMs = 200;    // between the reset edges
inline constexpr int kAfterResetMs = 2000;   // from the end of the reset to the ping
inline constexpr int kPingFirstPollMs = 10;  // from the sent ping to its first poll
inline constexpr int kPingPollMs = 1;
inline constexpr int kModeOffSettleMs = 200; // after the mode line dropped
inline constexpr int kAnswerPolls = 100;     // polls for an answer or an echo...
inline constexpr int kAnswerInTime = 96;     // ...of which only the first 96 count
inline constexpr int kCommandGapMs = 10;     // after each command byte of the upload and the services
inline constexpr int kEchoPollMs = 1;        // between the polls for a field byte's echo
inline constexpr int kDataEndPollMs = 10;    // between the polls for the echo of 0xFA
inline constexpr int kAfterStoredMs = 20;    // from "Programmiert" to the controls
inline constexpr int kBeforeRestartMs = 200; // from the beep to the closing reset pulse
}  // namespace LinkTiming

// The codes the failure messages show. WaitSent's code names the byte that did not
// leave the PC; an echo's two codes name the wrong byte and the missing one.
namespace LinkCode {
inline constexpr int PingSent = 1;
inline constexpr int CommandSent = 2;        // 0xA5 of the upload and the device type
inline constexpr int UploadSent = 3;         // 0xA8, and 0xA4 of the device type
inline constexpr int DigitSent = 4;          // a value's digit
inline constexpr int FieldEndSent = 5;       // "_"
inline constexpr int DataEndSent = 6;        // 0xFA
inline constexpr int DownloadCommandSent = 7;
inline constexpr int DownloadSent = 8;       // 0xAB
inline constexpr int SerialCommandSent = 26;
inline constexpr int SerialSent = 27;        // 0xB8
inline constexpr int SerialDigitSent = 28;
inline constexpr int SerialMarkSent = 29;
inline constexpr int SerialDataEndSent = 30;

inline constexpr int DigitWrong = 1, DigitMissing = 2;
inline constexpr int FieldEndWrong = 3, FieldEndMissing = 4;
inline constexpr int DataEndWrong = 5, DataEndMissing = 6;
inline constexpr int StoredWrong = 7, StoredMissing = 8;

// The kinds of ReportLinkError.
inline constexpr int WrongByte = 1;
inline constexpr int Timeout = 2;
inline constexpr int WrongConfirmation = 3;
inline constexpr int NoConfirmation = 4;
}  // namespace LinkCode

// The board's configuration version (the byte after 0xA5 0xA8, and after the download
// block) does not match the program's, or does not come.
inline constexpr const char* kWrongConfigVersionMessage =
    QT_TRANSLATE_NOOP("Link", "Datenübertragungsfehler!\n\nFalsches Kontrollzeichen empfangen.\n"
                              "Firmware in LCD-Platine vermutlich nicht kompatibel.");
inline constexpr const char* kNoConfigVersionMessage =
    QT_TRANSLATE_NOOP("Link", "Datenübertragungsfehler!\n\nZeitüberschreitung.\n"
                              "Firmware in LCD-Platine vermutlich nicht kompatibel!");

// What an exchange works with: the port, the window, the parameter set.
struct Link {
    SerialPort& Port;
    LinkHost& Host;
    ParameterSet& Params;
    // Set by RunExchange when a line error was reported during the exchange.
    bool LineError = false;
    // What the last failing primitive found: a byte that did not leave the PC is the
    // port's failure, everything else the board's.
    Outcome Failure = Outcome::BoardFailed;
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

// Beep and error box: how every failure of an exchange is shown.
void ShowLinkError(LinkHost& host, const std::string& text);
// The end of an exchange after a failure: progress 0, status empty, the link controls
// back on and the editor controls on when `editorControls`.
void RestoreAfterFailure(LinkHost& host, bool editorControls);

// Runs one exchange and returns the outcome `body` returns. A port call that fails
// inside `body` (EComError) ends it there: beep, "ComPortError:  <SelectedPort> !"
// once, then `failurePath` restores the window as the exchange's own failure path
// would; the outcome is then PortFailed (Interrupted, LineError as the case may be).
//
// A line error the driver flags at any moment of the exchange fails it the same way,
// with the line-error message the window showed instead of the port error: the port's
// next call fails (the window closed the port), or the exchange meets ConfirmLine.
Outcome RunExchange(Link& link, const std::function<Outcome()>& body,
                    const std::function<void()>& failurePath);

// Called by an exchange just before it reports success: a line error flagged since the
// exchange began (also one that no later port call would have met) ends it here with
// ELineError, so that nothing is stored and no success is shown.
void ConfirmLine(Link& link);
