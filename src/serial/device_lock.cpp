#include "device_lock.h"

#include "diagnostics_sink.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

std::string DeviceLockPath(const std::string& device, const std::string& folder)
{
    struct stat st {};
    if (::stat(device.c_str(), &st) != 0 || !S_ISCHR(st.st_mode))
        return {};
    return folder + "/lcdkonfig-" + std::to_string(major(st.st_rdev)) + ":" + std::to_string(minor(st.st_rdev))
           + ".lock";
}

namespace {

// Opened for reading only: flock needs no more, and a lock file another user made
// (0644) can be opened by everyone. O_CREAT only when it is not there: in a sticky
// folder the kernel refuses O_CREAT on another user's file (protected_regular).
// Without blocking and without following links: a FIFO or a link planted under the
// name is no lock file.
int OpenLockFile(const std::string& path)
{
    const int flags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    for (int attempt = 0; attempt < 2; ++attempt) {
        int fd = ::open(path.c_str(), flags);
        if (fd >= 0 || errno != ENOENT)
            return fd;
        fd = ::open(path.c_str(), flags | O_CREAT | O_EXCL, 0644);
        if (fd >= 0) {
            ::fchmod(fd, 0644);  // whatever the umask: the other users must open it too
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

}  // namespace

bool DeviceLock::Take(const std::string& device, const std::string& folder)
{
    Release();
    const std::string path = DeviceLockPath(device, folder);
    if (path.empty())
        return true;  // the open says what is wrong with the name
    const int fd = OpenLockFile(path);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        Diagnose(path + ": no device lock, the port opens without one: "
                 + (fd < 0 ? std::strerror(errno) : "not a regular file"));
        if (fd >= 0)
            ::close(fd);
        return true;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error == EWOULDBLOCK ? EBUSY : error;
        return false;
    }
    fd_ = fd;
    return true;
}

void DeviceLock::Release()
{
    if (fd_ < 0)
        return;
    ::close(fd_);
    fd_ = -1;
}
