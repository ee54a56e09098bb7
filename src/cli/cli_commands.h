#pragma once
// The commands of lcdkonfig-cli. Each returns the program's exit code (cli_session.h)
// after it has shown its messages.
#include "cli_session.h"
#include "config_file.h"
#include "text_file.h"

#include <optional>
#include <string>

int RunPorts(CliSession& session);
int RunRead(CliSession& session);
int RunWrite(CliSession& session);
int RunDiff(CliSession& session);
int RunFaults(CliSession& session);
int RunReport(CliSession& session);
int RunFlash(CliSession& session);
int RunCheck(CliSession& session);
int RunBackups(CliSession& session);
int RunService(CliSession& session);

// ---- shared by the commands ----

// Reads a .lcd file over `into`, as the window's "Öffnen..." does (values the file does
// not hold keep theirs; another configuration version is asked about), and takes the
// identity lines after the values as well. 0, or 6 after the message.
// `taken` receives the entries the file filled.
int LoadLcdFile(CliSession& session, const std::string& path, ParameterSet& into,
                ConfigEntriesTaken* taken = nullptr);
// "last" and "last:NNNN": the newest backup (of that serial number; "last" of
// `boardSerial` when given, the board connected). Any other name is returned as it is.
// Nothing (with the message shown) when there is no backup.
std::optional<std::string> ResolveBackupName(CliSession& session, const std::string& name,
                                             const std::optional<std::string>& boardSerial = std::nullopt);
// Writes data to standard output ("-" or empty) or to a file (atomically). False
// after the message, which names the file (the cause with -v).
bool WriteOutput(CliSession& session, const std::string& path, const std::string& bytes);
// Whether an output file named on the command line may be written (standard output
// always); checked before the board is read. False after the message.
bool MayWriteOutput(CliSession& session, const std::string& path);
// A file named on the command line: a regular file of at most `limit` bytes, read
// without blocking. Nothing after "<file>: Datei kann nicht geöffnet werden!"; the
// cause (not found, permission, not a regular file, too large) with -v.
std::optional<std::string> ReadNamedFile(CliSession& session, const std::string& path,
                                         size_t limit = kTextFileLimit);
