// Every wait, poll limit and code of the board's protocols, stated as the number the
// protocol documents. The exchange tests run on these constants, so a slip in a header
// would move the tests with it; this table does not move.
#include "download.h"
#include "flash_protocol.h"
#include "link.h"
#include "service_clear.h"
#include "service_serial_number.h"
#include "upload.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Number {
    const char* name;
    int value;
    int documented;
};

void ExpectDocumented(const std::vector<Number>& table)
{
    for (const Number& n : table)
        EXPECT_EQ(n.value, n.documented) << n.name;
}

TEST(ProtocolNumbers, LinkWaitsAndPolls)
{
    using namespace LinkTiming;
    ExpectDocumented({
        {"WaitSent poll ms", kSentPollMs, 10},
        {"WaitSent waits before giving up", kSentMaxWaits, 96},
        {"line answer ms", kLineAnswerMs, 50},
        {"reset pulse ms", kResetPulseMs, 200},
        {"after reset ms", kAfterResetMs, 2000},
        {"ping first poll ms", kPingFirstPollMs, 10},
        {"ping poll ms", kPingPollMs, 1},
        {"mode off settle ms", kModeOffSettleMs, 200},
        {"answer polls", kAnswerPolls, 100},
        {"answer polls in time", kAnswerInTime, 96},
        {"command gap ms", kCommandGapMs, 10},
        {"echo poll ms", kEchoPollMs, 1},
        {"0xFA echo poll ms", kDataEndPollMs, 10},
        {"after stored ms", kAfterStoredMs, 20},
        {"before restart ms", kBeforeRestartMs, 200},
    });
}

TEST(ProtocolNumbers, LinkCodes)
{
    using namespace LinkCode;
    ExpectDocumented({
        {"ping", PingSent, 1},
        {"0xA5 before 0xA8/0xA4", CommandSent, 2},
        {"0xA8/0xA4", UploadSent, 3},
        {"field character", DigitSent, 4},
        {"field end", FieldEndSent, 5},
        {"0xFA", DataEndSent, 6},
        {"0xA5 before 0xAB", DownloadCommandSent, 7},
        {"0xAB", DownloadSent, 8},
        {"0xA5 before 0xB8", SerialCommandSent, 26},
        {"0xB8", SerialSent, 27},
        {"serial character", SerialDigitSent, 28},
        {"mark character", SerialMarkSent, 29},
        {"0xFA after the serial number", SerialDataEndSent, 30},
        {"digit wrong", DigitWrong, 1},
        {"digit late", DigitMissing, 2},
        {"field end wrong", FieldEndWrong, 3},
        {"field end late", FieldEndMissing, 4},
        {"0xFA wrong", DataEndWrong, 5},
        {"0xFA late", DataEndMissing, 6},
        {"confirmation wrong", StoredWrong, 7},
        {"confirmation missing", StoredMissing, 8},
        {"kind wrong byte", WrongByte, 1},
        {"kind time-out", Timeout, 2},
        {"kind wrong confirmation", WrongConfirmation, 3},
        {"kind no confirmation", NoConfirmation, 4},
    });
}

TEST(ProtocolNumbers, Bytes)
{
    ExpectDocumented({
        {"ping", BoardByte::Ping, 0xBA},
        {"command", BoardByte::Command, 0xA5},
        {"upload", BoardByte::Upload, 0xA8},
        {"download", BoardByte::Download, 0xAB},
        {"clear operating time", BoardByte::ClearOperatingTime, 0xA3},
        {"clear fault memory", BoardByte::ClearFaultMemory, 0xAD},
        {"clear identity", BoardByte::ClearIdentity, 0xA6},
        {"device type", BoardByte::DeviceType, 0xA4},
        {"serial number", BoardByte::SerialNumber, 0xB8},
        {"field end", BoardByte::FieldEnd, '_'},
        {"data end", BoardByte::DataEnd, 0xFA},
        {"done", BoardByte::Done, 0xAF},
        {"boot: baud detect", BootByte::BaudDetect, 0x00},
        {"boot: 9600", BootByte::Baud9600, 0xB0},
        {"boot: clear status", BootByte::ClearStatus, 0x50},
        {"boot: read status", BootByte::ReadStatus, 0x70},
        {"boot: ID check", BootByte::IdCheck, 0xF5},
        {"boot: erase all", BootByte::EraseAll, 0xA7},
        {"boot: erase confirm", BootByte::EraseConfirm, 0xD0},
        {"boot: page program", BootByte::PageProgram, 0x41},
        {"boot: page read", BootByte::PageRead, 0xFF},
    });
}

TEST(ProtocolNumbers, UploadDownloadAndServices)
{
    ExpectDocumented({
        {"upload version polls", Upload::kVersionPolls, 500},
        {"upload version poll ms", Upload::kVersionPollMs, 10},
        {"upload after value ms", Upload::kAfterValueMs, 10},
        {"storing polls", Upload::kStorePolls, 600},
        {"storing accepted", Upload::kStoreAccepted, 598},
        {"storing poll ms", Upload::kStorePollMs, 20},
        {"download block buffer", Download::kBlockBufferSize, 64000},
        {"download block full", Download::kBlockLimit, 63995},
        {"download field buffer", Download::kFieldBufferSize, 50},
        {"download idle polls", Download::kIdlePolls, 500},
        {"download poll ms", Download::kPollMs, 10},
        {"download settle ms", Download::kSettleMs, 50},
        {"download version text limit", Download::kVersionTextLimit, 18},
        {"download fault fields", Download::kFaultFields, 1000},
        {"clear poll ms", kClearPollMs, 20},
        {"clear hours polls", kClearOperatingTime.Polls, 40},
        {"clear hours accepted", kClearOperatingTime.AcceptedPolls, 38},
        {"clear hours code", kClearOperatingTime.FirstWaitCode, 20},
        {"clear faults polls", kClearFaultMemory.Polls, 350},
        {"clear faults accepted", kClearFaultMemory.AcceptedPolls, 348},
        {"clear faults code", kClearFaultMemory.FirstWaitCode, 22},
        {"clear identity polls", kClearIdentity.Polls, 40},
        {"clear identity accepted", kClearIdentity.AcceptedPolls, 38},
        {"clear identity code", kClearIdentity.FirstWaitCode, 24},
        {"serial echo polls", SerialNumberTiming::kEchoPolls, 100},
        {"serial echo in time", SerialNumberTiming::kEchoPollsInTime, 96},
        {"serial after echo ms", SerialNumberTiming::kAfterEchoMs, 50},
        {"serial done polls", SerialNumberTiming::kDonePolls, 40},
        {"serial done accepted", SerialNumberTiming::kDoneAccepted, 38},
        {"serial done poll ms", SerialNumberTiming::kDonePollMs, 20},
    });
}

TEST(ProtocolNumbers, Flash)
{
    using namespace FlashTiming;
    ExpectDocumented({
        {"mode entry ms", kModeEntryMs, 200},
        {"boot start ms", kBootStartMs, 500},
        {"baud detect bytes", kBaudDetectBytes, 16},
        {"baud detect gap ms", kBaudDetectGapMs, 35},
        {"command wait ms", kCommandWaitMs, 50},
        {"reply poll ms", kReplyPollMs, 10},
        {"reply waits", kReplyMaxWaits, 96},
        {"connect ms", kConnectMs, 1000},
        {"erase passes", kErasePasses, 100},
        {"erase pass ms", kErasePassMs, 60},
        {"region pause ms", kRegionPauseMs, 1000},
        {"page program ms", kPageProgramMs, 300},
        {"after page ms", kAfterPageMs, 50},
        {"code: baud detect", FlashCode::BaudDetect, 9},
        {"code: 9600", FlashCode::Baud9600, 10},
        {"code: clear before ID", FlashCode::ClearBeforeId, 11},
        {"code: status after ID", FlashCode::StatusAfterId, 12},
        {"code: clear before erase", FlashCode::ClearBeforeErase, 13},
        {"code: erase", FlashCode::Erase, 14},
        {"code: erase confirm", FlashCode::EraseConfirm, 15},
        {"code: status after erase", FlashCode::StatusAfterErase, 16},
        {"code: code page clear", FlashCode::CodeClear, 17},
        {"code: code page frame", FlashCode::CodeFrame, 18},
        {"code: code page status", FlashCode::CodeStatus, 19},
        {"code: data page clear", FlashCode::DataClear, 20},
        {"code: data page frame", FlashCode::DataFrame, 21},
        {"code: data page status", FlashCode::DataStatus, 22},
        {"code: ID block", FlashCode::IdBlock, 30},
        {"code: code read-back", FlashCode::CodeRead, 31},
        {"code: data read-back", FlashCode::DataRead, 32},
    });
}

}  // namespace
