// How often the open port's watching threads wake up, and what the whole process costs
// in CPU, while the port is open and idle for 30 s, and during a download in real time.
// The port is the production TComPort, threads included, on a pseudo-terminal whose
// driver adds modem lines, error counters and TIOCMIWAIT (PtyBoard, the real-port test
// seam), with the virtual board at the far end on a real-time clock. Then the whole
// window program, idle on the offscreen platform, with and without its live virtual
// board (LCDKONFIG_VIRTUAL_BOARD=1 and 0): the context switches of all its threads.
//
// Goal while idle: at most 5 wake-ups a second and under 0.1 % of a core.
#include "bench_dialogs.h"
#include "board_config.h"
#include "com_port.h"
#include "download.h"
#include "live_board.h"
#include "pty_board.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double CpuSeconds()
{
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The window's message queue: the port's threads post, the main thread runs.
class Queue {
public:
    EventPoster Poster()
    {
        return [this](std::function<void()> call) {
            std::lock_guard<std::mutex> lock(mutex_);
            calls_.push_back(std::move(call));
        };
    }
    void Run()
    {
        for (;;) {
            std::function<void()> call;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (calls_.empty())
                    return;
                call = std::move(calls_.front());
                calls_.pop_front();
            }
            call();
        }
    }

private:
    std::mutex mutex_;
    std::deque<std::function<void()>> calls_;
};


// Sleeps for real; the pty is pumped around every sleep, the queue run when the
// exchange processes its messages.
class RealTimeHost : public TransferHost {
public:
    RealTimeHost(PtyBoard& pty, Queue& queue) : pty_(pty), queue_(queue) {}
    std::string status;
    Dialogs& Messages() override { return dialogs_; }
    void Sleep(int ms) override
    {
        pty_.Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        pty_.Pump();
    }
    void ProcessMessages() override { queue_.Run(); }
    void SetProgress(int) override {}
    void SetStatus(const std::string& text) override { status = text; }
    void EnableLinkControls(bool) override {}
    void EnableEditorControls(bool) override {}
    void PaintResetPanel(bool) override {}
    void PaintModePanel(bool) override {}
    void RefreshMainWindow() override {}
    void EnableDeviceTypeButton() override {}
    std::string SerialEditText() override { return "0001"; }
    void EnableSendSerialButton(bool) override {}

private:
    PtyBoard& pty_;
    Queue& queue_;
    BenchDialogs dialogs_;
};

struct Figures {
    double seconds, wakeupsPerSecond, cpuShare;
};

template <class F>
Figures Measure(TComPort& port, F&& work)
{
    const long wakeups = port.WatcherWakeups();
    const double cpu = CpuSeconds();
    const auto start = Clock::now();
    work();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return {seconds, double(port.WatcherWakeups() - wakeups) / seconds, (CpuSeconds() - cpu) / seconds};
}

void Print(const char* what, const Figures& f)
{
    std::printf("%-34s %6.1f s   %7.2f wake-ups/s   %7.3f %% of a core\n", what, f.seconds, f.wakeupsPerSecond,
                100.0 * f.cpuShare);
}

// Context switches (voluntary and not) of every thread of process `pid`, and its CPU
// seconds, from /proc.
struct ProcessCounters {
    long switches = 0;
    double cpuSeconds = 0;
};

ProcessCounters CountersOf(pid_t pid)
{
    ProcessCounters counters;
    std::error_code ec;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    for (const auto& task : std::filesystem::directory_iterator(tasks, ec)) {
        std::ifstream status(task.path() / "status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0 || line.rfind("nonvoluntary_ctxt_switches:", 0) == 0)
                counters.switches += std::stol(line.substr(line.find(':') + 1));
    }
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string all((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // Fields 14 and 15 (utime, stime) in clock ticks, counted after the command's ")".
    std::istringstream rest(all.substr(all.rfind(')') + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int n = 3; rest >> field; ++n) {
        if (n == 14) utime = std::stol(field);
        if (n == 15) { stime = std::stol(field); break; }
    }
    counters.cpuSeconds = double(utime + stime) / double(::sysconf(_SC_CLK_TCK));
    return counters;
}

// The window program started on the offscreen platform in a folder of its own, left
// alone for `settleSeconds` (start-up, port search), then measured for `seconds`.
Figures IdleWindow(bool virtualBoard, int settleSeconds, int seconds)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("bench_idle_window_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const pid_t child = ::fork();
    if (child == 0) {
        ::chdir(folder.c_str());
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("XDG_STATE_HOME", folder.c_str(), 1);
        ::setenv("LCDKONFIG_VIRTUAL_BOARD", virtualBoard ? "1" : "0", 1);
        ::execl(WINDOW_PROGRAM, WINDOW_PROGRAM, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    std::this_thread::sleep_for(std::chrono::seconds(settleSeconds));
    const ProcessCounters before = CountersOf(child);
    const auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const ProcessCounters after = CountersOf(child);
    const double took = std::chrono::duration<double>(Clock::now() - start).count();
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    std::filesystem::remove_all(folder);
    return {took, double(after.switches - before.switches) / took, (after.cpuSeconds - before.cpuSeconds) / took};
}

}  // namespace

int main(int argc, char** argv)
{
    const int idleSeconds = argc > 1 ? std::atoi(argv[1]) : 30;
    RealTimeClock clock;
    VirtualBoard board(clock);
    ConfigBoard config;
    FillDemoBoard(config);
    PtyBoard pty(board);
    board.SetApplication(&config);
    Queue queue;
    TComPort port(pty);
    port.SetDeviceName(pty.DeviceName());
    port.SetPoster(queue.Poster());
    port.SetActive(true);

    std::printf("Port watching threads, production TComPort on the pty seam (goal idle: <= 5 wake-ups/s, < 0.1 %%)\n");
    // Idle: the window's event loop sleeps; only the port's threads may wake it.
    const Figures idle = Measure(port, [&] {
        std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
        queue.Run();
    });
    Print("open and idle", idle);

    RealTimeHost host(pty, queue);
    ParameterSet params;
    FaultMemory faults;
    const Figures download = Measure(port, [&] { EmpfangenButtonClick(port, host, params, faults); });
    Print(("download (" + host.status + ")").c_str(), download);
    port.SetActive(false);

    std::printf("\nThe window program, idle on the offscreen platform (goal: <= 5 wake-ups/s)\n");
    const int windowSeconds = idleSeconds < 10 ? idleSeconds : 10;
    const Figures plain = IdleWindow(false, 4, windowSeconds);
    Print("window, no virtual board", plain);
    const Figures live = IdleWindow(true, 4, windowSeconds);
    Print("window, virtual board open", live);
    return idle.wakeupsPerSecond <= 5.0 && idle.cpuShare < 0.001 && plain.wakeupsPerSecond <= 5.0
                   && live.wakeupsPerSecond <= 5.0
               ? 0
               : 1;
}
