#include "patch_file.h"
#include "translation.h"

#include "text_file.h"

#include <cstdio>

namespace {

inline constexpr const char* kNoMarksMessage = QT_TRANSLATE_NOOP("Files", "Noch keine Daten vorhanden !");
inline constexpr const char* kWriteFailedMessage =
    QT_TRANSLATE_NOOP("Files", "Die Patch-Datei konnte nicht geschrieben werden !\n\n");

// "i\t;v\t;" lines joined by "\n", in index order; empty when nothing is marked.
std::string PatchEntries(const ParameterSet& params)
{
    std::string text;
    int count = params.ValueCount > 0 && params.ValueCount <= kValueCount ? params.ValueCount
                                                                           : kValueCount;
    for (int i = 0; i < count; ++i) {
        if (params.PatchMarks[i] != 1) continue;
        if (!text.empty()) text += '\n';
        char line[40];
        std::snprintf(line, sizeof line, "%d\t;%d\t;", i, int(params.Values[i]));
        text += line;
    }
    return text;
}

}  // namespace

int PatchChecksum(const std::string& entries)
{
    int sum = 0;
    for (unsigned char c : entries) sum += c;
    return sum;
}

std::optional<std::string> PatchFileBytes(const ParameterSet& params)
{
    std::string entries = PatchEntries(params);
    if (entries.empty()) return std::nullopt;
    std::string text = entries + "E\n" + std::to_string(PatchChecksum(entries));
    return WithCrLf(text);
}

std::string PatchFilePath(const std::string& folder)
{
    if (folder.empty()) return kPatchFileName;
    if (folder.back() == '/') return folder + kPatchFileName;
    return folder + "/" + kPatchFileName;
}

void PatchDateierstellen1Click(Dialogs& dialogs, const ParameterSet& params,
                               const std::function<void()>& foundSound)
{
    std::optional<std::string> bytes = PatchFileBytes(params);
    if (!bytes) {
        dialogs.Beep();
        dialogs.Information(Tr("Files", kNoMarksMessage));
        return;
    }
    std::string path = PatchFilePath(params.StartFolder);
    if (!WriteFileAtomically(path, *bytes)) {
        dialogs.Beep();
        dialogs.Information(Tr("Files", kWriteFailedMessage) + path);
        return;
    }
    if (foundSound) foundSound();
}
