#include "fault_export.h"
#include "config_file.h"
#include "translation.h"

#include "file_messages.h"
#include "file_names.h"

#include "dialogs.h"
#include "fault_memory.h"
#include "fault_texts.h"
#include "parameter_set.h"
#include "text_file.h"

#include <filesystem>

namespace {

constexpr const char* kFilter = QT_TRANSLATE_NOOP("Reports", "LCD Fehlerspeicher (*.txt)|*.TXT|");
constexpr const char* kExtension = "txt";

}  // namespace

std::string FaultExportText(const FaultMemory& faults)
{
    std::string text = Tr("Reports", "Tage\tStd\tMin\tSek\tFehler") + "\n\n";
    for (int n = 1; n <= kFaultEntries; ++n) {
        const FaultRecord& entry = faults.Entry(n);
        if (entry.Time == 0)
            break;
        const FaultTime t = SplitFaultTime(static_cast<uint32_t>(entry.Time));
        for (uint32_t part : {t.Days, t.Hours, t.Minutes, t.Seconds})
            text += std::to_string(part) + "\t";
        text += FaultText(entry.Fault) + "\n";
    }
    return text;
}

std::string FaultExportFileName(const std::string& chosenPath)
{
    std::string name = BareName(chosenPath);
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return name + "." + kExtension;
    return name.substr(0, dot + 1) + kExtension;
}

std::string FolderOfPath(const std::string& path) { return FolderOf(path); }

bool SaveFaultMemory(const FaultMemory& faults, ParameterSet& params, Dialogs& messages,
                     std::string& exportName)
{
    const std::string remembered = exportName;
    for (;;) {
        // The name proposed before the first save is "unbenannt" in the window's language.
        const std::string proposed = exportName == kUntitled ? Tr("Files", kUntitled) : exportName;
        FileDialogRequest request{Tr("Reports", kFilter), params.DataFolder, proposed, kExtension};
        const std::optional<std::string> chosen = messages.SaveFileName(request);
        if (!chosen) {
            exportName = remembered;
            return false;
        }
        params.DataFolder = FolderOfPath(*chosen);
        exportName = FaultExportFileName(*chosen);
        const std::string path = chosen->substr(0, chosen->rfind('/') + 1) + exportName;

        std::error_code error;
        if (std::filesystem::exists(path, error)) {
            messages.Beep();
            if (messages.AskYesNo(OverwriteQuestion(exportName))
                != Answer::Yes)
                continue;
        }
        // The file is written to a temporary name and renamed, so a failed or partial
        // write leaves an older file of that name as it was; a write-protected one is
        // refused like a file that cannot be created.
        if (WriteTextFile(path, FaultExportText(faults)))
            return true;
        messages.Beep();
        messages.Information(Tr("Files", kCannotOpenFile));
    }
}
