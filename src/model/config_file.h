#pragma once
// Parameter sets on disk: the ".lcd" file the program writes and reads back, and the
// readable ".txt" companion written beside it (never read). Both are Windows-1252
// text with CR LF line ends. Also the four commands of the "&Datei" menu that create,
// open and save parameter sets.
#include "dialogs.h"
#include "translation.h"
#include "file_messages.h"
#include "parameter_set.h"

#include <cstdint>
#include <optional>
#include <string>

inline constexpr const char* kUntitled = QT_TRANSLATE_NOOP("Files", "unbenannt");

// A file that could be created but not written completely (disk full, I/O error).
inline constexpr const char* kCannotWriteFile = QT_TRANSLATE_NOOP("Files", "Datei kann nicht geschrieben werden!");
inline constexpr const char* kOtherConfigVersion =
    QT_TRANSLATE_NOOP("Files", "Datei gehört zu einer anderen Konfigurationsversion!\n"
    "Einträge können fehlerhaft sein!\n\n"
    "                      Trotzdem laden?");
inline constexpr const char* kOpenFilter = QT_TRANSLATE_NOOP("Files", "LCD Konfiguration  ( *.lcd )|*.LCD|");
inline constexpr const char* kSaveFilter = QT_TRANSLATE_NOOP("Files", "LCD Konfiguration (*.lcd)|*.LCD|");

// What the file commands need from the main window.
class ConfigFileHost {
public:
    virtual ~ConfigFileHost() = default;
    virtual Dialogs& Messages() = 0;
    virtual void SetCaption(const std::string& text) = 0;
    virtual void SetFileLabel(const std::string& text) = 0;  // Label61
    virtual void RefreshMainWindow() = 0;
    virtual void EnableEditorControls(bool on) = 0;
};

// "LCD Konfiguration v7.9" and, after "Speichern", "LCD Konfiguration v7.9  -  abc.lcd".
std::string MainCaption(const std::string& programVersion);
std::string SavedCaption(const std::string& programVersion, const std::string& fileName);
// "abc.lcd\nist schon vorhanden.\n\nMöchten Sie die vorhandene Datei überschreiben?"
std::string OverwriteQuestion(const std::string& fileName);

// The file contents in memory (UTF-8, "\n" line ends).
std::string LcdFileText(const ParameterSet& params);
std::string CompanionFileText(const ParameterSet& params);

// Writes the ".lcd" file named by FileName (a bare name lies in DataFolder), then its
// ".txt" companion. True when both were written; otherwise one message was shown.
bool WriteConfigFiles(const ParameterSet& params, Dialogs& dialogs);
// Reads the ".lcd" file named by FileName into params (asking when the file belongs
// to another configuration version). True when the file was taken.
bool ReadConfigFile(ParameterSet& params, ConfigFileHost& host);
// The same from the file's bytes, for a file already in memory. `taken`, when given,
// receives the entries of Values the file filled: First up to, not including, End
// (always from 0: a first number taken as entry 0 is one of them), and why the reading
// stopped: after all values, at the end of the file, or at a text that is no whole
// number of 32 bits ("0x10", "2,5", 2147483648), with its line (from 1) and the text.
enum class ConfigReadStop { AllValues, FileEnded, NotANumber };
struct ConfigEntriesTaken {
    int First = 0;
    int End = 0;
    ConfigReadStop Stop = ConfigReadStop::AllValues;
    int Line = 0;
    std::string Text;
    bool Complete() const { return End - First >= kValueCount; }
};
bool ReadConfigBytes(ParameterSet& params, ConfigFileHost& host, const std::string& bytes,
                     ConfigEntriesTaken* taken = nullptr);

// The lines after the values of a ".lcd" file of this configuration version: serial
// number, DeviceMark, device type (UTF-8). ReadConfigFile never takes them (the window
// keeps its own identity); the command-line program shows and compares them. Nothing
// when the file does not hold all three.
struct ConfigIdentity {
    std::string SerialNumber;
    std::string DeviceMark;
    uint8_t DeviceType = 255;
};
std::optional<ConfigIdentity> ReadConfigIdentity(const ParameterSet& params, const std::string& bytes);

// The "&Datei" commands.
void Neu1Click(ParameterSet& params, ConfigFileHost& host);
// Open, Save As and Save are true when a file was read or written.
bool ffnen1Click(ParameterSet& params, ConfigFileHost& host);
bool Speichernunter1Click(ParameterSet& params, ConfigFileHost& host);
// While no file was opened or saved yet ("unbenannt") this acts as "Speichern unter...".
bool Speichern1Click(ParameterSet& params, ConfigFileHost& host);
