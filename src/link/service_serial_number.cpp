#include "service_serial_number.h"
#include "translation.h"

#include "link.h"
#include "text_file.h"

#include "diagnostics_sink.h"

using namespace SerialNumberTiming;

namespace {

inline constexpr const char* kLengthMessage = QT_TRANSLATE_NOOP("Link", "Es müssen 4 Zeichen eingegeben werden !");
inline constexpr const char* kWrongEchoMessage = QT_TRANSLATE_NOOP("Link", "Datenübertragungsfehler!\n\n Falsches Antwortbyte.");
inline constexpr const char* kNoEchoMessage = QT_TRANSLATE_NOOP("Link", "Datenübertragungsfehler!\n\n  Zeitüberschreitung.");
inline constexpr const char* kWrongDoneMessage =
    QT_TRANSLATE_NOOP("Link", "    Programmierfehler!\n\nFalsches Bestätigungsbyte.");
inline constexpr const char* kNoDoneMessage = QT_TRANSLATE_NOOP("Link", "Programmierfehler!\n\nZeitüberschreitung.");

inline constexpr int kMarkLength = 3;

// Characters of a UTF-8 text as the board counts them (one byte each in Windows-1252).
size_t BoardLength(const std::string& text) { return ToWindows1252(text).size(); }

// `text` as exactly `length` board bytes.
std::string BoardBytes(const std::string& text, size_t length)
{
    std::string bytes = ToWindows1252(text);
    bytes.resize(length, '.');
    return bytes;
}

}  // namespace

std::string SerienNrEditAccept(Dialogs& dialogs, ParameterSet& params, const std::string& text)
{
    if (BoardLength(text) == kSerialNumberLength) {
        params.SerialNumber = text;
    } else {
        dialogs.Beep();
        dialogs.Information(Tr("Link", kLengthMessage));
    }
    return params.SerialNumber;
}

bool SerienNrEditSwallowsKey(int key) { return key == '\r' || key == kSerialKeySwallowed; }

bool SendSerialButtonEnabled(const std::string& fieldText, const std::string& deviceMark)
{
    return fieldText != "..." && deviceMark != "...";
}

void UpdateSendSerialButton(TransferHost& host, const ParameterSet& params)
{
    host.EnableSendSerialButton(SendSerialButtonEnabled(host.SerialEditText(), params.DeviceMark));
}

Outcome SendSerienNrButtonClick(SerialPort& port, TransferHost& host, ParameterSet& params)
{
    Link link{port, host, params};
    Dialogs& dialogs = host.Messages();

    auto cleanUp = [&] {
        RestoreAfterFailure(host, params.DataPresent != 0);
        return link.Failure;
    };
    auto fail = [&](const char* message) {
        ShowLinkError(host, Tr("Link", message));
        link.Failure = Outcome::BoardFailed;
        return cleanUp();
    };
    // Writes one byte and waits for its echo; false after the failure path ran.
    auto sendEchoed = [&](uint8_t byte, int waitCode) {
        port.WriteByte(byte);
        if (!WaitSent(link, waitCode)) {
            cleanUp();
            return false;
        }
        for (int poll = 1; poll <= kEchoPolls; ++poll) {
            host.Sleep(LinkTiming::kEchoPollMs);
            if (port.InputCount() <= 0) continue;
            const uint8_t echo = port.ReadByte();
            if (echo != byte) {
                Diagnose("serial number: echo expected " + std::to_string(byte) + ", received " + std::to_string(echo));
                fail(kWrongEchoMessage);
                return false;
            }
            if (poll <= kEchoPollsInTime) return true;
            break;
        }
        Diagnose("serial number: no echo of " + std::to_string(byte) + " in time");
        fail(kNoEchoMessage);
        return false;
    };

    return RunExchange(link, [&] {
        if (!PingBoard(link)) return link.Failure;
        dialogs.Beep();
        if (!dialogs.ConfirmOk(Tr("Link", "übertragen ausführen?"))) return Outcome::Declined;

        host.EnableLinkControls(false);
        host.EnableEditorControls(false);

        port.WriteByte(BoardByte::Command);
        if (!WaitSent(link, LinkCode::SerialCommandSent)) return cleanUp();
        port.WriteByte(BoardByte::SerialNumber);
        if (!WaitSent(link, LinkCode::SerialSent)) return cleanUp();
        host.Sleep(LinkTiming::kCommandGapMs);

        host.SetProgress(0);
        host.SetStatus(Tr("Link", "Serien-Nummer übertragen"));
        port.PurgeInput();

        std::string identity = BoardBytes(params.SerialNumber, kSerialNumberLength)
                             + BoardBytes(params.DeviceMark, kMarkLength);
        for (size_t i = 0; i < identity.size(); ++i) {
            if (!sendEchoed(uint8_t(identity[i]),
                            i < kSerialNumberLength ? LinkCode::SerialDigitSent : LinkCode::SerialMarkSent))
                return link.Failure;
            host.Sleep(kAfterEchoMs);
            host.SetProgress(int((i + 1) * 100 / identity.size()));
        }
        if (!sendEchoed(BoardByte::DataEnd, LinkCode::SerialDataEndSent)) return link.Failure;

        host.SetProgress(0);
        host.SetStatus(Tr("Link", "Serien-Nummer programmieren"));
        int l = 0;
        while (l < kDonePolls) {
            host.Sleep(kDonePollMs);
            if (port.InputCount() > 0) {
                if (port.ReadByte() == BoardByte::Done) break;
                return fail(kWrongDoneMessage);
            }
            if (l > 0) host.SetProgress(std::min(100, l * 100 / kDoneAccepted));
            ++l;
        }
        if (l > kDoneAccepted) return fail(kNoDoneMessage);
        ConfirmLine(link);

        host.SetProgress(100);
        host.SetStatus(Tr("Link", "Serien-Nummer programmiert"));
        host.Sleep(LinkTiming::kAfterStoredMs);
        host.EnableLinkControls(true);
        host.EnableEditorControls(params.DataPresent != 0);
        dialogs.Beep();
        host.Sleep(LinkTiming::kBeforeRestartMs);
        return Outcome::Done;
    }, cleanUp);
}
