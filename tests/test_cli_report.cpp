// lcdkonfig-cli report: the two-page report as PDF from a file or the board, drawn by
// the window's report layout and painter through Qt GUI's PDF writer.
#include "cli_rig.h"
#include "config_file.h"

#include <QProcess>

using namespace clitest;

namespace {

std::string Tool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return "<" + program.toStdString() + " failed>";
    return process.readAllStandardOutput().toStdString();
}

// The value of a "Name:   value" line of pdfinfo.
std::string InfoField(const std::string& info, const std::string& name)
{
    std::istringstream in(info);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(name + ":", 0) == 0) {
            const size_t value = line.find_first_not_of(' ', name.size() + 1);
            return value == std::string::npos ? std::string() : line.substr(value);
        }
    return "<no " + name + ">";
}

class ReportTest : public Cli {};

}  // namespace

TEST_F(ReportTest, AFileGivesTheTwoPagesWithItsValuesAndTheDeviceTypeName)
{
    ParameterSet set;
    set.Values[1] = 90;       // Vorheizzeit
    set.Values[27] = 10465;   // PWR: 100 W
    set.SerialNumber = "0042";
    set.DeviceType = 2;
    Put("set.lcd", WithCrLf(ToWindows1252(LcdFileText(set))));
    std::string types;
    for (int k = 0; k < 256; ++k)
        types += "Typ" + std::to_string(k) + "\t;\r\n";
    Put("GeraeteTyp.ini", types);

    const Result r = Run({"report", "-i", Path("set.lcd"), "-o", Path("set.pdf")});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: report: " + Path("set.pdf")));
    const std::string info = Tool("pdfinfo", {QString::fromStdString(Path("set.pdf"))});
    EXPECT_EQ(InfoField(info, "Pages"), "2");
    EXPECT_EQ(InfoField(info, "Title"), "Tavrix S0042 set.lcd");
    EXPECT_NE(InfoField(info, "Page size").find("(A4)"), std::string::npos) << info;
    const std::string text = Tool("pdftotext", {"-layout", QString::fromStdString(Path("set.pdf")), "-"});
    EXPECT_NE(text.find("Blatt: 1"), std::string::npos);
    EXPECT_NE(text.find("Blatt: 2"), std::string::npos);
    EXPECT_NE(text.find("Gerät: Typ2"), std::string::npos) << text;
    EXPECT_NE(text.find("Serien-Nr: 0042"), std::string::npos);
    // The values in the editors' units.
    EXPECT_NE(text.find("Vorheizzeit:                                               90     sek"), std::string::npos);
    EXPECT_EQ(Received(), "");
}

TEST_F(ReportTest, TheBoardIsReadAndBackedUpAndOutputIsNeeded)
{
    Result r = Run({"-p", "virtuell", "report", "-o", Path("board.pdf")});
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(Received(), "\xBA\xA5\xAB");
    EXPECT_EQ(BackupFiles().size(), 4u);
    const std::string text = Tool("pdftotext", {"-layout", QString::fromStdString(Path("board.pdf")), "-"});
    EXPECT_NE(text.find("Serien-Nr: 0001"), std::string::npos) << text;
    EXPECT_NE(text.find("Version: 7.5"), std::string::npos);

    r = Run({"report", "-i", Path("set.lcd")});
    EXPECT_EQ(r.Code, 2);
    EXPECT_TRUE(r.ErrHas("lcdkonfig-cli: report: -o FILE.pdf is needed"));
    r = Run({"report", "-i", Path("missing.lcd"), "-o", Path("x.pdf")});
    EXPECT_EQ(r.Code, 6);
    EXPECT_FALSE(fs::exists(Path("x.pdf")));
}
