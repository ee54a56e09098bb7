#include "tty_driver.h"

#include <csignal>
#include <mutex>
#include <pthread.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// A thread waiting in TIOCMIWAIT is woken by this signal (its handler does nothing;
// installed without SA_RESTART, the wait fails with EINTR).
int WakeSignal() { return SIGRTMIN + 3; }

void InstallWakeHandler()
{
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction action {};
        action.sa_handler = [](int) {};
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;
        ::sigaction(WakeSignal(), &action, nullptr);
    });
}

class Kernel : public TtyDriver {
public:
    Kernel() { InstallWakeHandler(); }
};

}  // namespace

int TtyDriver::Ioctl(int fd, unsigned long request, void* argument) { return ::ioctl(fd, request, argument); }

ssize_t TtyDriver::Write(int fd, const void* data, size_t size) { return ::write(fd, data, size); }

void TtyDriver::WakeLineWait(pthread_t waiter) { ::pthread_kill(waiter, WakeSignal()); }

TtyDriver& KernelTtyDriver()
{
    static Kernel kernel;
    return kernel;
}
