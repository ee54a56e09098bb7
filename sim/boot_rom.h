#pragma once
// The boot ROM of the board's microcontroller: its serial flash protocol at 9600 baud,
// over a 64 KiB flash array that tests compare with the firmware image.
//
// After reset with the Mode line high it waits for the baud-rate detection (sixteen
// 0x00, then 0xB0, echoed), then takes the commands: 0x50 clear status, 0x70 read
// status (SRD, SRD1; answered once a running erase or program has finished; the bits
// it does not use stay 0, as on the board's chip), 0xF5 ID
// check, 0xA7 0xD0 erase all, 0x41 page program, 0xFF page read. Erase, program and
// read are refused until the ID has been verified. Dropping the Mode line takes the
// microcontroller out of boot mode: it ignores every byte from then on.
#include "virtual_board.h"

#include <array>
#include <cstdint>
#include <vector>

class BootRom : public BoardProgram {
public:
    // Bits of the status registers.
    static constexpr uint8_t kSrdReady = 0x80;
    static constexpr uint8_t kSrdEraseError = 0x20;
    static constexpr uint8_t kSrdProgramError = 0x10;
    static constexpr uint8_t kSrdPageWriteError = 0x08;
    static constexpr uint8_t kSrd1IdVerified = 0x0C;
    static constexpr uint8_t kSrd1IdMismatch = 0x04;

    // How long the flash sequencer is busy.
    int64_t EraseUs = 1'500'000;
    int64_t ProgramUs = 8'000;
    // From a command's last byte to the start of the answer.
    static constexpr int64_t kAnswerDelayUs = 100;
    // The byte a silent bad page gets wrong.
    static constexpr int kBadPageByte = 0x10;

    enum class Failure {
        None,
        NoBaudReply,     // 0xB0 is not answered
        WrongBaudReply,  // 0xB0 is answered with WrongBaudByte
        WrongId,         // every ID check fails
        NoStatusReply,   // 0x70 is never answered
        EraseError,      // the erase ends with the erase error bit
        ProgramError,    // programming FailPage ends with the program error bit
        PageWriteError,  // programming FailPage ends with SRD 0x88: ready, bit 3 set
        SilentBadPage,   // FailPage is programmed wrongly, the status says fine
    };
    Failure failure = Failure::None;
    int FailPage = -1;             // page address, e.g. 0x8300
    uint8_t WrongBaudByte = 0xE0;

    BootRom();

    // The whole 64 KiB; erased cells hold 0xFF.
    std::vector<uint8_t>& Flash() { return flash_; }
    const std::vector<uint8_t>& Flash() const { return flash_; }
    // Writes an ID into the ID bytes of the flash, as a firmware carries it.
    void StoreId(const std::array<uint8_t, 7>& id);

    // What it did.
    const std::vector<std::array<uint8_t, 7>>& IdsTried() const { return idsTried_; }
    int Erases() const { return erases_; }
    const std::vector<int>& PagesProgrammed() const { return pagesProgrammed_; }
    const std::vector<int>& PagesRead() const { return pagesRead_; }
    bool Synced() const { return synced_; }

    void OnStart(VirtualBoard& board) override;
    void OnByte(VirtualBoard& board, uint8_t byte) override;

private:
    void Command(VirtualBoard& board);
    void ReadStatus(VirtualBoard& board);
    void CheckId();
    void Erase(VirtualBoard& board, uint8_t confirm);
    void ProgramPage(VirtualBoard& board);
    void ReadPage(VirtualBoard& board);
    bool IdAreaErased() const;
    // The bytes a command needs after its command byte.
    static int ArgumentCount(uint8_t command);

    std::vector<uint8_t> flash_;
    int zeros_ = 0;
    bool synced_ = false;
    uint8_t srd_ = kSrdReady;
    uint8_t srd1_ = 0;
    int64_t busyUntilUs_ = 0;
    std::vector<uint8_t> command_;  // command byte and its arguments so far

    std::vector<std::array<uint8_t, 7>> idsTried_;
    int erases_ = 0;
    std::vector<int> pagesProgrammed_;
    std::vector<int> pagesRead_;
};
