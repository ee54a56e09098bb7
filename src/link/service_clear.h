#pragma once
// The three clear commands of the service functions: operating-time counter, fault
// memory and identity. One exchange, one row of the table per command: 0xA5 and the
// command byte; the board echoes them and answers 0xAF once it has cleared.
#include "outcome.h"
#include "parameter_set.h"
#include "translation.h"
#include "serial_port.h"
#include "transfer_host.h"

#include <cstdint>

struct ClearCommand {
    uint8_t CommandByte;
    const char* RunningStatus;
    const char* DoneStatus;
    int Polls;            // of kClearPollMs
    int AcceptedPolls;    // 0xAF accepted while the poll counter is at most this
    int FirstWaitCode;    // WaitSent codes: this for 0xA5, the next for the command
    bool KeepWindowAlive; // the long one lets the window process its messages
};

inline constexpr int kClearPollMs = 20;

inline constexpr ClearCommand kClearOperatingTime{0xA3, QT_TRANSLATE_NOOP("Link", "Betriebszeit löschen"),
                                                  QT_TRANSLATE_NOOP("Link", "Betriebszeit gelöscht"), 40, 38, 20,
                                                  false};
inline constexpr ClearCommand kClearFaultMemory{0xAD, QT_TRANSLATE_NOOP("Link", "Fehlerspeicher löschen"),
                                                QT_TRANSLATE_NOOP("Link", "Fehlerspeicher gelöscht"), 350, 348,
                                                22, true};
inline constexpr ClearCommand kClearIdentity{0xA6, QT_TRANSLATE_NOOP("Link", "Kennung löschen"),
                                             QT_TRANSLATE_NOOP("Link", "Kennung gelöscht"), 40, 38, 24, false};

// Asks "löschen ausführen?" after a ping and runs the command. Changes nothing in the
// parameter set (the PC's fault-memory table is replaced by the next download only).
// Done when the board confirmed.
Outcome RunClearCommand(const ClearCommand& command, SerialPort& port, TransferHost& host,
                        ParameterSet& params);

Outcome BetriebsZeitLoeButtonClick(SerialPort& port, TransferHost& host, ParameterSet& params);
Outcome FehlerSpeicherLoeButtonClick(SerialPort& port, TransferHost& host, ParameterSet& params);
Outcome KennungLoeButtonClick(SerialPort& port, TransferHost& host, ParameterSet& params);
