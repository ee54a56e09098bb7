#include "flash_protocol.h"

#include "srecord_reader.h"

#include "diagnostics_sink.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace FlashTiming;

bool FlashReady(const StatusReply& reply)
{
    return reply.Srd == 0x80;
}

bool IdVerified(const StatusReply& reply)
{
    return reply.Srd1 == 0x0C;
}

void ReportFlashStatus(LinkHost& host, const StatusReply& reply)
{
    Dialogs& dialogs = host.Messages();
    dialogs.Beep();
    if ((reply.Srd & 0x80) == 0)
        dialogs.Error(Tr("Firmware", FlashText::Busy));
    if (reply.Srd & 0x20)
        dialogs.Error(Tr("Firmware", FlashText::EraseFailed));
    if (reply.Srd & 0x10)
        dialogs.Error(Tr("Firmware", FlashText::ProgramFailed));
}

void ReportIdStatus(LinkHost& host, const StatusReply& reply)
{
    Dialogs& dialogs = host.Messages();
    dialogs.Beep();
    switch ((reply.Srd1 >> 2) & 0x03) {
    case 0: dialogs.Error(Tr("Firmware", FlashText::IdNotChecked)); break;
    case 1: dialogs.Error(Tr("Firmware", FlashText::IdMismatch)); break;
    default: break;
    }
}

namespace {

constexpr int kStatusBufferSize = 50;

// One flash region: where its pages lie and how its steps are reported.
struct Region {
    const std::vector<uint8_t>& image;
    int base;
    int loopEnd;  // pages are sent while their address is below this
    int clearCode, frameCode, statusCode, readCode;
    const char* running;
    const char* done;
    bool focusAfterPage;
};

class Flasher {
public:
    Flasher(Link& link, FirmwareHost& host, const FirmwareImage& image)
        : link_(link), host_(host), port_(link.Port), image_(image)
    {
    }

    bool Run()
    {
        if (!EnterBootMode() || !DetectBaudRate() || !CheckId())
            return false;
        host_.SetStatus(Tr("Firmware", FlashText::Connect));
        host_.Sleep(kConnectMs);
        if (!Erase())
            return false;
        const Region code{image_.codeImage, image_.codeBase, 0xFFFF,
                          FlashCode::CodeClear, FlashCode::CodeFrame, FlashCode::CodeStatus,
                          FlashCode::CodeRead, FlashText::CodeRunning, FlashText::CodeDone, true};
        if (!Program(code))
            return false;
        if (image_.hasDataRecords) {
            const Region data{image_.dataImage, image_.dataBase, 0x2BFF,
                              FlashCode::DataClear, FlashCode::DataFrame, FlashCode::DataStatus,
                              FlashCode::DataRead, FlashText::DataRunning, FlashText::DataDone,
                              false};
            if (!Program(data))
                return false;
        }
        ConfirmLine(link_);
        host_.Messages().Beep();
        return true;
    }

private:
    bool Send(uint8_t byte, int code)
    {
        port_.WriteByte(byte);
        return WaitSent(link_, code);
    }

    void Fail(const std::string& text)
    {
        host_.Messages().Beep();
        host_.Messages().Error(text);
    }

    // The microcontroller starts its boot ROM when it leaves reset with the Mode line on.
    bool EnterBootMode()
    {
        if (!ResetOn(link_))
            return false;
        host_.Sleep(kModeEntryMs);
        if (!ModeOn(link_))
            return false;
        host_.Sleep(kModeEntryMs);
        return ResetOff(link_);
    }

    bool DetectBaudRate()
    {
        host_.Sleep(kBootStartMs);
        for (int i = 0; i < kBaudDetectBytes; ++i) {
            if (!Send(BootByte::BaudDetect, FlashCode::BaudDetect))
                return false;
            host_.Sleep(kBaudDetectGapMs);
        }
        port_.PurgeInput();
        if (!Send(BootByte::Baud9600, FlashCode::Baud9600))
            return false;
        host_.Sleep(kCommandWaitMs);
        for (int waits = 0;; ++waits) {
            if (port_.InputCount() > 0) {
                const uint8_t reply = port_.ReadByte();
                if (reply == BootByte::Baud9600)
                    return true;
                Diagnose("flash: baud-rate reply " + std::to_string(reply) + " instead of 176");
                Fail(Tr("Firmware", FlashText::BaudNotConfirmed));
                return false;
            }
            if (waits >= kReplyMaxWaits) {
                Fail(Tr("Firmware", FlashText::BaudTimeout));
                return false;
            }
            host_.Sleep(kReplyPollMs);
        }
    }

    // Purge, 0x70, wait, then every waiting byte into the reply buffer.
    bool RequestStatus(int code, StatusReply& reply)
    {
        port_.PurgeInput();
        if (!Send(BootByte::ReadStatus, code))
            return false;
        host_.Sleep(kCommandWaitMs);
        uint8_t buffer[kStatusBufferSize] = {};
        const int waiting = port_.InputCount();
        for (int i = 0; i < waiting; ++i) {
            const uint8_t byte = port_.ReadByte();
            if (i < kStatusBufferSize)
                buffer[i] = byte;
        }
        reply = {buffer[0], buffer[1]};
        return true;
    }

    bool TryId(const std::array<uint8_t, 7>& id, StatusReply& reply)
    {
        if (!Send(BootByte::ClearStatus, FlashCode::ClearBeforeId))
            return false;
        host_.Sleep(kCommandWaitMs);
        std::vector<uint8_t> block = {BootByte::IdCheck, 0xDF, 0xFF, 0x00, 0x07};
        block.insert(block.end(), id.begin(), id.end());
        port_.WriteBlock(block.data(), block.size());
        // The boot ROM checks the ID once the last byte is in: the wait starts when
        // the block has left the PC, not when it was handed to the port.
        if (!WaitSent(link_, FlashCode::IdBlock))
            return false;
        host_.Sleep(kCommandWaitMs);
        return RequestStatus(FlashCode::StatusAfterId, reply);
    }

    // First with the ID the new firmware carries, then with the ID of a blank chip.
    bool CheckId()
    {
        StatusReply reply;
        if (!TryId(image_.IdCode(), reply))
            return false;
        if (IdVerified(reply))
            return true;
        if (!TryId(kErasedId, reply))
            return false;
        if (IdVerified(reply))
            return true;
        ReportIdStatus(host_, reply);
        return false;
    }

    bool Erase()
    {
        host_.SetStatus(Tr("Firmware", FlashText::Erasing));
        if (!Send(BootByte::ClearStatus, FlashCode::ClearBeforeErase))
            return false;
        host_.Sleep(kCommandWaitMs);
        if (!Send(BootByte::EraseAll, FlashCode::Erase)
            || !Send(BootByte::EraseConfirm, FlashCode::EraseConfirm))
            return false;
        // The boot ROM erases once it has the confirmation, whatever follows.
        host_.FlashErased();
        for (int pass = 0; pass < kErasePasses; ++pass) {
            host_.ProcessMessages();
            host_.SetProgress(pass);
            host_.Sleep(kErasePassMs);
        }
        StatusReply reply;
        if (!RequestStatus(FlashCode::StatusAfterErase, reply))
            return false;
        if (!FlashReady(reply)) {
            ReportFlashStatus(host_, reply);
            return false;
        }
        host_.SetStatus(Tr("Firmware", FlashText::Erased));
        return true;
    }

    bool Program(const Region& region)
    {
        host_.Sleep(kRegionPauseMs);
        host_.SetStatus(Tr("Firmware", region.running));
        host_.SetProgress(0);
        const float step = 100.0f / (float(region.loopEnd - region.base) / float(kPageSize));
        float progress = 0.0f;
        size_t position = 0;
        for (int page = region.base; page < region.loopEnd; page += kPageSize) {
            std::vector<uint8_t> frame = {BootByte::PageProgram, uint8_t(page >> 8), 0x00};
            frame.insert(frame.end(), region.image.begin() + long(position),
                         region.image.begin() + long(position) + kPageSize);
            position += kPageSize;

            if (!Send(BootByte::ClearStatus, region.clearCode))
                return false;
            host_.Sleep(kCommandWaitMs);
            port_.WriteBlock(frame.data(), frame.size());
            if (!WaitSent(link_, region.frameCode))
                return false;
            host_.Sleep(kPageProgramMs);
            StatusReply reply;
            if (!RequestStatus(region.statusCode, reply))
                return false;
            if (!FlashReady(reply)) {
                char text[64];
                std::snprintf(text, sizeof text, "flash: page 0x%04X answered status 0x%02X 0x%02X", page, reply.Srd,
                              reply.Srd1);
                Diagnose(text);
                ReportFlashStatus(host_, reply);
                host_.PageRefused(page, reply.Srd);
                return false;
            }
            progress += step;
            host_.ProcessMessages();
            host_.SetProgress(std::min(100, int(progress)));
            host_.Sleep(kAfterPageMs);
            if (region.focusAfterPage)
                host_.FocusMainWindow();
        }
        if (!Verify(region))
            return false;
        ConfirmLine(link_);
        host_.SetProgress(100);
        host_.SetStatus(Tr("Firmware", region.done));
        host_.Sleep(kRegionPauseMs);
        return true;
    }

    // The program error bit may stay clear although a page was programmed wrongly, so
    // every page is read back before the region counts as programmed.
    bool Verify(const Region& region)
    {
        host_.SetStatus(Tr("Firmware", FlashText::Verifying));
        host_.SetProgress(0);
        const int pages = (region.loopEnd - region.base + kPageSize - 1) / kPageSize;
        int done = 0;
        size_t position = 0;
        for (int page = region.base; page < region.loopEnd; page += kPageSize) {
            std::vector<uint8_t> content;
            if (!ReadPage(page, region.readCode, content))
                return false;
            for (int i = 0; i < kPageSize; ++i) {
                const uint8_t expected = region.image[position + size_t(i)];
                if (content[size_t(i)] != expected) {
                    char address[16];
                    std::snprintf(address, sizeof address, "0x%04X", page + i);
                    Diagnose(std::string("flash: verify at ") + address + " expected " + std::to_string(expected)
                             + ", found " + std::to_string(content[size_t(i)]));
                    Fail(Fill(Tr("Firmware", FlashText::VerifyFailed), {address}));
                    link_.Failure = Outcome::VerifyFailed;
                    return false;
                }
            }
            position += kPageSize;
            ++done;
            host_.ProcessMessages();
            host_.SetProgress(done * 100 / pages);
        }
        return true;
    }

    bool ReadPage(int page, int code, std::vector<uint8_t>& content)
    {
        port_.PurgeInput();
        const uint8_t command[3] = {BootByte::PageRead, uint8_t(page >> 8), 0x00};
        port_.WriteBlock(command, sizeof command);
        if (!WaitSent(link_, code))
            return false;
        for (int waits = 0;; ++waits) {
            for (int n = port_.InputCount(); n > 0; --n) {
                const uint8_t byte = port_.ReadByte();
                if (content.size() < size_t(kPageSize))
                    content.push_back(byte);
            }
            if (content.size() == size_t(kPageSize))
                return true;
            if (waits >= kReplyMaxWaits) {
                Fail(Tr("Firmware", FlashText::ReadTimeout));
                return false;
            }
            host_.Sleep(kReplyPollMs);
        }
    }

    Link& link_;
    FirmwareHost& host_;
    SerialPort& port_;
    const FirmwareImage& image_;
};

// Runs after success and after every failure: the board leaves boot mode at its next
// reset, the window gets its controls back.
void EndUpdate(Link& link, FirmwareHost& host)
{
    try {
        ModeOff(link);
    } catch (const EComError& e) {
        Diagnose(std::string("flash: releasing the mode line failed: ") + e.what());
    }
    host.EnableLinkControls(true);
    if (link.Params.DataPresent)
        host.EnableEditorControls(true);
    host.EnablePortList(true);
}

}  // namespace

Outcome FlashFirmware(Link& link, FirmwareHost& host, const FirmwareImage& image)
{
    if (!image.FitsTheFlash()) {
        host.Messages().Beep();
        host.Messages().Error(Tr("Firmware", FirmwareText::DoesNotFit));
        return Outcome::Refused;
    }
    host.RepaintMainWindow();
    host.EnableLinkControls(false);
    host.EnableEditorControls(false);
    host.EnablePortList(false);
    host.SetProgress(0);
    host.SetStatus("");

    const Outcome outcome = RunExchange(link, [&] {
        return Flasher(link, host, image).Run() ? Outcome::Done : link.Failure;
    }, nullptr);
    EndUpdate(link, host);
    return outcome;
}
