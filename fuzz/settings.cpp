// Any "Tavrix.ini" found at start: it is taken, or refused with one error box and the
// settings marked as not loaded; and the settings the program writes at the end are
// read back the same at the next start.
#include "fuzz_support.h"
#include "settings.h"
#include "text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ParameterSet params;
    CountingDialogs dialogs;
    const bool loaded = ReadSettingsBytes(params, dialogs, InputText(data, size));

    FUZZ_REQUIRE(dialogs.Beeps == dialogs.Boxes);
    if (!loaded) {
        FUZZ_REQUIRE(dialogs.Boxes == 1);
        FUZZ_REQUIRE(dialogs.Last == kSettingsFault);
        FUZZ_REQUIRE(params.SettingsLoaded == 0);
        return 0;
    }
    FUZZ_REQUIRE(dialogs.Boxes == 0);
    FUZZ_REQUIRE(params.SettingsLoaded == 1);
    FUZZ_REQUIRE(!params.DataFolder.empty());

    ParameterSet next;
    CountingDialogs quiet;
    FUZZ_REQUIRE(ReadSettingsBytes(next, quiet, WithCrLf(ToWindows1252(SettingsFileText(params)))));
    FUZZ_REQUIRE(next.DataFolder == params.DataFolder);
    FUZZ_REQUIRE(next.FaultWindowWidth == params.FaultWindowWidth);
    FUZZ_REQUIRE(next.FaultWindowHeight == params.FaultWindowHeight);
    return 0;
}
