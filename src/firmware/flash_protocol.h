#pragma once
// Writes a FirmwareImage into the board through the serial boot ROM of its
// microcontroller: boot-mode entry on the Reset and Mode lines, baud-rate detection,
// ID check, erase, page programming of the code flash and (when the file had data
// records) the data flash, each region read back and compared before it is reported
// as programmed. Everything runs on the user-interface thread and waits by sleeping.
#include "firmware_host.h"
#include "translation.h"
#include "firmware_image.h"
#include "link.h"

#include <array>
#include <cstdint>

namespace BootByte {
inline constexpr uint8_t BaudDetect = 0x00;
inline constexpr uint8_t Baud9600 = 0xB0;
inline constexpr uint8_t ClearStatus = 0x50;
inline constexpr uint8_t ReadStatus = 0x70;
inline constexpr uint8_t IdCheck = 0xF5;
inline constexpr uint8_t EraseAll = 0xA7;
inline constexpr uint8_t EraseConfirm = 0xD0;
inline constexpr uint8_t PageProgram = 0x41;
inline constexpr uint8_t PageRead = 0xFF;
}  // namespace BootByte

// The protocol's waits.
namespace FlashTiming {
inline constexpr int kModeEntryMs = 200;      // after ResetOn, and after ModeOn
inline constexpr int kBootStartMs = 500;      // from the reset release to the first byte
inline constexpr int kBaudDetectBytes = 16;
inline constexpr int kBaudDetectGapMs = 35;
inline constexpr int kCommandWaitMs = 50;     // after 0xB0, 0x50, the ID block, 0x70
inline constexpr int kReplyPollMs = 10;
inline constexpr int kReplyMaxWaits = 96;     // the 97th test without a byte gives up
inline constexpr int kConnectMs = 1000;
inline constexpr int kErasePasses = 100;
inline constexpr int kErasePassMs = 60;
inline constexpr int kRegionPauseMs = 1000;   // before and after each region
inline constexpr int kPageProgramMs = 300;
inline constexpr int kAfterPageMs = 50;
}  // namespace FlashTiming

// WaitSent codes: which byte did not leave the PC.
namespace FlashCode {
inline constexpr int BaudDetect = 9;
inline constexpr int Baud9600 = 10;
inline constexpr int ClearBeforeId = 11;
inline constexpr int StatusAfterId = 12;
inline constexpr int ClearBeforeErase = 13;
inline constexpr int Erase = 14;
inline constexpr int EraseConfirm = 15;
inline constexpr int StatusAfterErase = 16;
inline constexpr int CodeClear = 17;
inline constexpr int CodeFrame = 18;
inline constexpr int CodeStatus = 19;
inline constexpr int DataClear = 20;
inline constexpr int DataFrame = 21;
inline constexpr int DataStatus = 22;
// The ID-check block itself (F5 ... and the seven ID bytes); the codes 9 to 22 name
// the single bytes around it, so the block gets one beside the read-back's.
inline constexpr int IdBlock = 30;
inline constexpr int CodeRead = 31;
inline constexpr int DataRead = 32;
}  // namespace FlashCode

namespace FlashText {
inline constexpr const char* BaudNotConfirmed =
    QT_TRANSLATE_NOOP("Firmware", "Baudrate wurde vom LCD-Board nicht bestätigt!\n\n      Datenübertragung abgebrochen!");
inline constexpr const char* BaudTimeout =
    QT_TRANSLATE_NOOP("Firmware", "Zeitüberschreitung beim Baudrate ermitteln!\n\n      Datenübertragung abgebrochen!");
inline constexpr const char* Busy = QT_TRANSLATE_NOOP("Firmware", "Flash in Bearbeitung!");
inline constexpr const char* EraseFailed = QT_TRANSLATE_NOOP("Firmware", "Flash löschen mit Fehler beendet!");
inline constexpr const char* ProgramFailed = QT_TRANSLATE_NOOP("Firmware", "Flash programmieren mit Fehler beendet!!");
inline constexpr const char* IdNotChecked = QT_TRANSLATE_NOOP("Firmware", "ID nicht geprüft!");
inline constexpr const char* IdMismatch = QT_TRANSLATE_NOOP("Firmware", "ID nicht abgestimmt!");
inline constexpr const char* ReadTimeout =
    QT_TRANSLATE_NOOP("Firmware", "Zeitüberschreitung beim Flash prüfen!\n\n      Datenübertragung abgebrochen!");
// %1: the address as 0x%04X.
inline constexpr const char* VerifyFailed = QT_TRANSLATE_NOOP("Firmware", "Flash-Prüfung fehlgeschlagen bei Adresse %1!");

inline constexpr const char* Connect = QT_TRANSLATE_NOOP("Firmware", "Connect");
inline constexpr const char* Erasing = QT_TRANSLATE_NOOP("Firmware", "Flash löschen");
inline constexpr const char* Erased = QT_TRANSLATE_NOOP("Firmware", "Flash gelöscht");
inline constexpr const char* CodeRunning = QT_TRANSLATE_NOOP("Firmware", "Code-Flash programmieren");
inline constexpr const char* CodeDone = QT_TRANSLATE_NOOP("Firmware", "Code-Flash programmiert");
inline constexpr const char* DataRunning = QT_TRANSLATE_NOOP("Firmware", "Daten-Flash programmieren");
inline constexpr const char* DataDone = QT_TRANSLATE_NOOP("Firmware", "Daten-Flash programmiert");
inline constexpr const char* Verifying = QT_TRANSLATE_NOOP("Firmware", "Flash prüfen");
}  // namespace FlashText

// The first two bytes of the boot ROM's answer to 0x70 (0 where none came).
struct StatusReply {
    uint8_t Srd = 0;
    uint8_t Srd1 = 0;
};

// The status is compared whole, as this board's boot ROM has always been driven: SRD
// must be exactly 0x80 (ready and nothing else; 0x88 marks a page written with an
// error) and SRD1 exactly 0x0C (ID verified).
bool FlashReady(const StatusReply& reply);
bool IdVerified(const StatusReply& reply);
void ReportFlashStatus(LinkHost& host, const StatusReply& reply);
void ReportIdStatus(LinkHost& host, const StatusReply& reply);

// The ID a blank chip carries: seven erased bytes.
inline constexpr std::array<uint8_t, 7> kErasedId = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

// The whole update, from locking the window to releasing the Mode line and restoring
// the controls. Done only when every region was programmed and verified. `host` is
// the window behind link.Host. An image the flash cannot take is refused before
// anything happens.
Outcome FlashFirmware(Link& link, FirmwareHost& host, const FirmwareImage& image);
