#include "boot_rom.h"

#include "firmware_image.h"

#include <algorithm>

namespace {

constexpr uint8_t kBaudDetect = 0x00;
constexpr uint8_t kBaud9600 = 0xB0;
constexpr uint8_t kClearStatus = 0x50;
constexpr uint8_t kReadStatus = 0x70;
constexpr uint8_t kIdCheck = 0xF5;
constexpr uint8_t kEraseAll = 0xA7;
constexpr uint8_t kEraseConfirm = 0xD0;
constexpr uint8_t kPageProgram = 0x41;
constexpr uint8_t kPageRead = 0xFF;
constexpr int kBaudDetectZeros = 16;

bool InFlash(int page)
{
    return (page >= kCodeFlashStart && page + kPageSize <= kCodeFlashEnd)
           || (page >= kDataFlashStart && page + kPageSize <= kDataFlashEnd);
}

}  // namespace

BootRom::BootRom() : flash_(0x10000, kErasedByte) {}

void BootRom::StoreId(const std::array<uint8_t, 7>& id)
{
    for (size_t i = 0; i < id.size(); ++i)
        flash_[size_t(kIdAddresses[i])] = id[i];
}

bool BootRom::IdAreaErased() const
{
    return std::all_of(kIdAddresses.begin(), kIdAddresses.end(),
                       [this](int a) { return flash_[size_t(a)] == kErasedByte; });
}

void BootRom::OnStart(VirtualBoard& board)
{
    (void)board;
    zeros_ = 0;
    synced_ = false;
    srd_ = kSrdReady;
    srd1_ = 0;
    busyUntilUs_ = 0;
    command_.clear();
}

int BootRom::ArgumentCount(uint8_t command)
{
    switch (command) {
    case kIdCheck: return 11;  // address low, middle, high, length, seven ID bytes
    case kEraseAll: return 1;
    case kPageProgram: return 2 + kPageSize;
    case kPageRead: return 2;
    default: return 0;
    }
}

void BootRom::OnByte(VirtualBoard& board, uint8_t byte)
{
    if (!board.RtsHigh())
        return;
    if (!synced_) {
        if (byte == kBaudDetect) {
            ++zeros_;
        } else if (byte == kBaud9600 && zeros_ >= kBaudDetectZeros) {
            if (failure == Failure::NoBaudReply)
                return;
            synced_ = true;
            board.Send(failure == Failure::WrongBaudReply ? WrongBaudByte : kBaud9600,
                       kAnswerDelayUs);
        } else {
            zeros_ = 0;
        }
        return;
    }
    command_.push_back(byte);
    if (int(command_.size()) > ArgumentCount(command_[0])) {
        Command(board);
        command_.clear();
    }
}

void BootRom::Command(VirtualBoard& board)
{
    switch (command_[0]) {
    case kClearStatus:
        srd_ &= uint8_t(~(kSrdEraseError | kSrdProgramError | kSrdPageWriteError));
        break;
    case kReadStatus: ReadStatus(board); break;
    case kIdCheck: CheckId(); break;
    case kEraseAll: Erase(board, command_[1]); break;
    case kPageProgram: ProgramPage(board); break;
    case kPageRead: ReadPage(board); break;
    default: break;  // unknown commands are ignored
    }
}

void BootRom::ReadStatus(VirtualBoard& board)
{
    if (failure == Failure::NoStatusReply)
        return;
    // The registers are read when the sequencer is ready again.
    const int64_t wait = std::max<int64_t>(0, busyUntilUs_ - board.NowUs());
    board.At(wait, [this, &board] { board.Send({srd_, srd1_}, kAnswerDelayUs); });
}

void BootRom::CheckId()
{
    std::array<uint8_t, 7> id{};
    std::copy(command_.begin() + 5, command_.end(), id.begin());
    idsTried_.push_back(id);
    const bool addressOk = command_[1] == 0xDF && command_[2] == 0xFF && command_[3] == 0x00
                           && command_[4] == 7;
    bool match = true;
    for (size_t i = 0; i < id.size(); ++i)
        match = match && flash_[size_t(kIdAddresses[i])] == id[i];
    const bool verified = failure != Failure::WrongId && addressOk && (IdAreaErased() || match);
    srd1_ = uint8_t((srd1_ & ~kSrd1IdVerified) | (verified ? kSrd1IdVerified : kSrd1IdMismatch));
}

void BootRom::Erase(VirtualBoard& board, uint8_t confirm)
{
    if ((srd1_ & kSrd1IdVerified) != kSrd1IdVerified)
        return;
    if (confirm != kEraseConfirm) {
        srd_ |= kSrdEraseError | kSrdProgramError;  // command sequence error
        return;
    }
    srd_ &= uint8_t(~kSrdReady);
    busyUntilUs_ = board.NowUs() + EraseUs;
    board.At(EraseUs, [this] {
        std::fill(flash_.begin() + kDataFlashStart, flash_.begin() + kDataFlashEnd, kErasedByte);
        std::fill(flash_.begin() + kCodeFlashStart, flash_.begin() + kCodeFlashEnd, kErasedByte);
        ++erases_;
        srd_ |= kSrdReady;
        if (failure == Failure::EraseError)
            srd_ |= kSrdEraseError;
    });
}

void BootRom::ProgramPage(VirtualBoard& board)
{
    if ((srd1_ & kSrd1IdVerified) != kSrd1IdVerified)
        return;
    const int page = (command_[2] << 16) | (command_[1] << 8);
    std::vector<uint8_t> data(command_.begin() + 3, command_.end());
    srd_ &= uint8_t(~kSrdReady);
    busyUntilUs_ = board.NowUs() + ProgramUs;
    board.At(ProgramUs, [this, page, data] {
        srd_ |= kSrdReady;
        pagesProgrammed_.push_back(page);
        if (!InFlash(page) || (failure == Failure::ProgramError && page == FailPage)) {
            srd_ |= kSrdProgramError;
            return;
        }
        for (int i = 0; i < kPageSize; ++i) {
            uint8_t& cell = flash_[size_t(page + i)];
            if (cell != kErasedByte)
                srd_ |= kSrdProgramError;
            cell &= data[size_t(i)];
        }
        if (failure == Failure::PageWriteError && page == FailPage)
            srd_ |= kSrdPageWriteError;
        if (failure == Failure::SilentBadPage && page == FailPage)
            flash_[size_t(page + kBadPageByte)] ^= 0x01;
    });
}

void BootRom::ReadPage(VirtualBoard& board)
{
    if ((srd1_ & kSrd1IdVerified) != kSrd1IdVerified)
        return;
    const int page = (command_[2] << 16) | (command_[1] << 8);
    pagesRead_.push_back(page);
    if (page + kPageSize > int(flash_.size()))
        return;
    board.Send(std::vector<uint8_t>(flash_.begin() + page, flash_.begin() + page + kPageSize),
               kAnswerDelayUs);
}
