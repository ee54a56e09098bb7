#pragma once
// The open test of a port and, where it fails, the cause in plain words for standard
// error (the user sees the program's own message box).
#include <string>
#include <vector>

// Opens the device as TComPort would (read/write, no controlling terminal, not
// blocking, respecting the exclusive lock of another holder) and closes it again.
// Returns 0, or the errno that made it fail (EBUSY when another program holds it).
int ProbeOpenPort(const std::string& device);

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
// Both at once; "lcdkonfig: ..." lines ending in a newline.
std::string OpenFailureCause(const std::string& device, int error);
