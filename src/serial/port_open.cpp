#include "port_open.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool ProcessHasGroup(gid_t gid)
{
    if (::getegid() == gid)
        return true;
    const int n = ::getgroups(0, nullptr);
    if (n <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<size_t>(n));
    const int got = ::getgroups(n, groups.data());
    for (int i = 0; i < got; ++i)
        if (groups[static_cast<size_t>(i)] == gid)
            return true;
    return false;
}

std::vector<std::string> RunningPortGrabbers()
{
    std::vector<std::string> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
        std::ifstream comm(entry.path() / "comm");
        std::string name;
        if (!std::getline(comm, name))
            continue;
        if ((name == "ModemManager" || name == "brltty")
            && std::find(found.begin(), found.end(), name) == found.end())
            found.push_back(name);
    }
    return found;
}

}  // namespace

OpenFailureFacts GatherOpenFailureFacts(const std::string& device, int error)
{
    OpenFailureFacts facts;
    facts.device = device;
    facts.error = error;
    struct stat st {};
    if (error == EACCES || error == EPERM) {
        if (::stat(device.c_str(), &st) == 0) {
            if (const group* g = ::getgrgid(st.st_gid))
                facts.group = g->gr_name;
            else
                facts.group = std::to_string(st.st_gid);
            facts.processInGroup = ProcessHasGroup(st.st_gid);
        }
    }
    if (error == EBUSY)
        facts.portGrabbers = RunningPortGrabbers();
    return facts;
}

std::string DescribeOpenFailure(const OpenFailureFacts& f)
{
    const std::string head = f.device + ": ";
    switch (f.error) {
    case EACCES:
    case EPERM: {
        std::string text = head + "permission denied.\n";
        if (f.group.empty())
            return text;
        if (f.processInGroup)
            return text + "the device belongs to group '" + f.group
                   + "', which this program has; check the device's permissions (ls -l " + f.device + ").\n";
        return text + "the device belongs to group '" + f.group
               + "', which this program does not have. Join the group (sudo usermod -aG " + f.group
               + " $USER) and log in again, or install the udev rule udev/60-lcdkonfig.rules.\n";
    }
    case EBUSY: {
        std::string text = head + "another program holds the port.\n";
        for (const std::string& name : f.portGrabbers)
            text += name + " is running and may hold it; "
                    + (name == "ModemManager" ? "install the udev rule udev/60-lcdkonfig.rules so that it leaves the port alone, or stop it.\n"
                                              : "remove the brltty package or stop it.\n");
        return text;
    }
    case ENOENT:
    case ENODEV:
    case ENXIO: return head + "the device is gone (unplugged, or its driver was removed).\n";
    default: return head + std::strerror(f.error) + ".\n";
    }
}

std::string OpenFailureCause(const std::string& device, int error)
{
    return DescribeOpenFailure(GatherOpenFailureFacts(device, error));
}
