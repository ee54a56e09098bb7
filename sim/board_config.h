#pragma once
// The board's configuration protocol, as its application firmware runs it: it keeps
// the 120 values, the fault memory, the identity and the firmware facts, answers the
// download, stores uploads, clears on command and takes a new device type or serial
// number. Failure modes make it misbehave at a chosen step, as a faulty board, a bad
// cable or an unplugged converter would.
#include "board_application.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

inline constexpr int kBoardValues = 120;
inline constexpr int kBoardFaultRecords = 1000;

// Named ways for the board to go wrong. Byte positions count the bytes the board
// receives after a command (0xA5 and the command byte not counted), from 0.
struct ConfigBoardFaults {
    int WrongEchoAt = -1;          // this byte is echoed with its bits inverted
    int NoEchoFrom = -1;           // from this byte on nothing is echoed
    int64_t EchoDelayUs = 100;     // from receiving a byte to sending its echo
    int UnplugAfter = -1;          // the converter vanishes once this byte arrived
    bool NoConfirmation = false;   // the final 0xAF never comes (nothing is stored)
    int WrongConfirmation = -1;    // this byte comes instead of the final 0xAF
    bool NoConfigVersion = false;  // upload: the version byte is not sent
    // Download stream.
    int SilentAfter = -1;          // the board stops sending after this many bytes
    int UnplugAfterSent = -1;      // the converter vanishes after this many bytes
    int MissingFaultCodes = 0;     // the last fault-code fields are left out
    int OverlongField = -1;        // this field goes out with 60 digits
    int ExtraFields = 0;           // fields of "0_" added after the fault codes
    bool StopAfterDeviceType = false;  // the version text never comes
};

class ConfigBoard : public BoardApplication {
public:
    static constexpr uint8_t kUpload = 0xA8;
    static constexpr uint8_t kDownload = 0xAB;
    static constexpr uint8_t kClearOperatingTime = 0xA3;
    static constexpr uint8_t kClearFaultMemory = 0xAD;
    static constexpr uint8_t kClearIdentity = 0xA6;
    static constexpr uint8_t kDeviceType = 0xA4;
    static constexpr uint8_t kSerialNumber = 0xB8;
    static constexpr uint8_t kFieldEnd = 0x5F;
    static constexpr uint8_t kDataEnd = 0xFA;
    static constexpr uint8_t kDone = 0xAF;

    ConfigBoard();

    // ---- what the board keeps (bytes as the board holds them) ----
    std::array<int32_t, kBoardValues> Values{};
    // Seconds of the board's unsigned 32-bit operating-time counter, in the order sent.
    std::array<uint32_t, kBoardFaultRecords> FaultTimes{};
    std::array<int32_t, kBoardFaultRecords> FaultCodes{};
    std::string SerialNumber = "0001";
    std::string DeviceMark = "ABC";
    uint8_t DeviceType = 0;
    uint8_t Language = 0;
    uint8_t ConfigVersion = 2;
    std::string VersionText = "7.5";
    int32_t OperatingTime = 12345;

    // ---- timing ----
    int64_t AnswerDelayUs = 1000;         // from a command to the first byte of its answer
    // The PC discards what arrives in the first 50 ms after 0xAB; the firmware waits
    // longer than that before it starts the block.
    int64_t DownloadDelayUs = 100'000;
    int64_t StoreDelayUs = 3'000'000;     // upload: storing phase after 0xFA
    int64_t ShortStoreDelayUs = 300'000;  // device type, serial number
    int64_t ClearDelayUs = 300'000;       // operating time, identity
    int64_t ClearFaultsDelayUs = 5'000'000;

    ConfigBoardFaults Faults;

    // ---- what happened ----
    int Uploads() const { return uploads_; }           // completed and stored
    int Clears(uint8_t command) const;
    // Fields of the last upload as received (also an incomplete one).
    const std::vector<std::string>& ReceivedFields() const { return fields_; }

    // The exact stream the board sends after 0xA5 0xAB (failure modes applied).
    std::vector<uint8_t> DownloadStream() const;

protected:
    void OnCommand(VirtualBoard& board, uint8_t command) override;
    void OnCommandByte(VirtualBoard& board, uint8_t byte) override;
    void OnRestart(VirtualBoard& board) override;

private:
    void Echo(VirtualBoard& board, uint8_t byte);
    // After 0xFA: wait `delayUs`, run `store`, answer 0xAF.
    void FinishAfter(VirtualBoard& board, int64_t delayUs, std::function<void()> store);

    uint8_t command_ = 0;
    int received_ = 0;
    bool finishing_ = false;
    std::string field_;
    std::vector<std::string> fields_;
    std::string identity_;
    int uploads_ = 0;
    std::vector<uint8_t> clears_;
};
