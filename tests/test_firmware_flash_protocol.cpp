// The firmware update against the virtual boot ROM, in virtual time: the bytes on the
// wire, the messages, the status texts and progress, and the flash content afterwards.
#include "boot_rom.h"
#include "firmware_button.h"
#include "firmware_test_host.h"
#include "flash_protocol.h"
#include "link_test_host.h"
#include "srecord_writer.h"
#include "virtual_board.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include <unistd.h>

namespace {

using Log = VirtualBoard::LogEntry;
using Ids = std::vector<std::array<uint8_t, 7>>;
using namespace FlashTiming;

const std::array<uint8_t, 7> kNewId = {'N', 'E', 'W', 'F', 'W', '0', '1'};
const std::array<uint8_t, 7> kOldId = {'O', 'L', 'D', 'F', 'W', '0', '0'};

// A code image from codeBase to 0xFFFF with a pattern that differs on every page, the
// ID in the vector page, and optionally a full data image.
FirmwareImage MakeImage(int codeBase = 0x8000, bool withData = true)
{
    FirmwareImage image;
    image.hasCodeRecords = true;
    image.codeBase = codeBase;
    for (int a = codeBase; a < 0x10000; ++a)
        image.codeImage[size_t(a - codeBase)] = uint8_t(a * 7 + (a >> 8));
    for (size_t i = 0; i < kNewId.size(); ++i)
        image.codeImage[size_t(kIdAddresses[i] - codeBase)] = kNewId[i];
    if (withData) {
        image.hasDataRecords = true;
        image.dataBase = 0x2400;
        for (int a = 0x2400; a < 0x2C00; ++a)
            image.dataImage[size_t(a - 0x2400)] = uint8_t(a ^ 0x3C);
    }
    return image;
}

struct FlashBench : ::testing::Test {
    VirtualClock clock;
    VirtualBoard board{clock};
    BootRom rom;
    LinkTestHost inner{clock};
    FirmwareTestHost host{inner, clock};
    ParameterSet params;
    Link link{board, host, params};

    void SetUp() override
    {
        board.SetBootRom(&rom);
        board.SetActive(true);
        params.SelectedPort = "/dev/ttyUSB0";
        rom.StoreId(kNewId);  // the board runs an earlier firmware with the same ID
    }

    ScriptedDialogs& dialogs() { return inner.dialogs; }

    std::vector<uint8_t> FlashRange(int from, int to) const
    {
        return {rom.Flash().begin() + from, rom.Flash().begin() + to};
    }

    std::vector<int64_t> TimesOf(Log::Kind kind, uint8_t byte) const
    {
        std::vector<int64_t> times;
        for (const Log& e : board.Log())
            if (e.kind == kind && e.byte == byte)
                times.push_back(e.timeUs);
        return times;
    }

    int64_t LineTime(const std::string& line) const
    {
        for (const Log& e : board.Log())
            if (e.kind == Log::Kind::Line && e.line == line)
                return e.timeUs;
        return -1;
    }

    // What the window was left with after every update, successful or not.
    void ExpectEndStep(bool editorControls)
    {
        EXPECT_FALSE(board.RtsHigh()) << "mode line left on";
        EXPECT_EQ(params.ModeLineOn, 0);
        EXPECT_EQ(inner.LinkControls(), std::optional<bool>(true));
        EXPECT_EQ(inner.EditorControls(), std::optional<bool>(editorControls));
        EXPECT_EQ(host.PortList, std::optional<bool>(true));
        EXPECT_TRUE(dialogs().ScriptUsedUp());
    }
};

TEST_F(FlashBench, FullUpdateWritesBothImagesAndVerifiesThem)
{
    params.DataPresent = 1;
    const FirmwareImage image = MakeImage();
    ASSERT_EQ(FlashFirmware(link, host, image), Outcome::Done);

    EXPECT_EQ(FlashRange(0x8000, 0x10000),
              std::vector<uint8_t>(image.codeImage.begin(), image.codeImage.begin() + 0x8000));
    EXPECT_EQ(FlashRange(0x2400, 0x2C00),
              std::vector<uint8_t>(image.dataImage.begin(), image.dataImage.begin() + 0x800));
    ASSERT_EQ(rom.PagesProgrammed().size(), 136u);
    EXPECT_EQ(rom.PagesProgrammed().front(), 0x8000);
    EXPECT_EQ(rom.PagesProgrammed()[127], 0xFF00);
    EXPECT_EQ(rom.PagesProgrammed()[128], 0x2400);
    EXPECT_EQ(rom.PagesProgrammed().back(), 0x2B00);
    EXPECT_EQ(rom.PagesRead().size(), 136u);
    EXPECT_EQ(rom.Erases(), 1);
    EXPECT_EQ(rom.IdsTried(), Ids{kNewId});

    EXPECT_EQ(inner.Statuses(),
              (std::vector<std::string>{"", "Connect", "Flash löschen", "Flash gelöscht",
                                        "Code-Flash programmieren", "Flash prüfen",
                                        "Code-Flash programmiert", "Daten-Flash programmieren",
                                        "Flash prüfen", "Daten-Flash programmiert"}));
    EXPECT_EQ(dialogs().Log(), std::vector<std::string>{"beep"});  // success: one beep
    ExpectEndStep(true);
    EXPECT_EQ(std::count(host.Window.begin(), host.Window.end(), "focus"), 128);
    EXPECT_EQ(host.Window.front(), "repaint");

    // Each region reports 100 right before it is called programmed.
    const std::vector<std::string>& rec = inner.Record();
    for (const char* done : {"status:Code-Flash programmiert", "status:Daten-Flash programmiert"}) {
        auto it = std::find(rec.begin(), rec.end(), done);
        ASSERT_NE(it, rec.end());
        EXPECT_EQ(*(it - 1), "progress:100");
    }
    // Two and a half minutes of protocol time: 136 pages of at least 450 ms of waits and
    // 270 ms on the wire, each read back in 267 ms, after six seconds of erase.
    const double seconds = double(clock.NowUs()) / 1e6;
    EXPECT_GT(seconds, 136 * (0.72 + 0.267) + 6.0);
    EXPECT_LT(seconds, 160.0);
}

TEST_F(FlashBench, BytesOnTheWireUpToTheSecondPage)
{
    const FirmwareImage image = MakeImage();
    ASSERT_EQ(FlashFirmware(link, host, image), Outcome::Done);
    const std::vector<uint8_t> got = board.BytesReceived();

    std::vector<uint8_t> expected(16, 0x00);
    expected.push_back(0xB0);
    auto idAttempt = [&](const std::array<uint8_t, 7>& id) {
        expected.insert(expected.end(), {0x50, 0xF5, 0xDF, 0xFF, 0x00, 0x07});
        expected.insert(expected.end(), id.begin(), id.end());
        expected.push_back(0x70);
    };
    idAttempt(kNewId);
    expected.insert(expected.end(), {0x50, 0xA7, 0xD0, 0x70});
    for (int page : {0x8000, 0x8100}) {
        expected.insert(expected.end(), {0x50, 0x41, uint8_t(page >> 8), 0x00});
        expected.insert(expected.end(), image.codeImage.begin() + (page - 0x8000),
                        image.codeImage.begin() + (page - 0x8000) + 256);
        expected.push_back(0x70);
    }
    ASSERT_GE(got.size(), expected.size());
    EXPECT_EQ(std::vector<uint8_t>(got.begin(), got.begin() + long(expected.size())), expected);

    // The last page of the code flash is followed by the read-back of every page.
    const std::vector<uint8_t> lastFrame = {0x50, 0x41, 0xFF, 0x00};
    const std::vector<uint8_t> readFirst = {0x70, 0xFF, 0x80, 0x00};
    auto last = std::search(got.begin(), got.end(), lastFrame.begin(), lastFrame.end());
    auto read = std::search(got.begin(), got.end(), readFirst.begin(), readFirst.end());
    ASSERT_NE(read, got.end());
    EXPECT_EQ(read - last, 4 + 256);
}

TEST_F(FlashBench, BootModeEntryAndBaudDetectionTiming)
{
    ASSERT_EQ(FlashFirmware(link, host, MakeImage(0xFF00, false)), Outcome::Done);
    const int64_t dtrOn = LineTime("DTR=1");
    const int64_t rtsOn = LineTime("RTS=1");
    const int64_t dtrOff = LineTime("DTR=0");
    ASSERT_GE(dtrOn, 0);
    EXPECT_EQ(rtsOn - dtrOn, 250'000);   // ResetOn's 50 ms answer wait, then 200 ms
    EXPECT_EQ(dtrOff - rtsOn, 250'000);  // ModeOn's 50 ms, then 200 ms
    const std::vector<int64_t> zeros = TimesOf(Log::Kind::ToBoard, 0x00);
    ASSERT_GE(zeros.size(), 16u);
    // ResetOff's 50 ms, the boot ROM's 500 ms, then one byte time.
    EXPECT_EQ(zeros[0] - dtrOff, 550'000 + kByteTimeUs);
    for (size_t i = 1; i < 16; ++i) {
        EXPECT_GE(zeros[i] - zeros[i - 1], kBaudDetectGapMs * 1000);
        EXPECT_LE(zeros[i] - zeros[i - 1], (kBaudDetectGapMs + 10) * 1000 + kByteTimeUs);
    }
    // Erase: a hundred passes of 60 ms between the confirmation and the status request.
    const int64_t confirm = TimesOf(Log::Kind::ToBoard, 0xD0).at(0);
    const std::vector<int64_t> requests = TimesOf(Log::Kind::ToBoard, 0x70);
    const int64_t afterErase = *std::upper_bound(requests.begin(), requests.end(), confirm);
    EXPECT_GE(afterErase - confirm, kErasePasses * kErasePassMs * 1000);
    EXPECT_LE(afterErase - confirm, (kErasePasses * kErasePassMs + 20) * 1000);
    // The line stays released at the end.
    EXPECT_GT(LineTime("RTS=0"), afterErase);
    EXPECT_EQ(LineTime("DTR=1"), dtrOn);
}

TEST_F(FlashBench, PausesAroundTheRegionsAndTheWaitsOfAPage)
{
    ASSERT_EQ(FlashFirmware(link, host, MakeImage(0xFE00)), Outcome::Done);
    auto at = [this](const char* status) {
        auto it = host.StatusTimes.find(status);
        EXPECT_NE(it, host.StatusTimes.end()) << status;
        return it == host.StatusTimes.end() ? int64_t(-1) : it->second;
    };
    // A second after "Flash gelöscht" the code region starts; a second after each
    // region is programmed the next step follows: the data region one more second on.
    EXPECT_EQ(at("Code-Flash programmieren") - at("Flash gelöscht"), kRegionPauseMs * 1000);
    EXPECT_EQ(at("Daten-Flash programmieren") - at("Code-Flash programmiert"), 2 * kRegionPauseMs * 1000);
    EXPECT_EQ(LineTime("RTS=0") - at("Daten-Flash programmiert"), kRegionPauseMs * 1000);

    // A page: 0x50, 50 ms, the frame (drained in 10 ms steps), 300 ms, 0x70.
    std::vector<const Log*> sent;
    for (const Log& e : board.Log())
        if (e.kind == Log::Kind::ToBoard)
            sent.push_back(&e);
    size_t from = 0;
    int pages = 0;
    for (int page : {0xFE00, 0xFF00, 0x2400, 0x2500, 0x2600, 0x2700, 0x2800, 0x2900, 0x2A00, 0x2B00}) {
        SCOPED_TRACE(page);
        size_t i = from;
        while (i + 3 < sent.size()
               && !(sent[i]->byte == 0x50 && sent[i + 1]->byte == 0x41
                    && sent[i + 2]->byte == uint8_t(page >> 8) && sent[i + 3]->byte == 0x00))
            ++i;
        ASSERT_LT(i + 3 + 256 + 1, sent.size());
        const int64_t clear = sent[i]->timeUs;
        const int64_t frame = sent[i + 1]->timeUs;
        const int64_t frameEnd = sent[i + 1 + 258]->timeUs;
        const Log& request = *sent[i + 1 + 259];
        EXPECT_EQ(request.byte, 0x70);
        EXPECT_EQ(frame - clear, (LinkTiming::kSentPollMs + kCommandWaitMs) * 1000);
        EXPECT_GE(request.timeUs - frameEnd, kPageProgramMs * 1000 + kByteTimeUs);
        EXPECT_LE(request.timeUs - frameEnd, (kPageProgramMs + LinkTiming::kSentPollMs) * 1000 + kByteTimeUs);
        from = i + 260;
        ++pages;
    }
    EXPECT_EQ(pages, 10);
}

TEST_F(FlashBench, ProgressOfAShortImage)
{
    // Four code pages: the step 100 / (1023 / 256) does not divide 100 evenly.
    ASSERT_EQ(FlashFirmware(link, host, MakeImage(0xFC00, false)), Outcome::Done);
    std::vector<int> progress = inner.Progress();
    // 0 at the start, the erase passes 0..99, then the region.
    ASSERT_GE(progress.size(), 101u);
    EXPECT_EQ(std::vector<int>(progress.begin() + 1, progress.begin() + 101),
              [] { std::vector<int> v; for (int i = 0; i < 100; ++i) v.push_back(i); return v; }());
    EXPECT_EQ(std::vector<int>(progress.begin() + 101, progress.end()),
              (std::vector<int>{0, 25, 50, 75, 100, 0, 25, 50, 75, 100, 100}));
    EXPECT_EQ(rom.PagesProgrammed(), (std::vector<int>{0xFC00, 0xFD00, 0xFE00, 0xFF00}));
}

TEST_F(FlashBench, ImageWithoutDataRecordsProgramsNoDataPage)
{
    rom.Flash()[0x2400] = 0x12;  // erased by the update, never programmed
    const FirmwareImage image = MakeImage(0x8000, false);
    ASSERT_EQ(FlashFirmware(link, host, image), Outcome::Done);
    EXPECT_EQ(rom.PagesProgrammed().size(), 128u);
    for (int page : rom.PagesProgrammed())
        EXPECT_GE(page, 0x8000);
    EXPECT_EQ(FlashRange(0x2400, 0x2C00), std::vector<uint8_t>(0x800, 0xFF));
    EXPECT_EQ(inner.LastStatus(), "Code-Flash programmiert");
    EXPECT_EQ(dialogs().Log(), std::vector<std::string>{"beep"});
    ExpectEndStep(false);  // no parameter set loaded: editor buttons stay off
}

TEST_F(FlashBench, BlankChipAcceptsTheFirstId)
{
    rom.StoreId(kErasedId);
    ASSERT_EQ(FlashFirmware(link, host, MakeImage(0xFF00, false)), Outcome::Done);
    EXPECT_EQ(rom.IdsTried().size(), 1u);
}

TEST_F(FlashBench, IdMismatchOnBothAttempts)
{
    // A board whose firmware carries another ID, and a chip that refuses every ID.
    for (bool otherId : {true, false}) {
        SCOPED_TRACE(otherId ? "other ID" : "refuses every ID");
        rom.StoreId(otherId ? kOldId : kErasedId);
        rom.failure = otherId ? BootRom::Failure::None : BootRom::Failure::WrongId;
        const size_t triedBefore = rom.IdsTried().size();
        dialogs().Clear();
        EXPECT_NE(FlashFirmware(link, host, MakeImage()), Outcome::Done);
        EXPECT_EQ(Ids(rom.IdsTried().begin() + long(triedBefore), rom.IdsTried().end()),
                  (Ids{kNewId, kErasedId}));
        EXPECT_EQ(dialogs().Log(), (std::vector<std::string>{"beep", "error:ID nicht abgestimmt!"}));
        EXPECT_EQ(rom.Erases(), 0);
        EXPECT_TRUE(TimesOf(Log::Kind::ToBoard, 0xA7).empty());
        EXPECT_EQ(FlashRange(0xFFDF, 0xFFE0), std::vector<uint8_t>{otherId ? kOldId[0] : uint8_t(0xFF)});
        ExpectEndStep(false);
    }
}

TEST_F(FlashBench, SilentBoardLeavesTheIdUnchecked)
{
    rom.failure = BootRom::Failure::NoStatusReply;
    EXPECT_NE(FlashFirmware(link, host, MakeImage()), Outcome::Done);
    EXPECT_EQ(dialogs().Log(), (std::vector<std::string>{"beep", "error:ID nicht geprüft!"}));
    ExpectEndStep(false);
}

TEST(FlashStatus, ComparedWhole)
{
    EXPECT_TRUE(FlashReady({0x80, 0x00}));
    EXPECT_TRUE(FlashReady({0x80, 0x0C}));
    for (uint8_t srd : {0x88, 0xC0, 0x81, 0x90, 0xA0, 0x00})
        EXPECT_FALSE(FlashReady({srd, 0x0C})) << int(srd);
    EXPECT_TRUE(IdVerified({0x80, 0x0C}));
    for (uint8_t srd1 : {0x0D, 0x0E, 0x1C, 0x8C, 0x04, 0x00})
        EXPECT_FALSE(IdVerified({0x80, srd1})) << int(srd1);

    // Failing only through bits the reports do not name: the beep and no box.
    VirtualClock clock;
    LinkTestHost host(clock);
    ReportFlashStatus(host, {0x88, 0x0C});
    ReportIdStatus(host, {0x80, 0x0E});
    EXPECT_EQ(host.dialogs.Log(), (std::vector<std::string>{"beep", "beep"}));
}

TEST_F(FlashBench, PageWrittenWithAnErrorEndsTheUpdate)
{
    rom.failure = BootRom::Failure::PageWriteError;
    rom.FailPage = 0x8200;
    EXPECT_NE(FlashFirmware(link, host, MakeImage()), Outcome::Done);
    EXPECT_EQ(dialogs().Log(), std::vector<std::string>{"beep"});  // 0x88: no bit with a text
    EXPECT_EQ(rom.PagesProgrammed(), (std::vector<int>{0x8000, 0x8100, 0x8200}));
    EXPECT_TRUE(rom.PagesRead().empty());
    EXPECT_EQ(inner.LastStatus(), "Code-Flash programmieren");
    ExpectEndStep(false);
}

// The 50 ms before the status request count from the moment the ID block has left the PC.
TEST_F(FlashBench, IdBlockLeavesThePcBeforeTheWait)
{
    ASSERT_EQ(FlashFirmware(link, host, MakeImage(0xFF00, false)), Outcome::Done);
    std::vector<const Log*> sent;
    for (const Log& e : board.Log())
        if (e.kind == Log::Kind::ToBoard)
            sent.push_back(&e);
    size_t id = 0;
    while (id < sent.size() && sent[id]->byte != 0xF5)
        ++id;
    ASSERT_LT(id + 12, sent.size());
    const Log& lastIdByte = *sent[id + 11];
    const Log& request = *sent[id + 12];
    EXPECT_EQ(request.byte, 0x70);
    EXPECT_GE(request.timeUs - lastIdByte.timeUs, kCommandWaitMs * 1000 + kByteTimeUs);
    EXPECT_LE(request.timeUs - lastIdByte.timeUs,
              (kCommandWaitMs + LinkTiming::kSentPollMs) * 1000 + kByteTimeUs);
}

TEST_F(FlashBench, IdBlockThatDoesNotLeaveThePc)
{
    // Writes stick from the ID block on (16 zeros, B0 and 50 have gone out).
    inner.onSleep = [this](int) {
        if (board.BytesReceived().size() == 18)
            board.WritesStuck = true;
    };
    EXPECT_NE(FlashFirmware(link, host, MakeImage()), Outcome::Done);
    EXPECT_EQ(dialogs().Log(),
              (std::vector<std::string>{"beep", "error:Daten senden konnte nicht ausgeführt werden!  "
                                                "Fehlercode 30\n\n             Datenübertragung abgebrochen!"}));
    EXPECT_TRUE(rom.IdsTried().empty());
    ExpectEndStep(false);
}

TEST_F(FlashBench, BaudRateFailures)
{
    rom.failure = BootRom::Failure::NoBaudReply;
    EXPECT_NE(FlashFirmware(link, host, MakeImage()), Outcome::Done);
    EXPECT_EQ(dialogs().Log(),
              (std::vector<std::string>{"beep", std::string("error:") + FlashText::BaudTimeout}));
    // Gave up at the 97th test: 50 ms, then 96 waits of 10 ms after 0xB0 had left.
    const int64_t sent = TimesOf(Log::Kind::ToBoard, 0xB0).at(0);
    const int64_t modeOff = LineTime("RTS=0");
    EXPECT_GE(modeOff - sent, (kCommandWaitMs + 96 * kReplyPollMs) * 1000);
    EXPECT_LE(modeOff - sent, (kCommandWaitMs + 96 * kReplyPollMs + 10) * 1000);
    EXPECT_EQ(inner.LastStatus(), "");
    ExpectEndStep(false);
}

TEST_F(FlashBench, WrongBaudReplyEndsAtOnce)
{
    rom.failure = BootRom::Failure::WrongBaudReply;
    EXPECT_NE(FlashFirmware(link, host, MakeImage()), Outcome::Done);
    EXPECT_EQ(dialogs().Log(),
              (std::vector<std::string>{"beep", std::string("error:") + FlashText::BaudNotConfirmed}));
    const int64_t sent = TimesOf(Log::Kind::ToBoard, 0xB0).at(0);
    EXPECT_LE(LineTime("RTS=0") - sent, (kCommandWaitMs + 10) * 1000);
    EXPECT_EQ(board.BytesReceived().back(), 0xB0);  // nothing after it
    ExpectEndStep(false);
}

TEST_F(FlashBench, EraseFailures)
{
    rom.failure = BootRom::Failure::EraseError;
    params.DataPresent = 1;
    EXPECT_NE(FlashFirmware(link, host, MakeImage()), Outcome::Done);
    EXPECT_EQ(dialogs().Log(), (std::vector<std::string>{"beep", "error:Flash löschen mit Fehler beendet!"}));
    EXPECT_EQ(inner.LastStatus(), "Flash löschen");  // the phase stays shown
    EXPECT_EQ(inner.LastProgress(), 99);
    EXPECT_TRUE(rom.PagesProgrammed().empty());
    ExpectEndStep(true);
}

TEST_F(FlashBench, EraseStillRunningAtTheStatusRequest)
{
    rom.EraseUs = 8'000'000;  // longer than the six seconds the update waits
    EXPECT_NE(FlashFirmware(link, host, MakeImage()), Outcome::Done);
    EXPECT_EQ(dialogs().Log(), (std::vector<std::string>{"beep", "error:Flash in Bearbeitung!"}));
    EXPECT_TRUE(rom.PagesProgrammed().empty());
    ExpectEndStep(false);
}

TEST_F(FlashBench, NoStatusReplyAfterErase)
{
    inner.onSleep = [this](int) {
        if (inner.LastStatus() == "Flash löschen")
            rom.failure = BootRom::Failure::NoStatusReply;
    };
    EXPECT_NE(FlashFirmware(link, host, MakeImage()), Outcome::Done);
    EXPECT_EQ(dialogs().Log(), (std::vector<std::string>{"beep", "error:Flash in Bearbeitung!"}));
    ExpectEndStep(false);
}

TEST_F(FlashBench, ProgramErrorOnAPage)
{
    rom.failure = BootRom::Failure::ProgramError;
    rom.FailPage = 0x8300;
    EXPECT_NE(FlashFirmware(link, host, MakeImage()), Outcome::Done);
    EXPECT_EQ(dialogs().Log(),
              (std::vector<std::string>{"beep", "error:Flash programmieren mit Fehler beendet!!"}));
    EXPECT_EQ(rom.PagesProgrammed(), (std::vector<int>{0x8000, 0x8100, 0x8200, 0x8300}));
    EXPECT_EQ(inner.LastStatus(), "Code-Flash programmieren");
    EXPECT_EQ(inner.LastProgress(), 2);  // three pages of 0.78 %
    ExpectEndStep(false);
}

TEST_F(FlashBench, SilentBadPagesAreCaughtByTheReadBack)
{
    rom.failure = BootRom::Failure::SilentBadPage;
    rom.FailPage = 0x8500;
    EXPECT_NE(FlashFirmware(link, host, MakeImage()), Outcome::Done);
    EXPECT_EQ(dialogs().Log(),
              (std::vector<std::string>{"beep", "error:Flash-Prüfung fehlgeschlagen bei Adresse 0x8510!"}));
    EXPECT_EQ(inner.LastStatus(), "Flash prüfen");
    const auto statuses = inner.Statuses();
    EXPECT_EQ(std::count(statuses.begin(), statuses.end(), "Code-Flash programmiert"), 0);
    EXPECT_EQ(rom.PagesRead().back(), 0x8500);
    ExpectEndStep(false);
}

TEST_F(FlashBench, SilentBadDataPage)
{
    rom.failure = BootRom::Failure::SilentBadPage;
    rom.FailPage = 0x2A00;
    EXPECT_NE(FlashFirmware(link, host, MakeImage(0xFF00)), Outcome::Done);
    EXPECT_EQ(dialogs().Log(),
              (std::vector<std::string>{"beep", "error:Flash-Prüfung fehlgeschlagen bei Adresse 0x2A10!"}));
    const auto statuses = inner.Statuses();
    EXPECT_EQ(std::count(statuses.begin(), statuses.end(), "Code-Flash programmiert"), 1);
    EXPECT_EQ(std::count(statuses.begin(), statuses.end(), "Daten-Flash programmiert"), 0);
}

TEST_F(FlashBench, ModeLineNotAnswered)
{
    board.ModeAnswer.mode = LineBehaviour::Mode::Never;
    EXPECT_NE(FlashFirmware(link, host, MakeImage()), Outcome::Done);
    EXPECT_EQ(dialogs().Log(),
              (std::vector<std::string>{"beep", "error:Keine Rückmeldung vom \"Mode\"-Befehl erhalten!"
                                                "\n\n        Datenübertragung abgebrochen!"}));
    EXPECT_EQ(inner.LastProgress(), 0);
    EXPECT_EQ(inner.LastStatus(), "");
    EXPECT_TRUE(board.DtrHigh());  // the reset line is left as it was
    EXPECT_TRUE(board.BytesReceived().empty());
    ExpectEndStep(false);
}

TEST_F(FlashBench, StuckWritesAndAFailingPort)
{
    board.WritesStuck = true;
    EXPECT_NE(FlashFirmware(link, host, MakeImage()), Outcome::Done);
    EXPECT_EQ(dialogs().Log(),
              (std::vector<std::string>{"beep", "error:Daten senden konnte nicht ausgeführt werden!  "
                                                "Fehlercode 9\n\n             Datenübertragung abgebrochen!"}));
    ExpectEndStep(false);
}

TEST_F(FlashBench, PortFailureEndsTheUpdateAndRestoresTheWindow)
{
    board.FailCall("WriteBlock");
    EXPECT_NE(FlashFirmware(link, host, MakeImage()), Outcome::Done);
    EXPECT_EQ(dialogs().Log(), (std::vector<std::string>{"beep", "error:ComPortError:  /dev/ttyUSB0 !"}));
    ExpectEndStep(false);

    // An unplugged converter: even releasing the mode line fails, the window recovers.
    dialogs().Clear();
    board.Unplug();
    EXPECT_NE(FlashFirmware(link, host, MakeImage()), Outcome::Done);
    EXPECT_EQ(dialogs().Log(), (std::vector<std::string>{"beep", "error:ComPortError:  /dev/ttyUSB0 !"}));
    EXPECT_EQ(inner.LinkControls(), std::optional<bool>(true));
    EXPECT_EQ(host.PortList, std::optional<bool>(true));
}

TEST_F(FlashBench, ImagesTheFlashCannotTakeAreRefusedBeforeAnything)
{
    FirmwareImage belowFlash = MakeImage();
    belowFlash.codeBase = 0x7F00;
    FirmwareImage offPage = MakeImage();
    offPage.dataBase = 0x2480;
    FirmwareImage noCode = MakeImage();
    noCode.hasCodeRecords = false;
    for (const FirmwareImage& image : {belowFlash, offPage, noCode}) {
        dialogs().Clear();
        EXPECT_NE(FlashFirmware(link, host, image), Outcome::Done);
        EXPECT_EQ(dialogs().Log(), (std::vector<std::string>{
                                       "beep", "error:Firmware-Datei passt nicht in den Flash-Speicher!"}));
    }
    EXPECT_TRUE(board.Log().empty());
    EXPECT_TRUE(inner.Record().empty());
}

// ---- the button: file choice, then the update ----

struct FirmwareButton : FlashBench {
    std::filesystem::path dir;

    void SetUp() override
    {
        FlashBench::SetUp();
        dir = std::filesystem::temp_directory_path()
              / ("fw_button_" + std::to_string(::getpid()) + "_"
                 + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir / "sub");
        params.DataFolder = "/start/folder";
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string Write(const std::string& name, const std::string& content)
    {
        const std::filesystem::path path = dir / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }
};

TEST_F(FirmwareButton, CancelTouchesNothing)
{
    dialogs().ChooseOpen(std::nullopt);
    EXPECT_NE(FirmwareButtonClick(board, host, params), Outcome::Done);
    ASSERT_EQ(dialogs().FileRequests().size(), 1u);
    const FileDialogRequest& request = dialogs().FileRequests()[0];
    EXPECT_EQ(request.Filter, "Firmware  ( *.mot )|*.MOT|");
    EXPECT_EQ(request.InitialFolder, "/start/folder");
    EXPECT_EQ(request.FileName, "");
    EXPECT_TRUE(board.Log().empty());
    EXPECT_EQ(params.DataFolder, "/start/folder");
    EXPECT_TRUE(inner.Record().empty());
}

TEST_F(FirmwareButton, RefusedFilesBringTheDialogBack)
{
    const std::string broken = Write("sub/broken.mot", S2Record(0x8000, {1, 2}) + "\r\n");
    dialogs().ChooseOpen((dir / "missing.mot").string());
    dialogs().ChooseOpen(broken);
    dialogs().ChooseOpen(dir.string());  // a folder is no file
    dialogs().ChooseOpen(std::nullopt);
    EXPECT_NE(FirmwareButtonClick(board, host, params), Outcome::Done);

    EXPECT_EQ(dialogs().Messages(),
              (std::vector<std::string>{"Datei kann nicht geöffnet werden!", "Unerwartetes Dateiende!",
                                        "Datei kann nicht geöffnet werden!"}));
    EXPECT_EQ(dialogs().Beeps(), 3);
    // The folder follows each chosen file at once, even a refused one.
    const auto& requests = dialogs().FileRequests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0].InitialFolder, "/start/folder");
    EXPECT_EQ(requests[1].InitialFolder, dir.string());
    EXPECT_EQ(requests[2].InitialFolder, (dir / "sub").string());
    EXPECT_EQ(requests[3].InitialFolder, dir.parent_path().string());
    EXPECT_EQ(params.DataFolder, dir.parent_path().string());
    EXPECT_TRUE(board.Log().empty());
}

// A FIFO does not hang the window and a file over 4 MiB is not read into memory: both
// are refused with the file box at once.
TEST_F(FirmwareButton, AFifoOrAnOversizedFileIsRefusedAtOnce)
{
    const std::string fifo = (dir / "fifo.mot").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const std::string big = Write("big.mot", "S0");
    std::filesystem::resize_file(big, (4u << 20) + 1);
    dialogs().ChooseOpen(fifo);
    dialogs().ChooseOpen(big);
    dialogs().ChooseOpen(std::nullopt);
    EXPECT_EQ(FirmwareButtonClick(board, host, params), Outcome::Declined);
    EXPECT_EQ(dialogs().Messages(),
              (std::vector<std::string>{"Datei kann nicht geöffnet werden!", "Datei kann nicht geöffnet werden!"}));
    EXPECT_TRUE(board.Log().empty());
}

TEST_F(FirmwareButton, ASoundFileAfterARefusedOneIsReadCleanly)
{
    // The refused file fixes a code base of 0x9000 and writes 0xAA there before its
    // checksum fails; none of it may reach the next file's image.
    std::string bad = S2Record(0x9000, {0xAA}) + "\r\n" + S2Record(0x2500, {0xBB});
    bad.back() = bad.back() == '0' ? '1' : '0';
    dialogs().ChooseOpen(Write("bad.mot", bad + "\r\nS9030000FC\r\n"));
    const FirmwareImage image = MakeImage(0xFE00, false);
    dialogs().ChooseOpen(Write("good.mot", WriteSRecords(image)));

    EXPECT_EQ(FirmwareButtonClick(board, host, params), Outcome::Done);
    EXPECT_EQ(dialogs().Log(), (std::vector<std::string>{"open:Firmware  ( *.mot )|*.MOT|", "beep",
                                                         "error:Checksummen-Fehler!",
                                                         "open:Firmware  ( *.mot )|*.MOT|", "beep"}));
    EXPECT_EQ(rom.PagesProgrammed(), (std::vector<int>{0xFE00, 0xFF00}));
    EXPECT_EQ(FlashRange(0xFE00, 0x10000),
              std::vector<uint8_t>(image.codeImage.begin(), image.codeImage.begin() + 0x200));
    EXPECT_EQ(FlashRange(0x9000, 0x9001), std::vector<uint8_t>{0xFF});
    ExpectEndStep(false);
}

TEST_F(FirmwareButton, FlashesTheSampleFirmwareIntoABlankChip)
{
    rom.StoreId(kErasedId);
    dialogs().ChooseOpen((std::filesystem::path(LCD_SAMPLES_DIR) / "sample_firmware.mot").string());
    EXPECT_EQ(FirmwareButtonClick(board, host, params), Outcome::Done);
    EXPECT_EQ(inner.LastStatus(), "Daten-Flash programmiert");
    EXPECT_EQ(rom.Flash()[0xFFDF], 'L');
    EXPECT_EQ(rom.Flash()[0x2BFF], 0x2A);
}

}  // namespace
