#pragma once
// The board's backup history. Every successful download leaves what the board sent in
//   <root>/<serial folder>/<stamp>.lcd                  the parameter set, as saved
//   <root>/<serial folder>/<stamp>.txt                  its readable companion
//   <root>/<serial folder>/<stamp>-fehlerspeicher.txt   the fault memory, as exported
//   <root>/<serial folder>/<stamp>.info                 time and firmware version
// where <root> is $XDG_STATE_HOME/lcdkonfig/backups (~/.local/state/... when the
// variable is unset or not an absolute path) and <stamp> the local time of the download,
// "2026-12-09_14-03-22". A second backup in the same second gets "_2", "_3"...
//
// A backup never replaces another: every file is written completely under a temporary
// name and then linked to its name, which fails when the name is taken. The .lcd file
// claims the stamp; the others follow it.
//
// The serial number may hold any byte the board sends (Windows-1252, control
// characters included). Its folder name keeps ASCII letters, digits, "-" and "_" and
// writes every other byte of its Windows-1252 form as "%" and two upper-case hex
// digits: "0001" stays "0001", "A/1." becomes "A%2F1%2E", the placeholder "...." is
// "%2E%2E%2E%2E". The name is never empty, never "." or "..", and decodes back.
#include "parameter_set.h"

#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

inline constexpr const char* kBackupFaultsSuffix = "-fehlerspeicher.txt";

// `variable` reads an environment variable (nothing when it is unset).
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;
std::string BackupRoot(const EnvironmentLookup& variable);
// The same from the process's environment.
std::string BackupRoot();

std::string SerialFolderName(const std::string& serialUtf8);
// The serial number a folder name stands for; nothing for a name that is not one.
std::optional<std::string> SerialFromFolderName(const std::string& folder);

// "2026-12-09_14-03-22" of a moment in local time.
std::string BackupStamp(std::time_t when);

struct BackupResult {
    bool Ok = false;
    std::string LcdPath;  // the .lcd file written
    std::string Error;    // why nothing was stored ("<path>: <reason>")
};

// "2026-12-09 14:03:22" of a stamp (a shorter text as it is).
std::string StampTime(const std::string& stamp);

// Writes `lcd` as <folder>/<stamp>.lcd and each companion as <stamp><ending>, under the
// first of stamp, stamp_2, ... stamp_1000 whose files are all free (folder created when
// missing). Nothing is replaced; a stamp given up leaves none of its files behind.
BackupResult StoreUnderFreeStamp(const std::string& folder, const std::string& stamp, const std::string& lcd,
                                 const std::vector<std::pair<std::string, std::string>>& companions);

// Stores the parameter set (ConfigVersion, Values, SerialNumber, DeviceMark,
// DeviceType, BoardVersionText) and the fault export text given.
BackupResult StoreBackup(const std::string& root, const ParameterSet& params,
                         const std::string& faultExportText, const std::string& stamp);

struct BackupEntry {
    std::string Serial;    // UTF-8
    std::string Time;      // "2026-12-09 14:03:22"
    std::string Firmware;  // the board's version text ("" when unknown)
    std::string LcdPath;
    std::string Stamp;     // the file's stamp, suffix included
};

// Every backup under root, newest first; only those of `serial` when it is given.
std::vector<BackupEntry> ListBackups(const std::string& root,
                                     const std::optional<std::string>& serial = std::nullopt);
