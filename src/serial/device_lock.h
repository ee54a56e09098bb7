#pragma once
// One program at a time on a serial device, across both programs and all users. The
// tty's own exclusive flag does not stop root, and every open of a tty raises DTR and
// RTS, which resets the board in the middle of another program's exchange; so the
// lock is taken before the device is opened at all. It is a flock on a file in
// /run/lock named after the device's major:minor number ("lcdkonfig-188:0.lock"), so
// that every name of the device (ttyUSB0, a by-id link) meets the same lock, and the
// kernel gives it up when its process ends however it ends: the lock of a dead process
// is taken over by the next opener.
//
// Where no lock file can be made (no such folder, no permission) the port opens
// without one, as before, and the cause goes to the diagnostics.
#include <string>

inline constexpr const char* kDeviceLockFolder = "/run/lock";

class DeviceLock {
public:
    DeviceLock() = default;
    ~DeviceLock() { Release(); }
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;

    // Takes the lock of `device`. False with errno EBUSY when another process holds
    // it; true when it is held now, or when there is no lock to take (no device node,
    // no lock file possible).
    bool Take(const std::string& device, const std::string& folder = kDeviceLockFolder);
    void Release();
    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// The lock file of `device` in `folder`; empty when the device is no device node.
std::string DeviceLockPath(const std::string& device, const std::string& folder = kDeviceLockFolder);
