// Any file handed to the firmware update: the S-record reader either refuses it with a
// message, or returns images the flash protocol can take page by page. What follows
// the termination record is never read.
#include "diagnostics_sink.h"
#include "fuzz_support.h"
#include "srecord_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The reader tells where it stopped; millions of inputs need not say it.
    static const ScopedDiagnosticsSink quiet([](const std::string&) {});
    const std::string text = InputText(data, size);
    SRecordResult result = ReadSRecords(text);
    if (!result.image) {
        FUZZ_REQUIRE(!result.message.empty());
        return 0;
    }
    const FirmwareImage& image = *result.image;
    FUZZ_REQUIRE(result.message.empty());
    FUZZ_REQUIRE(image.FitsTheFlash());

    SRecordResult again = ReadSRecords(text + "S2FF\r\nS9");
    FUZZ_REQUIRE(again.image);
    FUZZ_REQUIRE(again.image->codeImage == image.codeImage);
    FUZZ_REQUIRE(again.image->codeBase == image.codeBase);
    FUZZ_REQUIRE(again.image->hasDataRecords == image.hasDataRecords);
    FUZZ_REQUIRE(again.image->dataImage == image.dataImage);
    FUZZ_REQUIRE(again.image->dataBase == image.dataBase);
    return 0;
}
