#pragma once
// The calls TComPort makes on an open tty besides open, read, poll and close: the
// driver requests (modem lines, error counters, output queue, line-change wait,
// exclusive mode, FIONREAD) and write. The program uses the kernel; the real-port
// tests put a pseudo-terminal behind a driver of their own that adds what a pty lacks
// (modem lines, error counters, TIOCMIWAIT), so the production port, thread included,
// runs against the virtual board.
//
// Ioctl may be called from the port's watching thread (TIOCMGET, TIOCGICOUNT,
// TIOCMIWAIT) as well as from the user-interface thread.
#include <cstddef>
#include <pthread.h>
#include <sys/types.h>

class TtyDriver {
public:
    virtual ~TtyDriver() = default;
    // As ::ioctl: 0 or -1 with errno set.
    virtual int Ioctl(int fd, unsigned long request, void* argument);
    // As ::write.
    virtual ssize_t Write(int fd, const void* data, size_t size);
    // Wakes the thread that waits in TIOCMIWAIT (the port is closing); the wait then
    // fails with EINTR. A wake that comes just before the wait begins is lost, so the
    // port repeats it until the thread has gone.
    virtual void WakeLineWait(pthread_t waiter);
};

// The kernel's driver.
TtyDriver& KernelTtyDriver();
