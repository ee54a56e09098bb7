#pragma once
// The backup every successful download leaves (backups.h): the parameter set as the
// board sent it and its fault memory in the export's form. A backup that cannot be
// written does not fail the download: it gives one line on `diagnostics`.
#include <ctime>
#include <iosfwd>
#include <optional>
#include <string>

struct FaultMemory;
struct ParameterSet;

// The .lcd file written, or nothing after the line on diagnostics. `programName`
// begins the line ("lcdkonfig: backup not written: <path>: <reason>").
std::optional<std::string> BackUpDownload(const ParameterSet& params, const FaultMemory& faults,
                                          std::ostream& diagnostics, const std::string& programName,
                                          const std::string& root, std::time_t when);
