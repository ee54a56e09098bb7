#pragma once
// File permissions as a user meets them: the tests run as root, who may write any file.
// RunUnprivileged runs a piece of a test in a child process as the user nobody (or as
// the test's own user when that is not root) and hands back what it returned and what
// it wrote to standard error.
#include <functional>
#include <string>

struct UnprivilegedRun {
    std::string Result;  // what the body returned
    std::string Errors;  // its standard error
    bool Completed = false;  // the child ran the body and ended normally
};

UnprivilegedRun RunUnprivileged(const std::function<std::string()>& body);

// A folder in the temporary folder that the unprivileged user may write.
std::string SharedTempFolder(const std::string& name);
