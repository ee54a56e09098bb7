#include "settings.h"

#include "translation.h"

#include "file_names.h"
#include "text_file.h"
#include "text_scanner.h"

#include <QStandardPaths>


namespace {

void ReportSettingsFault(Dialogs& dialogs)
{
    dialogs.Beep();
    dialogs.Error(Tr("Files", kSettingsFault));
}

}  // namespace

bool ReadSettings(ParameterSet& params, Dialogs& dialogs, const std::string& path)
{
    auto bytes = ReadKeptFile(path);
    if (!bytes)
        return false;
    return ReadSettingsBytes(params, dialogs, *bytes);
}

bool ReadSettingsBytes(ParameterSet& params, Dialogs& dialogs, const std::string& bytes)
{
    TextScanner in(bytes);

    // The folder runs up to the tab before its comment, so blanks inside it survive.
    auto folder = in.ReadUpToTab();
    if (!folder || folder->empty() || !in.SkipLine()) {
        ReportSettingsFault(dialogs);
        return false;
    }
    params.DataFolder = FromWindows1252(*folder);

    auto width = in.ReadInt();
    if (!width) {
        ReportSettingsFault(dialogs);
        return false;
    }
    params.FaultWindowWidth = *width;
    if (!in.SkipLine()) {
        ReportSettingsFault(dialogs);
        return false;
    }

    auto height = in.ReadInt();
    if (!height) {
        ReportSettingsFault(dialogs);
        return false;
    }
    params.FaultWindowHeight = *height;
    params.SettingsLoaded = 1;
    return true;
}

std::string SettingsFileText(const ParameterSet& params)
{
    return params.DataFolder + "\t\t;Aktueller Pfad\n"
         + std::to_string(params.FaultWindowWidth) + "\t\t;Bildbreite\n"
         + std::to_string(params.FaultWindowHeight) + "\t\t;Bildhöhe\n";
}

bool WriteSettings(const ParameterSet& params)
{
    const std::string path = ResolveInFolder(params.StartFolder, kSettingsFileName);
    // The program is ending and has no message for this: the cause went to the
    // diagnostics, one line for whoever looks.
    return WriteTextFile(path, SettingsFileText(params));
}

std::string SharedDocumentsFolder()
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
    return documents.toStdString();
}

std::string DefaultDataFolder(const std::string& documents, const std::string& workingFolder)
{
    if (documents.empty())
        return workingFolder;
    std::string folder = documents;
    if (folder.back() == '/')
        folder.pop_back();
    return folder + "/" + kDataFolderName;
}
