// How long the download and the upload take against the virtual board at 9600-baud
// wire timing, in real time, compared with the protocol's own minimum.
//
// The minimum is the same exchange run on a virtual clock: every byte's wire time and
// every wait the exchange makes (the reset pulse, the 2 s before the ping, the polls
// of a pending write and of an echo, the storing phase), with no time for computing
// and no sleep overshoot. The real run adds exactly those two. The CPU figure is the
// process's user + system time during the real run, as a share of one core. A third run
// goes against the live virtual board, as the program runs it behind the port
// "virtuell" (LCDKONFIG_VIRTUAL_BOARD=1). For the download, a fourth runs
// `lcdkonfig-cli -p virtuell read` as a process of its own against its live virtual
// board: from the start of the process to its end, and the process's CPU time.
#include "download.h"
#include "upload.h"
#include "board_config.h"
#include "live_board.h"
#include "virtual_board.h"

#include <chrono>
#include "bench_dialogs.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {



class BenchHost : public TransferHost {
public:
    BenchHost(VirtualClock& clock, bool realTime) : clock_(clock), realTime_(realTime) {}
    BenchDialogs dialogs;
    std::string status;

    Dialogs& Messages() override { return dialogs; }
    void Sleep(int ms) override
    {
        if (realTime_)
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        else
            clock_.AdvanceMs(ms);
    }
    void ProcessMessages() override {}
    void SetProgress(int) override {}
    void SetStatus(const std::string& text) override { status = text; }
    void EnableLinkControls(bool) override {}
    void EnableEditorControls(bool) override {}
    void PaintResetPanel(bool) override {}
    void PaintModePanel(bool) override {}
    void RefreshMainWindow() override {}
    void EnableDeviceTypeButton() override {}
    std::string SerialEditText() override { return "...."; }
    void EnableSendSerialButton(bool) override {}

private:
    VirtualClock& clock_;
    bool realTime_;
};

double CpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

struct Result {
    bool ok;
    double ms;     // on the clock the board ran on
    double cpuMs;
    size_t toBoard, toPc;  // bytes on the wire
};

using Exchange = std::function<void(SerialPort&, TransferHost&, ParameterSet&)>;

Result Measure(VirtualBoard& board, VirtualClock& clock, bool realTime, const Exchange& exchange,
               const char* success)
{
    board.SetActive(true);
    BenchHost host(clock, realTime);
    ParameterSet params;
    params.ValueCount = kValueCount;
    params.DataPresent = 1;
    const int64_t startUs = clock.NowUs();
    const double cpuStart = CpuMs();
    exchange(board, host, params);
    return {host.status == success && host.dialogs.Messages == 0,
            double(clock.NowUs() - startUs) / 1000.0, CpuMs() - cpuStart,
            board.BytesReceived().size(), board.BytesSent().size()};
}

// A board of the tests' kind on `clock`.
Result MeasureTestBoard(VirtualClock& clock, bool realTime, const Exchange& exchange,
                        const char* success)
{
    VirtualBoard board(clock);
    ConfigBoard config;
    config.SerialNumber = "1234";
    config.DeviceType = 7;
    board.SetApplication(&config);
    return Measure(board, clock, realTime, exchange, success);
}

struct ProcessResult {
    bool ok;
    double ms;
    double cpuMs;
};

// lcdkonfig-cli read against its own live virtual board, its backup in a temporary
// state folder, the .lcd text to /dev/null.
ProcessResult MeasureCliRead()
{
    char folder[] = "/tmp/bench_cli_XXXXXX";
    if (!mkdtemp(folder))
        return {false, 0, 0};
    const std::string state = std::string("XDG_STATE_HOME=") + folder;
    std::vector<std::string> variables = {"LCDKONFIG_VIRTUAL_BOARD=1", state};
    for (char** v = environ; *v; ++v) {
        const std::string entry = *v;
        if (entry.rfind("XDG_STATE_HOME=", 0) != 0 && entry.rfind("LCDKONFIG_", 0) != 0)
            variables.push_back(entry);
    }
    std::vector<char*> envp;
    for (std::string& v : variables)
        envp.push_back(v.data());
    envp.push_back(nullptr);
    std::string program = CLI_PROGRAM;
    std::string args[] = {program, "-q", "-p", "virtuell", "read", "-o", "-"};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return {false, 0, 0};
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return {WIFEXITED(status) && WEXITSTATUS(status) == 0, took.count(), ms(usage.ru_utime) + ms(usage.ru_stime)};
}

void Report(const char* name, const Exchange& exchange, const char* success, bool alsoCli = false)
{
    VirtualClock virtualClock;
    const Result minimum = MeasureTestBoard(virtualClock, false, exchange, success);
    RealTimeClock realClock;
    const Result real = MeasureTestBoard(realClock, true, exchange, success);
    // The live board holds the demo content, so its minimum is measured on its own.
    LiveBoard liveMinimum(std::make_unique<VirtualClock>());
    const Result onLiveMinimum =
        Measure(liveMinimum.Port(), liveMinimum.Clock(), false, exchange, success);
    LiveBoard live(std::make_unique<RealTimeClock>());
    const Result onLive = Measure(live.Port(), live.Clock(), true, exchange, success);
    std::printf("%s%s\n", name,
                minimum.ok && real.ok && onLiveMinimum.ok && onLive.ok ? "" : " (FAILED)");
    std::printf("  took               %10.1f ms\n", real.ms);
    std::printf("  protocol minimum   %10.1f ms  (wire: %zu bytes to the board, %zu to the PC, "
                "%.1f ms; the rest are the exchange's waits and polls)\n",
                minimum.ms, minimum.toBoard, minimum.toPc,
                double(minimum.toBoard + minimum.toPc) * kByteTimeUs / 1000.0);
    std::printf("  ratio              %10.4f\n", real.ms / minimum.ms);
    std::printf("  CPU while waiting  %10.1f ms  (%.2f %% of one core)\n", real.cpuMs,
                100.0 * real.cpuMs / real.ms);
    std::printf("  live virtual board %10.1f ms  minimum %.1f ms, ratio %.4f, CPU %.2f %% of one core\n",
                onLive.ms, onLiveMinimum.ms, onLive.ms / onLiveMinimum.ms,
                100.0 * onLive.cpuMs / onLive.ms);
    if (!alsoCli)
        return;
    // The whole program: start, port, download, backup, output, end.
    const ProcessResult cli = MeasureCliRead();
    std::printf("  lcdkonfig-cli read %10.1f ms  minimum %.1f ms, ratio %.4f, CPU %.2f %% of one core%s\n",
                cli.ms, onLiveMinimum.ms, cli.ms / onLiveMinimum.ms, 100.0 * cli.cpuMs / cli.ms,
                cli.ok ? "" : " (FAILED)");
}

}  // namespace

int main()
{
    FaultMemory faults;
    Report("download (Vom Gerät zum PC)",
           [&faults](SerialPort& port, TransferHost& host, ParameterSet& params) {
               EmpfangenButtonClick(port, host, params, faults);
           },
           "Daten gelesen", true);
    Report("upload (Vom PC zum Gerät)",
           [](SerialPort& port, TransferHost& host, ParameterSet& params) {
               SendenButtonClick(port, host, params);
           },
           "Programmiert");
    return 0;
}
