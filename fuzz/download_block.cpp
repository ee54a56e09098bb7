// Any block as the download receives it (everything up to the first 0xAF): taken apart
// without reading past its end; a block that parses holds fault-text numbers the fault
// window can show and the identity bytes the board sent. The input read as one field's
// text: a plain decimal number comes back as its value, held to 32 bits.
#include "download.h"
#include "fuzz_support.h"
#include "link.h"

#include <algorithm>
#include <limits>

namespace {

// "-"? followed by 1 to 18 digits: fits a long long.
bool IsPlainNumber(const std::string& text)
{
    const size_t digits = text.size() - (text.starts_with('-') ? 1 : 0);
    return digits >= 1 && digits <= 18
           && std::all_of(text.end() - digits, text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> block(data, data + size);
    BlockParse parsed = ParseDownloadBlock(block);
    if (parsed.Status == BlockStatus::Ok || parsed.Status == BlockStatus::WrongEnd) {
        for (int n = 1; n <= kFaultEntries; ++n)
            FUZZ_REQUIRE(parsed.Data.Faults.Entry(n).Fault <= kInvalidFaultText);
        FUZZ_REQUIRE(!parsed.Data.SerialNumber.empty());
        FUZZ_REQUIRE(!parsed.Data.DeviceMark.empty());
    }
    if (parsed.Status == BlockStatus::Ok)
        FUZZ_REQUIRE(block.back() == BoardByte::Done);

    const std::string text = InputText(data, size);
    if (IsPlainNumber(text)) {
        const long long exact = std::stoll(text);
        const long long held = std::clamp<long long>(exact, std::numeric_limits<int32_t>::min(),
                                                     std::numeric_limits<int32_t>::max());
        FUZZ_REQUIRE(FieldValue(text) == held);
    }
    return 0;
}
