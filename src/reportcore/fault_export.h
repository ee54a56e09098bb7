#pragma once
// The fault memory as a tab-separated text file, and the save sequence of the
// fault-memory window's "&Speichern" menu (file dialog, extension, overwrite question).
#include <string>

class Dialogs;
struct FaultMemory;
struct ParameterSet;

// The file's content in UTF-8 with "\n" line ends: the header, an empty line, then one
// line per entry from entry 1 up to the first empty entry (time 0).
std::string FaultExportText(const FaultMemory& faults);

// The name the export is written under: the bare file name of the chosen path with
// its extension replaced by "txt" (the dialog's default extension is added when the
// name has none).
std::string FaultExportFileName(const std::string& chosenPath);

// The folder of a chosen path, without the trailing separator.
std::string FolderOfPath(const std::string& path);

// "&Speichern": asks for a file until one is written or the user cancels. exportName is
// the window's FaultExportName ("unbenannt" at start); DataFolder follows the chosen
// folder. True when a file was written.
bool SaveFaultMemory(const FaultMemory& faults, ParameterSet& params, Dialogs& messages,
                     std::string& exportName);
