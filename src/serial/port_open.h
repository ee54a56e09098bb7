#pragma once
// Why a port could not be opened, in plain words for standard error (the user sees
// the program's own message box).
#include <string>
#include <vector>

// What is known about a failed open.
struct OpenFailureFacts {
    std::string device;
    int error = 0;
    std::string group;         // the device's group, empty if unknown
    bool processInGroup = false;
    std::vector<std::string> portGrabbers;  // ModemManager, brltty when running
};

OpenFailureFacts GatherOpenFailureFacts(const std::string& device, int error);
std::string DescribeOpenFailure(const OpenFailureFacts& facts);
// Both at once: lines for the diagnostics, each ending in a newline.
std::string OpenFailureCause(const std::string& device, int error);
