// Any "GeraeteTyp.ini" found at start: all 256 names are taken silently, or the list
// is incomplete and one error box says so; never more than 256 names, none longer
// than the selector takes.
#include "device_types.h"
#include "fuzz_support.h"
#include "text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CountingDialogs dialogs;
    DeviceTypeList list = ReadDeviceTypeBytes(dialogs, InputText(data, size));

    FUZZ_REQUIRE(dialogs.Beeps == dialogs.Boxes);
    FUZZ_REQUIRE(list.Names.size() <= size_t(kDeviceTypeCount));
    for (const std::string& name : list.Names) {
        FUZZ_REQUIRE(!name.empty());
        FUZZ_REQUIRE(ToWindows1252(name).size() <= kDeviceTypeNameLength);
    }
    if (list.Complete) {
        FUZZ_REQUIRE(dialogs.Boxes == 0);
        FUZZ_REQUIRE(list.Names.size() == size_t(kDeviceTypeCount));
    } else {
        FUZZ_REQUIRE(dialogs.Boxes == 1);
        FUZZ_REQUIRE(dialogs.Last == kDeviceTypeFault);
        FUZZ_REQUIRE(list.Names.size() < size_t(kDeviceTypeCount));
    }
    return 0;
}
