#include "text_file.h"

#include "diagnostics_sink.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <fcntl.h>
#include <fstream>
#include <unistd.h>

namespace {

// Code points of 0x80..0x9F in Windows-1252. The five codes Windows-1252 leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control character of the same
// number, so that every byte of the board's identity survives the way through the
// program, its files and back.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013,
    0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string ToWindows1252(const std::string& utf8)
{
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        unsigned char b = utf8[i];
        char32_t c;
        int len;
        if (b < 0x80) { c = b; len = 1; }
        else if ((b & 0xE0) == 0xC0) { c = b & 0x1F; len = 2; }
        else if ((b & 0xF0) == 0xE0) { c = b & 0x0F; len = 3; }
        else if ((b & 0xF8) == 0xF0) { c = b & 0x07; len = 4; }
        else { out += '?'; ++i; continue; }
        if (i + len > utf8.size()) { out += '?'; break; }
        for (int k = 1; k < len; ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += len;
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) { out += char(c); continue; }
        char mapped = '?';
        for (size_t k = 0; k < kHigh.size(); ++k)
            if (kHigh[k] == c) mapped = char(0x80 + k);
        out += mapped;
    }
    return out;
}

std::string FromWindows1252(const std::string& bytes)
{
    std::string out;
    for (unsigned char b : bytes) {
        if (b >= 0x80 && b <= 0x9F) AppendUtf8(out, kHigh[b - 0x80]);
        else AppendUtf8(out, b);
    }
    return out;
}

std::string WithCrLf(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

namespace {

// What a link points to, so that the file is replaced and the link stays.
std::string RealTarget(const std::string& path)
{
    std::string target = path;
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        target = real;
        std::free(real);
    }
    return target;
}

std::string FolderOfTarget(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseOfTarget(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void NotWritten(const std::string& path, const std::string& cause) { Diagnose(path + ": not written: " + cause); }

// The mode bits a new file of the process gets: 0666 without the umask. Read from
// /proc, so that no other thread meets a umask of 0 for a moment.
mode_t NewFileMode()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("Umask:", 0) == 0)
            return mode_t(0666) & ~mode_t(std::strtoul(line.c_str() + 6, nullptr, 8));
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mode_t(0666) & ~mask;
}

bool WriteAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        done += size_t(n);
    }
    return true;
}

}  // namespace

bool PathExists(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool MayWriteFile(const std::string& requestedPath)
{
    const std::string path = RealTarget(requestedPath);
    const std::string folder = FolderOfTarget(path);
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0)
        return false;
    if (!S_ISDIR(st.st_mode)) {
        errno = ENOTDIR;
        return false;
    }
    if (::access(folder.c_str(), W_OK) != 0)
        return false;
    // lstat: a link that is left after realpath points nowhere.
    if (::lstat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            errno = EISDIR;
            return false;
        }
        if (!S_ISREG(st.st_mode)) {
            errno = EINVAL;
            return false;
        }
        if (::access(path.c_str(), W_OK) != 0)
            return false;
    }
    return true;
}

bool WriteFileAtomically(const std::string& requestedPath, const std::string& bytes)
{
    const std::string path = RealTarget(requestedPath);
    if (!MayWriteFile(requestedPath)) {
        const int error = errno;
        NotWritten(requestedPath, error == EINVAL ? "not a regular file" : std::strerror(error));
        errno = error;
        return false;
    }
    struct stat old {};
    const bool replacing = ::lstat(path.c_str(), &old) == 0;
    const mode_t mode = replacing ? old.st_mode & 07777 : NewFileMode();
    // A name of its own, created exclusively: a link planted in the folder is never
    // followed, and two programs saving at once do not share a temporary file.
    std::string temp = FolderOfTarget(path) + "/." + BaseOfTarget(path) + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        NotWritten(requestedPath, std::string("temporary file: ") + std::strerror(error));
        errno = error;
        return false;
    }
    // Owner and group first: changing them may clear the set-id bits of the mode. A
    // user may at least give the file a group of his own; what is not permitted stays.
    if (replacing && ::fchown(fd, old.st_uid, old.st_gid) != 0) {
        [[maybe_unused]] const int groupOnly = ::fchown(fd, uid_t(-1), old.st_gid);
    }
    ::fchmod(fd, mode);
    bool ok = WriteAll(fd, bytes);
    int error = ok ? 0 : errno;
    if (ok && ::fsync(fd) != 0) { ok = false; error = errno; }
    if (::close(fd) != 0 && ok) { ok = false; error = errno; }
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) { ok = false; error = errno; }
    if (!ok) {
        ::unlink(temp.c_str());
        NotWritten(requestedPath, std::strerror(error));
        errno = error;
    }
    return ok;
}

bool WriteTextFile(const std::string& path, const std::string& utf8Text)
{
    return WriteFileAtomically(path, WithCrLf(ToWindows1252(utf8Text)));
}

std::optional<std::string> ReadFileBytes(const std::string& path, size_t limit, std::string* cause)
{
    auto refuse = [&](const std::string& why) -> std::optional<std::string> {
        if (cause)
            *cause = why;
        else
            Diagnose(path + ": not read: " + why);
        return std::nullopt;
    };
    // The kind is looked at before the open: opening a tty would raise its lines.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return refuse(std::strerror(errno));
    if (!S_ISREG(st.st_mode))
        return refuse(S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "not a regular file");
    const std::string tooLarge = "larger than " + std::to_string(limit) + " bytes";
    if (size_t(st.st_size) > limit)
        return refuse(tooLarge);
    // Without blocking, and looked at again: the name may have been given to a FIFO
    // in between.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return refuse(std::strerror(errno));
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return refuse("not a regular file");
    }
    std::string bytes(size_t(st.st_size) + 1, '\0');
    size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (bytes.size() > limit)
                break;
            bytes.resize(std::min(limit + 1, bytes.size() * 2 + 4096));
        }
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            return refuse(std::strerror(error));
        }
        if (n == 0)
            break;
        done += size_t(n);
    }
    ::close(fd);
    if (done > limit)
        return refuse(tooLarge);
    bytes.resize(done);
    return bytes;
}

std::optional<std::string> ReadKeptFile(const std::string& path)
{
    std::string cause;
    std::optional<std::string> bytes = ReadFileBytes(path, kTextFileLimit, &cause);
    if (!bytes && PathExists(path))
        Diagnose(path + ": not read, taken as missing: " + cause);
    return bytes;
}

bool WriteNewFile(const std::string& folder, const std::string& name, const std::string& bytes)
{
    const std::string temp = folder + "/." + name + ".new" + std::to_string(::getpid());
    if (!WriteFileAtomically(temp, bytes))
        return false;
    const std::string target = folder + "/" + name;
    const int linked = ::link(temp.c_str(), target.c_str());
    const int error = errno;
    ::unlink(temp.c_str());
    errno = error;
    return linked == 0;
}
