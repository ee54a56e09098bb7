#include "download.h"
#include "transfer_test_host.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const std::string kTimeout = "Datenübertragungsfehler!\n\nZeitüberschreitung.";
const std::string kFull = "Datenübertragungsfehler!\n\nSpeicherende erreicht!";
const std::string kIncomplete = "Datenübertragungsfehler!\n\nUnvollständige Daten empfangen.";

struct DownloadTest : ::testing::Test, TransferRig {
    DownloadTest()
    {
        for (int i = 0; i < kBoardValues; ++i) config.Values[i] = 1000 + 7 * i;
        config.Values[3] = -42;
        config.Values[5] = 0;
        config.FaultCodes[0] = 200;  // entry 1000
        config.FaultCodes[1] = 38;   // entry 999
        config.FaultCodes[2] = -3;   // entry 998
        config.FaultTimes[999] = 2'000'000'000;  // entry 1
        config.SerialNumber = "1234";
        config.DeviceMark = "ABC";
        config.DeviceType = 7;
        config.VersionText = "7.5";
    }
    void Run() { EmpfangenButtonClick(board, host, params, faults); }

    // What no failure may change.
    void ExpectNothingStored(uint8_t deviceType = 255)
    {
        EXPECT_EQ(params.Values, ParameterSet::StartValues());
        EXPECT_EQ(faults.Entry(1000).Time, 0);
        EXPECT_EQ(faults.Entry(1).Time, 0);
        EXPECT_EQ(params.SerialNumber, "....");
        EXPECT_EQ(params.DeviceMark, "...");
        EXPECT_EQ(params.DeviceType, deviceType);
        EXPECT_EQ(params.DataPresent, 0);
    }
    // The window after a failed download: refreshed, controls back, bar and status clear.
    void ExpectCleanedUp()
    {
        EXPECT_EQ(host.link.LastProgress(), 0);
        EXPECT_EQ(host.link.LastStatus(), "");
        EXPECT_EQ(host.link.LinkControls(), true);
        EXPECT_EQ(host.link.EditorControls(), true);
        EXPECT_EQ(host.Refreshes, 1);
        EXPECT_EQ(host.DeviceTypeButtonEnables, 1);
    }
};

}  // namespace

TEST_F(DownloadTest, FullDownloadFillsSetAndFaultMemory)
{
    Run();
    EXPECT_EQ(Messages(), std::vector<std::string>{});
    EXPECT_EQ(host.link.dialogs.Beeps(), 1);
    EXPECT_EQ(Wire(), "\xBA\xA5\xAB");

    for (int i = 0; i < kValueCount; ++i)
        EXPECT_EQ(params.Values[i], config.Values[i]) << i;
    EXPECT_EQ(params.Values[3], -42);
    // First record sent is entry 1000, last is entry 1.
    EXPECT_EQ(faults.Entry(1000).Time, 1000);
    EXPECT_EQ(faults.Entry(1).Time, 2'000'000'000);
    EXPECT_EQ(faults.Entry(500).Time, 1000 + 500);
    EXPECT_EQ(faults.Entry(1000).Fault, 39);  // 200
    EXPECT_EQ(faults.Entry(999).Fault, 38);
    EXPECT_EQ(faults.Entry(998).Fault, 39);   // -3
    EXPECT_EQ(faults.Entry(997).Fault, 3);
    EXPECT_EQ(params.SerialNumber, "1234");
    EXPECT_EQ(params.DeviceMark, "ABC");
    EXPECT_EQ(params.DeviceType, 7);
    EXPECT_EQ(params.BoardVersionText, "7.5");
    EXPECT_EQ(params.DataPresent, 1);

    EXPECT_EQ(host.link.Statuses(),
              (std::vector<std::string>{"Konfiguration und Fehlerspeicher lesen", "Daten gelesen"}));
    EXPECT_EQ(host.link.LastProgress(), 100);
    EXPECT_EQ(host.link.LinkControls(), true);
    EXPECT_EQ(host.link.EditorControls(), true);
    EXPECT_EQ(host.Refreshes, 1);
    EXPECT_EQ(host.SerialField, "1234");
    EXPECT_EQ(host.DeviceTypeButtonEnables, 1);
    EXPECT_EQ(host.SendSerialButton, true);
}

TEST_F(DownloadTest, ProgressIsFieldsByThirty)
{
    Run();
    const std::vector<int>& p = host.link.Progress();
    ASSERT_GE(p.size(), 3u);
    EXPECT_EQ(p.front(), 0);
    EXPECT_EQ(p.back(), 100);
    // During the block: never falling, 4 after the values, 70 at the end (2120 / 30).
    for (size_t i = 1; i + 1 < p.size(); ++i) EXPECT_LE(p[i - 1], p[i]);
    EXPECT_NE(std::find(p.begin(), p.end(), 4), p.end());
    EXPECT_EQ(p[p.size() - 2], 70);
    EXPECT_EQ(std::count(p.begin(), p.end(), 71), 0);
}

TEST_F(DownloadTest, FaultTimesAreTheBoardsUnsignedCounter)
{
    config.FaultTimes[999] = 4294967295u;  // entry 1: the counter's highest value
    config.FaultTimes[998] = 2147483648u;  // entry 2: just past the signed range
    config.Values[0] = 2147483647;
    Run();
    EXPECT_EQ(Messages(), std::vector<std::string>{});
    EXPECT_EQ(uint32_t(faults.Entry(1).Time), 4294967295u);
    EXPECT_EQ(uint32_t(faults.Entry(2).Time), 2147483648u);
    EXPECT_EQ(params.Values[0], 2147483647);
}

// The board sends more fields than it should: the bar stops at 100.
TEST_F(DownloadTest, ProgressStaysWithinTheBarOnALongBlock)
{
    config.Faults.ExtraFields = 1000;  // 3120 fields: 104 by the rule of thirty
    Run();
    const std::vector<int>& p = host.link.Progress();
    ASSERT_FALSE(p.empty());
    EXPECT_EQ(*std::max_element(p.begin(), p.end()), 100);
    EXPECT_NE(std::find(p.begin(), p.end(), 100), p.end());
}

TEST_F(DownloadTest, LanguageOneAndSixteenCharacterVersionPass)
{
    config.Language = 1;
    config.VersionText = "V1.23-45678901ab";  // 16 characters
    config.DeviceMark = "...";
    Run();
    EXPECT_EQ(Messages(), std::vector<std::string>{});
    EXPECT_EQ(params.BoardVersionText, "V1.23-45678901ab");
    EXPECT_EQ(params.DataPresent, 1);
    EXPECT_EQ(host.SendSerialButton, false);  // no real DeviceMark yet
}

TEST_F(DownloadTest, SilenceInTheBlockTimesOutFiveSecondsAfterTheLastByte)
{
    config.Faults.SilentAfter = 5000;
    Run();
    EXPECT_EQ(Messages(), std::vector<std::string>{kTimeout});
    ASSERT_EQ(host.timed.TimesUs.size(), 1u);
    int64_t lastByteUs = board.Log().back().timeUs;
    ASSERT_EQ(board.BytesSent().size(), 5000u + 1);  // the ping answer and 5000 bytes
    // 500 polls of 10 ms from the poll that found the last byte.
    EXPECT_GE(host.timed.TimesUs[0] - lastByteUs, 5'000'000);
    EXPECT_LT(host.timed.TimesUs[0] - lastByteUs, 5'010'000);
    ExpectNothingStored();
    ExpectCleanedUp();
}

TEST_F(DownloadTest, FailuresAfterTheBlockShowTheirMessage)
{
    struct Case {
        const char* name;
        std::function<void(ConfigBoard&)> setUp;
        std::string message;
        uint8_t deviceTypeAfter;
    };
    const std::string wrongVersion =
        "Datenübertragungsfehler!\n\nFalsches Kontrollzeichen empfangen.\n"
        "Firmware in LCD-Platine vermutlich nicht kompatibel.";
    const std::vector<Case> cases = {
        {"version 1", [](ConfigBoard& b) { b.ConfigVersion = 1; }, wrongVersion, 255},
        {"version 3", [](ConfigBoard& b) { b.ConfigVersion = 3; }, wrongVersion, 255},
        {"no version", [](ConfigBoard& b) { b.Faults.SilentAfter = int(b.DownloadStream().size()) - 7; },
         "Datenübertragungsfehler!\n\nZeitüberschreitung.\nFirmware in LCD-Platine vermutlich nicht kompatibel!",
         255},
        {"language 2", [](ConfigBoard& b) { b.Language = 2; },
         "Datenübertragungsfehler!\n\nUngültiges Sprach-Kontrollzeichen empfangen.", 255},
        {"no language", [](ConfigBoard& b) { b.Faults.SilentAfter = int(b.DownloadStream().size()) - 6; },
         kTimeout, 255},
        {"no device type", [](ConfigBoard& b) { b.Faults.SilentAfter = int(b.DownloadStream().size()) - 5; },
         "Datenübertragungsfehler!\n\nZeitüberschreitung.\nGerätetyp-Kennzeichen nicht empfangen!", 255},
        // From the device type on, the type stays stored as it arrived.
        {"no version text", [](ConfigBoard& b) { b.Faults.StopAfterDeviceType = true; }, kTimeout, 7},
        {"17 characters", [](ConfigBoard& b) { b.VersionText = "V1.23-45678901abc"; }, kFull, 7},
        {"short block", [](ConfigBoard& b) { b.Faults.MissingFaultCodes = 1; }, kIncomplete, 255},
        {"0xAF in serial", [](ConfigBoard& b) { b.SerialNumber = "1\xAF" "34"; }, kIncomplete, 255},
        {"0xAF in mark", [](ConfigBoard& b) { b.DeviceMark = "AB\xAF"; }, kIncomplete, 255},
        {"overlong field", [](ConfigBoard& b) { b.Faults.OverlongField = 130; },
         "Datenübertragungsfehler!\n\nUngültiges Datenfeld empfangen.", 255},
        {"block too long", [](ConfigBoard& b) { b.Faults.ExtraFields = 30000; }, kFull, 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TransferRig rig;
        rig.config.DeviceType = 7;
        c.setUp(rig.config);
        EmpfangenButtonClick(rig.board, rig.host, rig.params, rig.faults);
        EXPECT_EQ(rig.Messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(rig.host.link.dialogs.Beeps(), 1);
        EXPECT_EQ(rig.params.Values, ParameterSet::StartValues());
        EXPECT_EQ(rig.faults.Entry(1000).Time, 0);
        EXPECT_EQ(rig.params.SerialNumber, "....");
        EXPECT_EQ(rig.params.DeviceType, c.deviceTypeAfter);
        EXPECT_EQ(rig.params.DataPresent, 0);
        EXPECT_EQ(rig.host.link.LastProgress(), 0);
        EXPECT_EQ(rig.host.link.LastStatus(), "");
        EXPECT_EQ(rig.host.link.LinkControls(), true);
        EXPECT_EQ(rig.host.link.EditorControls(), true);
        EXPECT_EQ(rig.host.Refreshes, 1);
        EXPECT_EQ(rig.host.DeviceTypeButtonEnables, 1);
    }
}

TEST_F(DownloadTest, VersionTextFailureKeepsWhatArrived)
{
    config.VersionText = "V1.23-45678901abc";
    Run();
    EXPECT_EQ(params.BoardVersionText, "V1.23-45678901ab");
    TransferRig rig;
    rig.config.Faults.StopAfterDeviceType = true;
    EmpfangenButtonClick(rig.board, rig.host, rig.params, rig.faults);
    EXPECT_EQ(rig.params.BoardVersionText, "");
}

TEST_F(DownloadTest, ExtraFieldLeavesDataButDoesNotMarkItLoaded)
{
    config.Faults.ExtraFields = 1;
    Run();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Datenübertragungsfehler!\n\nFalsches Bestätigungsbyte!"});
    EXPECT_EQ(params.Values[0], 1000);
    EXPECT_EQ(faults.Entry(1000).Fault, 39);
    EXPECT_EQ(params.BoardVersionText, "7.5");
    EXPECT_EQ(params.DataPresent, 0);
    ExpectCleanedUp();
}

TEST_F(DownloadTest, SessionFailures)
{
    board.ResetAnswer.mode = LineBehaviour::Mode::Never;
    Run();
    EXPECT_EQ(Messages(), std::vector<std::string>{
                              "Keine Rückmeldung vom \"Reset\"-Befehl \"ein\" erhalten!\n\n        "
                              "Datenübertragung abgebrochen!"});
    EXPECT_EQ(Wire(), "");
    ExpectNothingStored();
    ExpectCleanedUp();

    // No ping answer: the message, and nothing else happens to the window.
    TransferRig rig;
    rig.config.Ping.mode = PingBehaviour::Mode::NoAnswer;
    EmpfangenButtonClick(rig.board, rig.host, rig.params, rig.faults);
    ASSERT_EQ(rig.Messages().size(), 1u);
    EXPECT_EQ(rig.Messages()[0].rfind("     Gerät antwortet nicht!", 0), 0u);
    EXPECT_EQ(rig.Wire(), "\xBA");
    EXPECT_EQ(rig.host.Refreshes, 0);
    EXPECT_EQ(rig.host.link.LinkControls(), std::nullopt);
}

TEST_F(DownloadTest, UnpluggedConverterEndsWithOneMessage)
{
    config.Faults.UnplugAfterSent = 3000;
    params.SelectedPort = "/dev/ttyUSB0";
    Run();
    EXPECT_EQ(Messages(), std::vector<std::string>{"ComPortError:  /dev/ttyUSB0 !"});
    ExpectNothingStored();
    ExpectCleanedUp();
}

// The port's watcher can report a line error while the download processes its window
// messages, after its last read: the download fails, keeps nothing, and does not
// claim success, although no port call of its own would meet the error.
TEST_F(DownloadTest, ALineErrorReportedThroughTheWindowFailsTheDownload)
{
    board.SetPoster(host.link.Poster());
    int sleeps = 0;
    host.link.onSleep = [&](int) {
        // During the wait for the device type: what the port's thread would post.
        if (host.link.LastStatus() == "Konfiguration und Fehlerspeicher lesen" && ++sleeps == 60)
            host.link.Poster()([this] { board.Events()->OnLineError("Rahmenfehler"); });
    };
    config.AnswerDelayUs = 1000;
    Run();
    EXPECT_GE(sleeps, 60);
    EXPECT_EQ(host.link.dialogs.Beeps(), 0);  // the window's handler shows the message
    EXPECT_NE(host.link.LastStatus(), "Daten gelesen");
    ExpectNothingStored();
    EXPECT_EQ(params.BoardVersionText, "...");
    ExpectCleanedUp();
}

// The PC's settle after the command takes longer than asked (a loaded machine, a slow
// emulator) while the board starts its block 100 ms after the command: bytes already
// waiting may be the first value's start, so the download is refused instead of taking
// "25_" cut to "5_" or "_" (0). A short overshoot leaves the block whole.
TEST(DownloadSettle, ASettleThatOverrunsTheBlocksStartIsRefused)
{
    struct Row {
        int overshootMs;
        bool done;
    };
    for (const Row& row : {Row{30, true}, Row{42, true}, Row{43, false}, Row{44, false}, Row{45, false},
                           Row{400, false}}) {
        SCOPED_TRACE(row.overshootMs);
        TransferRig rig;
        rig.config.Values[0] = 25;
        bool overshot = false;
        rig.host.link.onSleep = [&](int ms) {
            if (ms != Download::kSettleMs || overshot) return;
            std::vector<uint8_t> sent = rig.board.BytesReceived();
            if (sent.empty() || sent.back() != 0xAB) return;
            overshot = true;
            rig.clock.AdvanceMs(row.overshootMs);
        };
        Outcome outcome = EmpfangenButtonClick(rig.board, rig.host, rig.params, rig.faults);
        EXPECT_TRUE(overshot);
        if (row.done) {
            EXPECT_EQ(outcome, Outcome::Done);
            EXPECT_EQ(rig.params.Values[0], 25);
            EXPECT_EQ(rig.Messages(), std::vector<std::string>{});
        } else {
            EXPECT_EQ(outcome, Outcome::BoardFailed);
            EXPECT_EQ(rig.Messages(), std::vector<std::string>{kIncomplete});
            EXPECT_EQ(rig.params.Values, ParameterSet::StartValues());
            EXPECT_EQ(rig.params.DataPresent, 0);
            EXPECT_NE(rig.host.link.LastStatus(), "Daten gelesen");
        }
    }
}

TEST_F(DownloadTest, ALineErrorInTheVersionTextKeepsNothing)
{
    // The error comes with the last byte of the version text.
    board.InjectLineErrorOnByte(1 + config.DownloadStream().size() - 2);
    Run();
    EXPECT_EQ(Messages(), std::vector<std::string>{});  // no handler here: the window shows it
    ExpectNothingStored();
    EXPECT_EQ(params.BoardVersionText, "...");
    ExpectCleanedUp();
}

TEST(DownloadBlock, ParseIsBoundedByTheBytesReceived)
{
    ConfigBoard board;
    std::vector<uint8_t> stream = board.DownloadStream();
    std::vector<uint8_t> block(stream.begin(),
                               std::find(stream.begin(), stream.end(), uint8_t(0xAF)) + 1);
    BlockParse ok = ParseDownloadBlock(block);
    ASSERT_EQ(ok.Status, BlockStatus::Ok);
    EXPECT_EQ(ok.Data.SerialNumber, "0001");
    EXPECT_EQ(ok.Data.Values[119], 119);

    // Every cut shorter than the whole block is incomplete, never read past its end.
    for (size_t cut : {size_t(0), size_t(1), block.size() / 2, block.size() - 9, block.size() - 2,
                       block.size() - 1}) {
        std::vector<uint8_t> part(block.begin(), block.begin() + cut);
        EXPECT_EQ(ParseDownloadBlock(part).Status, BlockStatus::Incomplete) << cut;
    }
    std::vector<uint8_t> longer = block;
    longer.insert(longer.end() - 1, 'X');
    EXPECT_EQ(ParseDownloadBlock(longer).Status, BlockStatus::WrongEnd);

    // The field buffer holds 49 characters and the end of the text.
    std::vector<uint8_t> fits(49, '1');
    fits.push_back('_');
    fits.insert(fits.end(), block.begin() + 2, block.end());  // replaces the field "0_"
    BlockParse fitsParse = ParseDownloadBlock(fits);
    EXPECT_EQ(fitsParse.Status, BlockStatus::Ok);
    EXPECT_EQ(fitsParse.Data.Values[0], INT32_MAX);
    std::vector<uint8_t> tooLong(50, '1');
    tooLong.push_back('_');
    tooLong.insert(tooLong.end(), block.begin() + 2, block.end());
    EXPECT_EQ(ParseDownloadBlock(tooLong).Status, BlockStatus::FieldTooLong);
}

TEST(DownloadBlock, FieldValuesAndFaultNumbers)
{
    EXPECT_EQ(FieldValue(""), 0);
    EXPECT_EQ(FieldValue("-"), 0);
    EXPECT_EQ(FieldValue("17"), 17);
    EXPECT_EQ(FieldValue("-17"), -17);
    EXPECT_EQ(FieldValue("+8"), 8);
    EXPECT_EQ(FieldValue("12ab3"), 12);
    EXPECT_EQ(FieldValue("-2147483648"), INT32_MIN);
    EXPECT_EQ(FieldValue("99999999999999"), INT32_MAX);
    // Fault times wrap modulo 2^32 like the board's counter; values saturate.
    EXPECT_EQ(FaultTimeValue("4294967295"), 4294967295u);
    EXPECT_EQ(FaultTimeValue("4294967296"), 0u);
    EXPECT_EQ(FaultTimeValue("4294967301"), 5u);
    EXPECT_EQ(FaultTimeValue("-1"), 4294967295u);
    EXPECT_EQ(FaultTimeValue("90061"), 90061u);
    EXPECT_EQ(FaultTimeValue("12ab3"), 12u);
    EXPECT_EQ(FaultTimeValue(""), 0u);
    EXPECT_EQ(FaultTimeValue("99999999999999"), uint32_t(99999999999999ull % 4294967296ull));
    EXPECT_EQ(FieldValue("4294967295"), INT32_MAX);
    EXPECT_EQ(FaultTextNumber(0), 0);
    EXPECT_EQ(FaultTextNumber(38), 38);
    EXPECT_EQ(FaultTextNumber(39), 39);
    EXPECT_EQ(FaultTextNumber(200), 39);
    EXPECT_EQ(FaultTextNumber(295), 39);  // not its low 8 bits (39 either way), nor 295 & 255
    EXPECT_EQ(FaultTextNumber(-1), 39);
}
