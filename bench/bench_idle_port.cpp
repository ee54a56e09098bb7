// How often the open port's watching threads wake up, and what the whole process costs
// in CPU, while the port is open and idle for 30 s, and during a download in real time.
// The port is the production TComPort, threads included, on a pseudo-terminal whose
// driver adds modem lines, error counters and TIOCMIWAIT (PtyBoard, the real-port test
// seam), with the virtual board at the far end on a real-time clock.
//
// Goal while idle: at most 5 wake-ups a second and under 0.1 % of a core.
#include "bench_dialogs.h"
#include "board_config.h"
#include "com_port.h"
#include "download.h"
#include "live_board.h"
#include "pty_board.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <mutex>
#include <sys/resource.h>
#include <thread>

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
    return idle.wakeupsPerSecond <= 5.0 && idle.cpuShare < 0.001 ? 0 : 1;
}
