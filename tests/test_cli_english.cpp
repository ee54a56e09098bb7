// lcdkonfig-cli in English: --lang and LCDKONFIG_LANG choose the language of messages
// and data; files stay exactly as in German.
#include "cli_rig.h"

using namespace clitest;

namespace {

class EnglishTest : public Cli {};

const char* kNoAnswerGerman =
    "lcdkonfig-cli: Gerät antwortet nicht! Mögliche Gründe, z.B.: Test-Jumper auf Platine vergessen. "
    "Netzkabel nicht entfernt. Noch keine Firmware geladen.";
const char* kNoAnswerEnglish =
    "lcdkonfig-cli: The device does not answer! Possible reasons, e.g.: Test jumper left on the board. "
    "Mains cable not removed. No firmware loaded yet.";

}  // namespace

TEST_F(EnglishTest, MessagesInTheChosenLanguage)
{
    Config().Ping.mode = PingBehaviour::Mode::NoAnswer;
    Result r = Run({"-p", "virtuell", "read"});
    EXPECT_EQ(r.Code, 4);
    EXPECT_TRUE(r.ErrHas(kNoAnswerGerman)) << r.Err;

    r = Run({"--lang", "en", "-p", "virtuell", "read"});
    EXPECT_EQ(r.Code, 4);
    EXPECT_TRUE(r.ErrHas(kNoAnswerEnglish)) << r.Err;

    variables["LCDKONFIG_LANG"] = "en";
    r = Run({"-p", "virtuell", "read"});
    EXPECT_TRUE(r.ErrHas(kNoAnswerEnglish)) << r.Err;
    // The command line wins over the environment; the next run is German again.
    r = Run({"--lang", "de", "-p", "virtuell", "read"});
    EXPECT_TRUE(r.ErrHas(kNoAnswerGerman)) << r.Err;

    // A port that is not there, and a line error, in English.
    variables.erase("LCDKONFIG_LANG");
    Config().Ping.mode = PingBehaviour::Mode::Answer;
    Wire().InjectLineError(LineErrorKind::Frame, 3'000'000);
    r = Run({"--lang", "en", "-p", "virtuell", "read"});
    EXPECT_EQ(r.Code, 4);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: Line error on port virtuell!")) << r.Err;
}

TEST_F(EnglishTest, FaultTextsAndTheirHeaderFollowTheLanguageFilesDoNot)
{
    Result german = Run({"-p", "virtuell", "read", "-o", Path("de.lcd")});
    ASSERT_EQ(german.Code, 0) << german.Err;
    Result english = Run({"--lang", "en", "-p", "virtuell", "read", "-o", Path("en.lcd")});
    ASSERT_EQ(english.Code, 0) << english.Err;
    EXPECT_EQ(Bytes(Path("en.lcd")), Bytes(Path("de.lcd")));
    EXPECT_EQ(Bytes(Path("en.txt")), Bytes(Path("de.txt")));

    const Result csv = Run({"--lang", "en", "-p", "virtuell", "faults", "--format", "csv"});
    ASSERT_EQ(csv.Code, 0) << csv.Err;
    EXPECT_EQ(csv.Out.rfind("No,Days,Hours,Min,Sec,Code,Fault\n", 0), 0u) << csv.Out;
    // The demo board's last record is fault 25, "U-HZ hat den Maximalwert überschritten."
    EXPECT_NE(csv.Out.find("Heater voltage above its maximum."), std::string::npos) << csv.Out;
    EXPECT_EQ(csv.Out.find("überschritten"), std::string::npos);
}

TEST_F(EnglishTest, AnUnknownLanguageIsAUsageError)
{
    const Result r = Run({"--lang", "fr", "ports"});
    EXPECT_EQ(r.Code, 2);
    EXPECT_NE(r.Err.find("--lang takes de or en"), std::string::npos) << r.Err;
}
