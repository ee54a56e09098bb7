#include "board_config.h"

#include <algorithm>
#include <cstdlib>

namespace {

void AppendField(std::vector<uint8_t>& out, const std::string& text)
{
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(ConfigBoard::kFieldEnd);
}

}  // namespace

ConfigBoard::ConfigBoard()
{
    // Something recognisable in every record: times 1000 + i, codes cycling 0..40.
    for (int i = 0; i < kBoardValues; ++i) Values[i] = i;
    for (int i = 0; i < kBoardFaultRecords; ++i) {
        FaultTimes[i] = 1000 + i;
        FaultCodes[i] = i % 41;
    }
}

int ConfigBoard::Clears(uint8_t command) const
{
    return int(std::count(clears_.begin(), clears_.end(), command));
}

std::vector<uint8_t> ConfigBoard::DownloadStream() const
{
    std::vector<std::string> fields;
    for (int32_t v : Values) fields.push_back(std::to_string(v));
    for (uint32_t t : FaultTimes) fields.push_back(std::to_string(t));
    for (int i = 0; i < kBoardFaultRecords - Faults.MissingFaultCodes; ++i)
        fields.push_back(std::to_string(FaultCodes[i]));
    for (int i = 0; i < Faults.ExtraFields; ++i) fields.push_back("0");
    if (Faults.OverlongField >= 0 && Faults.OverlongField < int(fields.size()))
        fields[Faults.OverlongField] = std::string(60, '9');

    std::vector<uint8_t> out;
    for (const std::string& f : fields) AppendField(out, f);
    out.insert(out.end(), SerialNumber.begin(), SerialNumber.end());
    out.insert(out.end(), DeviceMark.begin(), DeviceMark.end());
    out.push_back(kDone);
    out.push_back(ConfigVersion);
    out.push_back(Language);
    out.push_back(DeviceType);
    if (!Faults.StopAfterDeviceType) AppendField(out, VersionText);
    if (Faults.SilentAfter >= 0 && Faults.SilentAfter < int(out.size()))
        out.resize(size_t(Faults.SilentAfter));
    return out;
}

void ConfigBoard::OnRestart(VirtualBoard& board)
{
    (void)board;
    command_ = 0;
    received_ = 0;
    finishing_ = false;
}

void ConfigBoard::OnCommand(VirtualBoard& board, uint8_t command)
{
    command_ = command;
    received_ = 0;
    finishing_ = false;
    field_.clear();
    identity_.clear();
    switch (command) {
    case kDownload: {
        std::vector<uint8_t> stream = DownloadStream();
        board.Send(stream, DownloadDelayUs);
        if (Faults.UnplugAfterSent >= 0)
            board.At(DownloadDelayUs + int64_t(Faults.UnplugAfterSent) * kByteTimeUs,
                     [&board] { board.Unplug(); });
        command_ = 0;
        break;
    }
    case kUpload:
        fields_.clear();
        SetBusy(true);
        if (!Faults.NoConfigVersion) board.Send(ConfigVersion, AnswerDelayUs);
        break;
    case kDeviceType:
    case kSerialNumber:
        SetBusy(true);
        break;
    case kClearOperatingTime:
    case kClearFaultMemory:
    case kClearIdentity: {
        board.Send({0xA5, command}, Faults.EchoDelayUs);
        int64_t delay = command == kClearFaultMemory ? ClearFaultsDelayUs : ClearDelayUs;
        SetBusy(true);
        FinishAfter(board, delay, [this, command] {
            clears_.push_back(command);
            if (command == kClearOperatingTime) OperatingTime = 0;
            if (command == kClearFaultMemory) {
                FaultTimes.fill(0);
                FaultCodes.fill(0);
            }
            if (command == kClearIdentity) {
                SerialNumber = "....";
                DeviceMark = "...";
            }
        });
        break;
    }
    default:
        command_ = 0;
        break;
    }
}

void ConfigBoard::Echo(VirtualBoard& board, uint8_t byte)
{
    int k = received_ - 1;
    if (Faults.NoEchoFrom >= 0 && k >= Faults.NoEchoFrom) return;
    if (k == Faults.WrongEchoAt) byte = uint8_t(~byte);
    board.Send(byte, Faults.EchoDelayUs);
}

void ConfigBoard::OnCommandByte(VirtualBoard& board, uint8_t byte)
{
    int k = received_++;
    if (k == Faults.UnplugAfter) {
        board.Unplug();
        return;
    }
    if (finishing_) return;
    Echo(board, byte);

    switch (command_) {
    case kUpload:
    case kDeviceType:
        if (byte == kFieldEnd) {
            fields_.push_back(field_);
            field_.clear();
        } else if (byte == kDataEnd) {
            if (command_ == kUpload) {
                FinishAfter(board, StoreDelayUs, [this] {
                    for (size_t i = 0; i < fields_.size() && i < Values.size(); ++i)
                        Values[i] = int32_t(std::atol(fields_[i].c_str()));
                    ++uploads_;
                });
            } else {
                FinishAfter(board, ShortStoreDelayUs, [this] {
                    if (!fields_.empty()) DeviceType = uint8_t(std::atoi(fields_.back().c_str()));
                });
            }
        } else {
            field_ += char(byte);
        }
        break;
    case kSerialNumber:
        if (identity_.size() < 7) {
            identity_ += char(byte);
        } else if (byte == kDataEnd) {
            FinishAfter(board, ShortStoreDelayUs, [this] {
                SerialNumber = identity_.substr(0, 4);
                DeviceMark = identity_.substr(4, 3);
            });
        }
        break;
    default:
        break;
    }
}

void ConfigBoard::FinishAfter(VirtualBoard& board, int64_t delayUs, std::function<void()> store)
{
    finishing_ = true;
    if (Faults.NoConfirmation) return;
    board.At(delayUs, [this, &board, store = std::move(store)] {
        if (Faults.WrongConfirmation >= 0) {
            board.Send(uint8_t(Faults.WrongConfirmation));
        } else {
            store();
            board.Send(kDone);
        }
        SetBusy(false);
        finishing_ = false;
        command_ = 0;
    });
}
