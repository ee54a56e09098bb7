#include "unprivileged.h"

#include <filesystem>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;

std::string ReadAll(int fd)
{
    std::string out;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        out.append(buffer, size_t(n));
    }
    ::close(fd);
    return out;
}

void WriteAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n <= 0)
            break;
        done += size_t(n);
    }
}

}  // namespace

UnprivilegedRun RunUnprivileged(const std::function<std::string()>& body)
{
    int result[2], errors[2];
    if (::pipe(result) != 0 || ::pipe(errors) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(result[0]);
        ::close(errors[0]);
        ::dup2(errors[1], STDERR_FILENO);
        if (::geteuid() == 0
            && (::setgroups(0, nullptr) != 0 || ::setgid(kNoGroup) != 0 || ::setuid(kNobody) != 0))
            ::_exit(2);
        WriteAll(result[1], body());
        ::_exit(0);
    }
    ::close(result[1]);
    ::close(errors[1]);
    UnprivilegedRun run;
    run.Result = ReadAll(result[0]);
    run.Errors = ReadAll(errors[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    run.Completed = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

std::string SharedTempFolder(const std::string& name)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / (name + "_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::permissions(dir, fs::perms::all);
    return dir.string();
}
