#include "srecord_reader.h"

#include "diagnostics_sink.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

namespace {

uint8_t ByteOf(char high, char low)
{
    return uint8_t(HexDigitValue(high) * 16 + HexDigitValue(low));
}

// A record's fields never hold a line end or an "S": meeting one, the record has
// ended before its byte count was satisfied.
bool EndsARecord(char c)
{
    return c == '\r' || c == '\n' || c == 'S';
}

// Count, address and data bytes are collected in one digit buffer, as the fields of a
// record follow one another.
class Reader {
public:
    explicit Reader(const std::string& text) : text_(text), codeCovered_(kCodeImageSize, false) {}

    SRecordResult Run()
    {
        for (;;) {
            if (pos_ >= text_.size())
                return Refuse(FirmwareText::UnexpectedEnd);
            const char c = text_[pos_++];
            if (RecordOpen() && EndsARecord(c))
                return Refuse(FirmwareText::EmptyRecord);
            if (const char* refusal = Take(c))
                return Refuse(refusal);
            if (afterS_ && (c == '7' || c == '8' || c == '9'))
                return Finish();
            if (afterS_ && (c == '1' || c == '2' || c == '3'))
                ++dataRecords_;
            if (afterS_ && (c == '5' || c == '6')) {
                if (const char* refusal = CountRecord(c == '5' ? 2 : 3))
                    return Refuse(refusal);
            }
            if (afterS_ && c == '2') {
                countState_ = true;
                digits_.clear();
            }
            afterS_ = c == 'S';
        }
    }

private:
    bool RecordOpen() const
    {
        return countState_ || addressState_ || codeDataState_ || dataDataState_;
    }

    // The next two characters as a byte: nothing when the file ends first, or when the
    // record ends there (refusal then says why).
    std::optional<uint8_t> FieldByte(const char*& refusal)
    {
        if (text_.size() - pos_ < 2) {
            pos_ = text_.size();
            refusal = FirmwareText::UnexpectedEnd;
            return std::nullopt;
        }
        const char high = text_[pos_];
        const char low = text_[pos_ + 1];
        if (EndsARecord(high) || EndsARecord(low)) {
            refusal = FirmwareText::EmptyRecord;
            return std::nullopt;
        }
        pos_ += 2;
        return ByteOf(high, low);
    }

    // An S5 (two count bytes) or S6 (three) record after its "S5"/"S6": byte count,
    // count, checksum over both. The count must be the number of data records so far.
    const char* CountRecord(int countBytes)
    {
        const char* refusal = nullptr;
        const std::optional<uint8_t> length = FieldByte(refusal);
        if (!length)
            return refusal;
        if (*length != countBytes + 1)
            return FirmwareText::EmptyRecord;
        unsigned sum = *length;
        long count = 0;
        for (int i = 0; i < countBytes; ++i) {
            const std::optional<uint8_t> byte = FieldByte(refusal);
            if (!byte)
                return refusal;
            sum += *byte;
            count = count * 256 + *byte;
        }
        const std::optional<uint8_t> checksum = FieldByte(refusal);
        if (!checksum)
            return refusal;
        if (*checksum != uint8_t(~sum & 0xFF))
            return FirmwareText::ChecksumError;
        return count == dataRecords_ ? nullptr : FirmwareText::RecordCountWrong;
    }

    // Hands the character to the field states in their order; returns a refusal or
    // nullptr.
    const char* Take(char c)
    {
        bool& dataState = dataRecord_ ? dataDataState_ : codeDataState_;
        if (dataState) {
            digits_ += c;
            if (digits_.size() == 2) {
                if (const char* refusal = StoreByte(ByteOf(digits_[0], digits_[1])))
                    return refusal;
                digits_.clear();
            }
        }
        if (addressState_) {
            digits_ += c;
            if (digits_.size() == 6) {
                if (const char* refusal = StartRecord())
                    return refusal;
                digits_.clear();
            }
        }
        if (countState_) {
            digits_ += c;
            if (digits_.size() == 2) {
                byteCount_ = ByteOf(digits_[0], digits_[1]);
                checksum_ = unsigned(byteCount_);
                dataCount_ = byteCount_ - 4;
                countState_ = false;
                addressState_ = true;
                digits_.clear();
                if (dataCount_ < 1)
                    return FirmwareText::EmptyRecord;
            }
        }
        return nullptr;
    }

    const char* StoreByte(uint8_t byte)
    {
        std::vector<uint8_t>& image = dataRecord_ ? image_.dataImage : image_.codeImage;
        int& offset = dataRecord_ ? dataOffset_ : codeOffset_;
        const int base = dataRecord_ ? image_.dataBase : image_.codeBase;
        // StartRecord checked the record's extent; this guards the odd file whose
        // fields run into each other.
        if (offset < 0 || offset >= RegionEnd() - base)
            return FirmwareText::DoesNotFit;
        image[size_t(offset)] = byte;
        if (!dataRecord_)
            codeCovered_[size_t(offset)] = true;
        checksum_ += byte;
        ++offset;
        if (offset != recordAddress_ - base + dataCount_)
            return nullptr;

        (dataRecord_ ? dataDataState_ : codeDataState_) = false;
        const uint8_t expected = uint8_t(~checksum_ & 0xFF);
        const char* refusal = nullptr;
        const std::optional<uint8_t> given = FieldByte(refusal);
        if (!given)
            return refusal;
        return *given == expected ? nullptr : FirmwareText::ChecksumError;
    }

    // Six address digits are in: high, middle and low byte.
    const char* StartRecord()
    {
        const uint8_t middle = ByteOf(digits_[2], digits_[3]);
        const uint8_t low = ByteOf(digits_[4], digits_[5]);
        checksum_ += middle;
        checksum_ += low;
        recordAddress_ = middle * 256 + low;
        dataRecord_ = digits_[2] == '2';
        addressState_ = false;

        bool& seen = dataRecord_ ? image_.hasDataRecords : image_.hasCodeRecords;
        int32_t& base = dataRecord_ ? image_.dataBase : image_.codeBase;
        if (!seen) {
            if (recordAddress_ < (dataRecord_ ? kDataFlashStart : kCodeFlashStart))
                return FirmwareText::DoesNotFit;
            if (recordAddress_ % kPageSize != 0)
                return FirmwareText::NotOnPage;
            seen = true;
            base = recordAddress_;
        }
        if (recordAddress_ < base || recordAddress_ + dataCount_ > RegionEnd())
            return FirmwareText::DoesNotFit;
        (dataRecord_ ? dataOffset_ : codeOffset_) = recordAddress_ - base;
        (dataRecord_ ? dataDataState_ : codeDataState_) = true;
        return nullptr;
    }

    int RegionEnd() const { return dataRecord_ ? kDataFlashEnd : kCodeFlashEnd; }

    SRecordResult Finish()
    {
        if (!image_.hasCodeRecords)
            return Refuse(FirmwareText::NoCode);
        for (int address : kIdAddresses)
            if (!codeCovered_[size_t(address - image_.codeBase)])
                return Refuse(FirmwareText::NoIdCode);
        return {std::move(image_), {}};
    }

    // The message names no place; the cause says where the reading stopped.
    SRecordResult Refuse(const char* message) const
    {
        const size_t end = std::min(pos_, text_.size());
        const long line = 1 + std::count(text_.begin(), text_.begin() + long(end), '\n');
        std::string where = "firmware file: refused at line " + std::to_string(line);
        const size_t start = end == 0 ? std::string::npos : text_.rfind('S', end - 1);
        if (start != std::string::npos && start + 1 < text_.size())
            where += std::string(", in an S") + text_[start + 1] + " record";
        Diagnose(where);
        return {std::nullopt, message};
    }

    const std::string& text_;
    size_t pos_ = 0;
    FirmwareImage image_;
    std::vector<bool> codeCovered_;

    long dataRecords_ = 0;  // S1, S2 and S3 records begun so far
    bool afterS_ = false;
    bool countState_ = false;
    bool addressState_ = false;
    bool codeDataState_ = false;
    bool dataDataState_ = false;
    std::string digits_;
    int byteCount_ = 0;
    int dataCount_ = 0;
    unsigned checksum_ = 0;
    int recordAddress_ = 0;
    bool dataRecord_ = false;
    int codeOffset_ = 0;
    int dataOffset_ = 0;
};

}  // namespace

SRecordResult ReadSRecords(const std::string& bytes)
{
    return Reader(bytes).Run();
}
