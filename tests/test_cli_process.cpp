// The built lcdkonfig-cli as a process of its own, in real time, against the live
// virtual board it makes with LCDKONFIG_VIRTUAL_BOARD=1: a read and a diff against the
// board (run side by side, each about as long as a download at 9600 baud), and the
// report on a machine without a display.
#include "cli_rig.h"
#include "config_file.h"

#include <QProcess>
#include <QProcessEnvironment>

using namespace clitest;

namespace {

class ProcessTest : public Cli {
protected:
    // The program with `args`, started; its environment without any display.
    std::unique_ptr<QProcess> Start(const QStringList& args)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LCDKONFIG_PORT", "LCDKONFIG_TRACE"})
            environment.remove(name);
        environment.insert("LCDKONFIG_VIRTUAL_BOARD", "1");
        environment.insert("XDG_STATE_HOME", QString::fromStdString((dir / "state").string()));
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(environment);
        process->setWorkingDirectory(QString::fromStdString(dir.string()));
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
}
