#include "download.h"
#include "translation.h"

#include "link.h"
#include "service_serial_number.h"
#include "text_file.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace {

using namespace Download;

inline constexpr const char* kFullMessage = QT_TRANSLATE_NOOP("Link", "Datenübertragungsfehler!\n\nSpeicherende erreicht!");
inline constexpr const char* kTimeoutMessage = QT_TRANSLATE_NOOP("Link", "Datenübertragungsfehler!\n\nZeitüberschreitung.");
inline constexpr const char* kLanguageMessage =
    QT_TRANSLATE_NOOP("Link", "Datenübertragungsfehler!\n\nUngültiges Sprach-Kontrollzeichen empfangen.");
inline constexpr const char* kNoDeviceTypeMessage =
    QT_TRANSLATE_NOOP("Link", "Datenübertragungsfehler!\n\nZeitüberschreitung.\nGerätetyp-Kennzeichen nicht empfangen!");
inline constexpr const char* kWrongEndMessage =
    QT_TRANSLATE_NOOP("Link", "Datenübertragungsfehler!\n\nFalsches Bestätigungsbyte!");
inline constexpr const char* kIncompleteMessage =
    QT_TRANSLATE_NOOP("Link", "Datenübertragungsfehler!\n\nUnvollständige Daten empfangen.");
inline constexpr const char* kFieldTooLongMessage =
    QT_TRANSLATE_NOOP("Link", "Datenübertragungsfehler!\n\nUngültiges Datenfeld empfangen.");

inline constexpr const char* kRunningStatus = QT_TRANSLATE_NOOP("Link", "Konfiguration und Fehlerspeicher lesen");
inline constexpr const char* kDoneStatus = QT_TRANSLATE_NOOP("Link", "Daten gelesen");

// Reads the block field by field; every read is checked against the block's end.
class BlockReader {
public:
    explicit BlockReader(const std::vector<uint8_t>& block) : block_(block) {}

    // The next field's text up to its "_"; false when the block ends first or the
    // text does not fit the field buffer (tooLong_ then says which).
    bool Field(std::string& text)
    {
        text.clear();
        while (pos_ < block_.size()) {
            uint8_t b = block_[pos_++];
            if (b == BoardByte::FieldEnd) return true;
            if (int(text.size()) + 2 > kFieldBufferSize) {
                tooLong_ = true;
                return false;
            }
            text += char(b);
        }
        return false;
    }
    bool Bytes(size_t count, std::string& out)
    {
        if (block_.size() - pos_ < count) return false;
        out.assign(block_.begin() + pos_, block_.begin() + pos_ + count);
        pos_ += count;
        return true;
    }
    bool TooLong() const { return tooLong_; }
    bool AtEnd() const { return pos_ >= block_.size(); }
    // The byte that must end the block follows, and nothing after it.
    bool EndsHere() const { return pos_ + 1 == block_.size() && block_[pos_] == BoardByte::Done; }

private:
    const std::vector<uint8_t>& block_;
    size_t pos_ = 0;
    bool tooLong_ = false;
};

}  // namespace

int32_t FieldValue(const std::string& text)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int64_t value = 0;
    const int64_t limit = negative ? -int64_t(std::numeric_limits<int32_t>::min())
                                   : int64_t(std::numeric_limits<int32_t>::max());
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit) value = limit;
    }
    return int32_t(negative ? -value : value);
}

uint32_t FaultTimeValue(const std::string& text)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    uint32_t value = 0;  // unsigned arithmetic wraps modulo 2^32
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + uint32_t(text[i] - '0');
    return negative ? 0u - value : value;
}

uint8_t FaultTextNumber(int32_t code)
{
    if (code < 0 || code > kHighestFaultText) return kInvalidFaultText;
    return uint8_t(code);
}

BlockParse ParseDownloadBlock(const std::vector<uint8_t>& block)
{
    BlockParse result;
    BlockReader reader(block);
    std::string text;
    auto fail = [&] {
        result.Status = reader.TooLong() ? BlockStatus::FieldTooLong : BlockStatus::Incomplete;
        return result;
    };
    for (int i = 0; i < kValueCount; ++i) {
        if (!reader.Field(text)) return fail();
        result.Data.Values[i] = FieldValue(text);
    }
    // The first record received is entry 1000, the last entry 1.
    for (int n = kFaultFields; n >= 1; --n) {
        if (!reader.Field(text)) return fail();
        result.Data.Faults.Entry(n).Time = int32_t(FaultTimeValue(text));
    }
    for (int n = kFaultFields; n >= 1; --n) {
        if (!reader.Field(text)) return fail();
        result.Data.Faults.Entry(n).Fault = FaultTextNumber(FieldValue(text));
    }
    std::string serial, mark;
    if (!reader.Bytes(kSerialBytes, serial) || !reader.Bytes(kMarkBytes, mark)) return fail();
    result.Data.SerialNumber = FromWindows1252(serial);
    result.Data.DeviceMark = FromWindows1252(mark);
    if (reader.AtEnd()) return fail();
    result.Status = reader.EndsHere() ? BlockStatus::Ok : BlockStatus::WrongEnd;
    return result;
}

Outcome EmpfangenButtonClick(SerialPort& port, TransferHost& host, ParameterSet& params,
                             FaultMemory& faults)
{
    Link link{port, host, params};
    Dialogs& dialogs = host.Messages();

    auto cleanUp = [&] {
        host.RefreshMainWindow();
        host.EnableDeviceTypeButton();
        RestoreAfterFailure(host, true);
        return link.Failure;
    };
    // A download abandoned by a port or line error leaves nothing of what it stored:
    // the bytes it took may be the ones the line corrupted.
    const ParameterSet before = params;
    const FaultMemory faultsBefore = faults;
    auto abandoned = [&] {
        params.Values = before.Values;
        params.SerialNumber = before.SerialNumber;
        params.DeviceMark = before.DeviceMark;
        params.DeviceType = before.DeviceType;
        params.BoardVersionText = before.BoardVersionText;
        faults = faultsBefore;
        cleanUp();
    };
    auto fail = [&](const char* message) {
        ShowLinkError(host, Tr("Link", message));
        link.Failure = Outcome::BoardFailed;
        return cleanUp();
    };
    // One byte within kIdlePolls polls, or nothing.
    auto pollByte = [&](bool keepWindowAlive) -> std::optional<uint8_t> {
        for (int poll = 0; poll < kIdlePolls; ++poll) {
            if (port.InputCount() > 0) return port.ReadByte();
            if (keepWindowAlive) host.ProcessMessages();
            host.Sleep(kPollMs);
        }
        if (port.InputCount() > 0) return port.ReadByte();
        return std::nullopt;
    };

    return RunExchange(link, [&] {
        SessionResult session = StartSession(link);
        if (session == SessionResult::ResetFailed) return cleanUp();
        if (session == SessionResult::PingFailed) return link.Failure;

        host.EnableLinkControls(false);
        host.EnableEditorControls(false);

        port.WriteByte(BoardByte::Command);
        if (!WaitSent(link, LinkCode::DownloadCommandSent)) return cleanUp();
        port.WriteByte(BoardByte::Download);
        if (!WaitSent(link, LinkCode::DownloadSent)) return cleanUp();

        host.Sleep(kSettleMs);
        // The board begins its block a while after the command, and the purge drops what
        // came before it. Bytes already waiting here may be the block's start, come early
        // to a PC that slept longer than it asked: discarding them would cut the first
        // value ("25_" read as "_" is 0) without a trace, so such a download is refused.
        if (port.InputCount() > 0) return fail(kIncompleteMessage);
        port.PurgeInput();
        host.SetProgress(0);
        host.SetStatus(Tr("Link", kRunningStatus));

        std::vector<uint8_t> block;
        block.reserve(kBlockBufferSize);
        int fields = 0;
        int idle = 0;
        do {
            if (port.InputCount() > 0) {
                uint8_t b = port.ReadByte();
                block.push_back(b);
                if (b == BoardByte::FieldEnd) ++fields;
                idle = 0;
                if (int(block.size()) >= kBlockLimit) return fail(kFullMessage);
            } else {
                host.Sleep(kPollMs);
                if (++idle >= kIdlePolls) return fail(kTimeoutMessage);
            }
            if (fields > 0) {
                host.ProcessMessages();
                // A board that sends more fields than it should must not push the
                // bar past its end.
                host.SetProgress(std::min(fields / kProgressFieldsPerStep, 100));
            }
        } while (block.empty() || block.back() != BoardByte::Done);

        // A block cut short (an 0xAF among the identity bytes ends it early) or holding
        // a field too long for the board to have meant it is refused before anything
        // of it is stored.
        BlockParse parsed = ParseDownloadBlock(block);
        if (parsed.Status == BlockStatus::Incomplete) return fail(kIncompleteMessage);
        if (parsed.Status == BlockStatus::FieldTooLong) return fail(kFieldTooLongMessage);

        std::optional<uint8_t> version = pollByte(false);
        if (!version) return fail(kNoConfigVersionMessage);
        if (*version != params.ConfigVersion) return fail(kWrongConfigVersionMessage);

        std::optional<uint8_t> language = pollByte(false);
        if (!language) return fail(kTimeoutMessage);
        if (*language > 1) return fail(kLanguageMessage);

        std::optional<uint8_t> deviceType = pollByte(true);
        if (!deviceType) return fail(kNoDeviceTypeMessage);
        params.DeviceType = *deviceType;

        // The version text is shown as far as it arrived, also when it fails.
        std::string versionBytes;
        params.BoardVersionText.clear();
        for (;;) {
            std::optional<uint8_t> b = pollByte(false);
            if (!b) return fail(kTimeoutMessage);
            if (int(versionBytes.size()) + 1 >= kVersionTextLimit) return fail(kFullMessage);
            if (*b == BoardByte::FieldEnd) break;
            versionBytes += char(*b);
            if (versionBytes.size() < kVersionTextLimit - 1)
                params.BoardVersionText = FromWindows1252(versionBytes);
        }

        ConfirmLine(link);
        for (int i = 0; i < kValueCount; ++i) {
            params.Values[i] = parsed.Data.Values[i];
            host.ProcessMessages();
        }
        for (int n = kFaultEntries; n >= 1; --n) {
            faults.Entry(n).Time = parsed.Data.Faults.Entry(n).Time;
            host.ProcessMessages();
        }
        for (int n = kFaultEntries; n >= 1; --n) {
            faults.Entry(n).Fault = parsed.Data.Faults.Entry(n).Fault;
            host.ProcessMessages();
        }
        params.SerialNumber = parsed.Data.SerialNumber;
        params.DeviceMark = parsed.Data.DeviceMark;
        // The window processed its messages while the values went in.
        ConfirmLine(link);

        if (parsed.Status == BlockStatus::WrongEnd) return fail(kWrongEndMessage);

        host.SetProgress(100);
        host.SetStatus(Tr("Link", kDoneStatus));
        host.EnableLinkControls(true);
        host.EnableEditorControls(true);
        params.DataPresent = 1;
        dialogs.Beep();
        host.RefreshMainWindow();
        host.EnableDeviceTypeButton();
        UpdateSendSerialButton(host, params);
        return Outcome::Done;
    }, abandoned);
}
