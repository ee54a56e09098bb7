// Any ".lcd" file opened with "Öffnen...", whatever the user answers to the question
// about another configuration version: the file is taken or refused with at most one
// message; the identity is never taken from a file; a refused file changes nothing;
// and what was read is written and read back unchanged.
#include "config_file.h"
#include "fuzz_support.h"
#include "text_file.h"

namespace {

class Host : public ConfigFileHost {
public:
    explicit Host(Answer answer) : dialogs(answer) {}
    CountingDialogs dialogs;
    int Refreshes = 0;

    Dialogs& Messages() override { return dialogs; }
    void SetCaption(const std::string&) override {}
    void SetFileLabel(const std::string&) override {}
    void RefreshMainWindow() override { ++Refreshes; }
    void EnableEditorControls(bool) override {}
};

void ReadWithAnswer(const std::string& bytes, Answer answer)
{
    ParameterSet params;
    const ParameterSet before = params;
    Host host(answer);
    const bool taken = ReadConfigBytes(params, host, bytes);

    FUZZ_REQUIRE(host.dialogs.Boxes <= 1);
    FUZZ_REQUIRE(host.dialogs.Beeps == host.dialogs.Boxes);
    FUZZ_REQUIRE(params.SerialNumber == before.SerialNumber);
    FUZZ_REQUIRE(params.DeviceMark == before.DeviceMark);
    FUZZ_REQUIRE(params.DeviceType == before.DeviceType);
    if (!taken) {
        FUZZ_REQUIRE(host.dialogs.Boxes == 1);
        FUZZ_REQUIRE(params.Values == before.Values);
        FUZZ_REQUIRE(params.DataPresent == 0);
        FUZZ_REQUIRE(host.Refreshes == 0);
        return;
    }
    FUZZ_REQUIRE(params.DataPresent == 1);
    FUZZ_REQUIRE(host.Refreshes == 1);

    ParameterSet reread;
    Host quiet(Answer::No);
    FUZZ_REQUIRE(ReadConfigBytes(reread, quiet, WithCrLf(ToWindows1252(LcdFileText(params)))));
    FUZZ_REQUIRE(quiet.dialogs.Boxes == 0);
    FUZZ_REQUIRE(reread.Values == params.Values);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes = InputText(data, size);
    for (Answer answer : {Answer::Yes, Answer::No, Answer::Closed})
        ReadWithAnswer(bytes, answer);
    return 0;
}
