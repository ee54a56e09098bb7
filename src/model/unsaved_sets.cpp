#include "unsaved_sets.h"

#include "config_file.h"
#include "text_file.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

std::string UnsavedRoot(const EnvironmentLookup& variable)
{
    return (fs::path(BackupRoot(variable)).parent_path() / "unsaved").string();
}

std::string UnsavedRoot()
{
    return (fs::path(BackupRoot()).parent_path() / "unsaved").string();
}

void KeptSet::Keep(const ParameterSet& params) { text_ = LcdFileText(params); }

bool KeptSet::ChangedIn(const ParameterSet& params) const { return LcdFileText(params) != text_; }

BackupResult StoreUnsaved(const std::string& root, const ParameterSet& params, const std::string& stamp)
{
    return StoreUnderFreeStamp(root, stamp, WithCrLf(ToWindows1252(LcdFileText(params))),
                               {{".txt", WithCrLf(ToWindows1252(CompanionFileText(params)))}});
}

std::vector<BackupEntry> ListUnsaved(const std::string& root)
{
    std::vector<BackupEntry> entries;
    std::error_code ec;
    const ParameterSet reader;
    for (const fs::directory_entry& file : fs::directory_iterator(root, ec)) {
        const std::string name = file.path().filename().string();
        if (name.size() <= 4 || name.front() == '.' || name.compare(name.size() - 4, 4, ".lcd") != 0)
            continue;
        BackupEntry entry;
        entry.Stamp = name.substr(0, name.size() - 4);
        entry.LcdPath = file.path().string();
        entry.Time = StampTime(entry.Stamp);
        if (const std::optional<std::string> bytes = ReadFileBytes(entry.LcdPath))
            if (const std::optional<ConfigIdentity> identity = ReadConfigIdentity(reader, *bytes))
                entry.Serial = identity->SerialNumber;
        entries.push_back(entry);
    }
    std::sort(entries.begin(), entries.end(), [](const BackupEntry& a, const BackupEntry& b) {
        return a.Stamp != b.Stamp ? a.Stamp > b.Stamp : a.LcdPath < b.LcdPath;
    });
    return entries;
}
