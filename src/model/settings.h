#pragma once
// The program settings file "Tavrix.ini": the folder the file dialogs offer and the
// size of the fault-memory window. Read from the working folder at start, written to
// StartFolder at the end. Also the rule for the data folder when no settings file
// supplied one.
#include "dialogs.h"
#include "translation.h"
#include "parameter_set.h"

#include <string>

inline constexpr const char* kSettingsFileName = "Tavrix.ini";
inline constexpr const char* kSettingsFault =
    QT_TRANSLATE_NOOP("Files", "LCD Konfiguration.ini  ist fehlerhaft!\n\nEs werden Standard-Einstellungen verwendet.");
inline constexpr const char* kDataFolderName = "TavrixDaten";

// Reads DataFolder, FaultWindowWidth and FaultWindowHeight from the file at path.
// No file: silent, false. A file that cannot be read completely: beep and error box
// once, the values read so far stay, false. SettingsLoaded := 1 only on success.
bool ReadSettings(ParameterSet& params, Dialogs& dialogs,
                  const std::string& path = kSettingsFileName);
// The same from the file's bytes (Windows-1252), for a file already in memory.
bool ReadSettingsBytes(ParameterSet& params, Dialogs& dialogs, const std::string& bytes);

// The file contents in memory (UTF-8, "\n" line ends).
std::string SettingsFileText(const ParameterSet& params);
// Writes StartFolder/Tavrix.ini. The program is ending: no message box; a file that
// may not or could not be written gives one line on standard error and false, and
// an older file stays whole.
bool WriteSettings(const ParameterSet& params);

// The documents folder that stands for the shared documents folder: the user's
// documents folder (XDG), else the home folder; empty when neither is known.
std::string SharedDocumentsFolder();
// documents + "/TavrixDaten" (one trailing "/" of documents dropped); when documents
// is empty, the working folder.
std::string DefaultDataFolder(const std::string& documents, const std::string& workingFolder);
