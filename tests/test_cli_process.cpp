// The built lcdkonfig-cli as a process of its own, in real time, against the live
// virtual board it makes with LCDKONFIG_VIRTUAL_BOARD=1: a read and a diff against the
// board (run side by side, each about as long as a download at 9600 baud), and the
// report on a machine without a display.
#include "cli_rig.h"
#include "config_file.h"

#include <QProcess>
#include <algorithm>
#include <csignal>
#include <QProcessEnvironment>

using namespace clitest;

namespace {

class ProcessTest : public Cli {
protected:
    // The program with `args`, started; its environment without any display (and
    // without XDG_RUNTIME_DIR, as under sudo or cron).
    std::unique_ptr<QProcess> Start(const QStringList& args, const QString& standardOutput = {})
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LCDKONFIG_PORT", "LCDKONFIG_TRACE", "XDG_RUNTIME_DIR"})
            environment.remove(name);
        environment.insert("LCDKONFIG_VIRTUAL_BOARD", "1");
        environment.insert("XDG_STATE_HOME", QString::fromStdString((dir / "state").string()));
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(environment);
        process->setWorkingDirectory(QString::fromStdString(dir.string()));
        if (!standardOutput.isEmpty())
            process->setStandardOutputFile(standardOutput);
        process->start(CLI_PROGRAM, args);
        return process;
    }
    static Result Finish(QProcess& process)
    {
        Result result;
        if (!process.waitForFinished(45000))
            return result;
        result.Code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.Out = process.readAllStandardOutput().toStdString();
        result.Err = process.readAllStandardError().toStdString();
        return result;
    }
};

}  // namespace

TEST_F(ProcessTest, ReadAndDiffAgainstTheLiveVirtualBoard)
{
    // What the program's virtual board holds, with the pre-heat time changed.
    LiveBoard demo(std::make_unique<VirtualClock>());
    ParameterSet set;
    set.Values = demo.Application().Values;
    set.SerialNumber = "0001";
    set.DeviceMark = "DEM";
    set.DeviceType = demo.Application().DeviceType;
    const std::string expected = WithCrLf(ToWindows1252(LcdFileText(set)));
    set.Values[1] = 60;
    Put("saved.lcd", WithCrLf(ToWindows1252(LcdFileText(set))));

    auto read = Start({"-p", "virtuell", "read", "-o", "-"});
    auto diff = Start({"-q", "diff", QString::fromStdString(Path("saved.lcd")), "board"});
    const Result r = Finish(*read);
    const Result d = Finish(*diff);

    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out, expected);
    EXPECT_NE(r.Err.find("lcdkonfig-cli: Daten gelesen\n"), std::string::npos) << r.Err;
    // The search found the virtual board; only the difference, nothing on standard error.
    EXPECT_EQ(d.Code, 1) << d.Err;
    EXPECT_EQ(d.Out, "  1  Timing / Vorheizzeit: (EditVorheizzeit): 60 -> 90 (60 sek -> 90 sek)\n");
    EXPECT_EQ(d.Err, "");
    // Two reads, two backups.
    EXPECT_EQ(BackupFiles().size(), 8u);
}

TEST_F(ProcessTest, TheReportNeedsNoDisplay)
{
    ParameterSet set;
    set.SerialNumber = "0042";
    Put("set.lcd", WithCrLf(ToWindows1252(LcdFileText(set))));
    auto report = Start({"report", "-i", QString::fromStdString(Path("set.lcd")), "-o",
                         QString::fromStdString(Path("set.pdf"))});
    const Result r = Finish(*report);
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(Bytes(Path("set.pdf")).rfind("%PDF-", 0), 0u);
    // Qt's complaint about XDG_RUNTIME_DIR is none of the user's business.
    EXPECT_EQ(r.Err, "lcdkonfig-cli: report: " + Path("set.pdf") + "\n");
}

// /dev/full as standard output: the last flush or the close fails, and the program
// says so with exit 6 instead of 0.
TEST_F(ProcessTest, AFullDiskOnStandardOutputIsExitCode6)
{
    // The demo board's set: one the safety check finds nothing in.
    ConfigBoard demo;
    FillDemoBoard(demo);
    ParameterSet set;
    set.Values = demo.Values;
    Put("set.lcd", WithCrLf(ToWindows1252(LcdFileText(set))));
    for (const QStringList& args : {QStringList{"--json", "check", QString::fromStdString(Path("set.lcd"))},
                                    QStringList{"check", QString::fromStdString(Path("set.lcd"))},
                                    QStringList{"--help"}}) {
        auto run = Start(args, "/dev/full");
        const Result r = Finish(*run);
        EXPECT_EQ(r.Code, 6) << args.join(' ').toStdString() << "\n" << r.Err;
        EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 1) << r.Err;
        EXPECT_TRUE(r.Err.rfind("lcdkonfig-cli: Standardausgabe: Datei kann nicht geschrieben werden!", 0) == 0
                    || r.Err.rfind("lcdkonfig-cli: standard output: No space left on device", 0) == 0)
            << r.Err;
    }
}

// A kill during a flash: the exchange ends as after Ctrl-C, the trace shows the Mode
// line dropped and the port closed, exit 143.
TEST_F(ProcessTest, SigtermDuringAFlashReleasesTheModeLineAndClosesThePort)
{
    const QString trace = QString::fromStdString(Path("trace.txt"));
    auto flash = Start({"-p", "virtuell", "--trace", trace, "flash",
                        QString::fromStdString((fs::path(LCD_SAMPLES_DIR) / "sample_firmware.mot").string()), "--yes",
                        "--no-backup"});
    std::string err;
    for (int waited = 0; waited < 400 && err.find("Code-Flash programmieren 10 %") == std::string::npos; ++waited) {
        flash->waitForReadyRead(100);
        err += flash->readAllStandardError().toStdString();
    }
    ASSERT_NE(err.find("Code-Flash programmieren 10 %"), std::string::npos) << err;
    ::kill(pid_t(flash->processId()), SIGTERM);
    Result r = Finish(*flash);
    r.Err = err + r.Err;
    EXPECT_EQ(r.Code, 143) << r.Err;
    EXPECT_NE(r.Err.find("lcdkonfig-cli: interrupted\n"), std::string::npos) << r.Err;
    EXPECT_NE(r.Err.find("unvollständig"), std::string::npos) << r.Err;
    const std::string wire = Bytes(Path("trace.txt"));
    const size_t raised = wire.rfind(" RTS=1\n");
    const size_t dropped = wire.rfind(" RTS=0\n");
    const size_t closed = wire.rfind(" close virtuell\n");
    ASSERT_NE(raised, std::string::npos) << wire.substr(0, 2000);
    ASSERT_NE(dropped, std::string::npos);
    ASSERT_NE(closed, std::string::npos);
    EXPECT_LT(raised, dropped);
    EXPECT_LT(dropped, closed);
}
