#include "unsaved_sets.h"

#include "config_file.h"
#include "text_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kMaxSuffix = 1000;
constexpr size_t kStampLength = 19;  // "2026-12-09_14-03-22"

std::string TimeOfStamp(const std::string& stamp)
{
    if (stamp.size() < kStampLength)
        return stamp;
    std::string time = stamp.substr(0, kStampLength);
    time[10] = ' ';
    time[13] = ':';
    time[16] = ':';
    return time;
}

}  // namespace

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
    BackupResult result;
    std::error_code ec;
    fs::create_directories(root, ec);
    if (ec) {
        result.Error = root + ": " + ec.message();
        return result;
    }
    const std::string lcd = WithCrLf(ToWindows1252(LcdFileText(params)));
    const std::string txt = WithCrLf(ToWindows1252(CompanionFileText(params)));
    for (int suffix = 1; suffix <= kMaxSuffix; ++suffix) {
        const std::string name = suffix == 1 ? stamp : stamp + "_" + std::to_string(suffix);
        if (!WriteNewFile(root, name + ".lcd", lcd)) {
            if (errno == EEXIST)
                continue;
            result.Error = root + "/" + name + ".lcd: " + std::strerror(errno);
            return result;
        }
        if (!WriteNewFile(root, name + ".txt", txt)) {
            const int error = errno;
            const std::string lcdPath = root + "/" + name + ".lcd";
            ::unlink(lcdPath.c_str());
            if (error == EEXIST)
                continue;
            result.Error = root + "/" + name + ".txt: " + std::strerror(error);
            return result;
        }
        result.Ok = true;
        result.LcdPath = root + "/" + name + ".lcd";
        return result;
    }
    result.Error = root + "/" + stamp + ".lcd: " + std::strerror(EEXIST);
    return result;
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
        entry.Time = TimeOfStamp(entry.Stamp);
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
