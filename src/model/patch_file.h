#pragma once
// The patch file TavrixPatch.ini: the values the user marked in the editors, one
// "index<TAB>;value<TAB>;" line each, "E" after the last, and a checksum line. The
// board's service tool checks the sum, so it is computed as the file was always
// written: over every character before the "E", each line break counted as one
// character 10 although the file holds CR LF there.
#include "dialogs.h"
#include "parameter_set.h"

#include <functional>
#include <optional>
#include <string>

inline constexpr const char* kPatchFileName = "TavrixPatch.ini";

// The file's bytes as they go to disk (Windows-1252 is plain ASCII here, CR LF line
// ends, no line end after the checksum), or nothing when no value is marked.
std::optional<std::string> PatchFileBytes(const ParameterSet& params);

// The sum over the entry text (with "\n" line breaks, without the "E").
int PatchChecksum(const std::string& entries);

// Folder + "/TavrixPatch.ini".
std::string PatchFilePath(const std::string& folder);

// "Patch-Datei erstellen": writes the marked values to StartFolder and plays the
// confirmation tone, or tells the user why nothing was written. An existing file is
// replaced only by a complete new one, and not at all when it is write-protected (the
// message of a failed write). Changes nothing in the parameter set.
void PatchDateierstellen1Click(Dialogs& dialogs, const ParameterSet& params,
                               const std::function<void()>& foundSound);
