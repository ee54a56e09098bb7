#pragma once
// Reads a Motorola S-record firmware file (.mot) into a FirmwareImage, one character
// at a time. Only S2 records carry data; addresses 0x2xxx go to the data flash, all
// others to the code flash. Reading ends with success at the first S7, S8 or S9.
//
// Two habits of the board's own reader are kept on purpose, since firmware files were
// always checked against them: lower-case hex digits read as 0, and the high address
// byte is left out of the checksum (so only records below 64 KiB with a high byte of
// 00 pass).
//
// Everything that could not be placed soundly in the flash is refused before the board
// is touched: records outside the flash regions or below the first record of their
// kind, empty records, records that end (at a line end or the next "S") before their
// byte count is satisfied, a first record off a page boundary, a file without code,
// and a code image that does not carry the ID bytes the boot ROM asks for. A file that
// carries an S5 or S6 count record must hold as many data records (S1, S2, S3) before
// it as the record counts.
#include "firmware_image.h"
#include "translation.h"

#include <optional>
#include <string>

namespace FirmwareText {
inline constexpr const char* UnexpectedEnd = QT_TRANSLATE_NOOP("Firmware", "Unerwartetes Dateiende!");
inline constexpr const char* ChecksumError = QT_TRANSLATE_NOOP("Firmware", "Checksummen-Fehler!");
inline constexpr const char* DoesNotFit = QT_TRANSLATE_NOOP("Firmware", "Firmware-Datei passt nicht in den Flash-Speicher!");
inline constexpr const char* EmptyRecord = QT_TRANSLATE_NOOP("Firmware", "Fehlerhafter Datensatz in der Firmware-Datei!");
inline constexpr const char* NotOnPage = QT_TRANSLATE_NOOP("Firmware", "Firmware-Datei beginnt nicht an einer Seitengrenze!");
inline constexpr const char* NoCode = QT_TRANSLATE_NOOP("Firmware", "Firmware-Datei enthält keinen Programmcode!");
inline constexpr const char* NoIdCode = QT_TRANSLATE_NOOP("Firmware", "Firmware-Datei enthält keinen ID-Code!");
inline constexpr const char* RecordCountWrong =
    QT_TRANSLATE_NOOP("Firmware", "Firmware-Datei unvollständig: die Anzahl der Datensätze stimmt nicht!");
}  // namespace FirmwareText

struct SRecordResult {
    std::optional<FirmwareImage> image;  // set on success
    std::string message;                 // the refusal, empty on success
};

// "0".."9" and "A".."F"; every other character (lower case included) is 0.
int HexDigitValue(char c);

SRecordResult ReadSRecords(const std::string& bytes);
