#include "backups.h"

#include "config_file.h"
#include "text_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* kFolder = "lcdkonfig/backups";
constexpr int kMaxSuffix = 1000;

bool KeptInFolderName(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-'
           || c == '_';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The firmware version text in the .info file: "%", line ends and other control
// characters as "%XX", everything else as it is.
std::string EscapedValue(const std::string& text)
{
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x20 || c == '%' || c == 0x7F) {
            static const char digits[] = "0123456789ABCDEF";
            out += '%';
            out += digits[c >> 4];
            out += digits[c & 15];
        } else {
            out += char(c);
        }
    }
    return out;
}

std::string UnescapedValue(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
            out += char(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string Reason(int error) { return std::strerror(error); }

std::string InfoText(const ParameterSet& params, const std::string& stamp)
{
    return "time=" + StampTime(stamp) + "\nfirmware=" + EscapedValue(params.BoardVersionText) + "\n";
}

// The stamp without its suffix and the suffix's number (1 for none).
std::pair<std::string, int> SplitStamp(const std::string& stamp)
{
    const size_t underscore = stamp.rfind('_');
    if (underscore != std::string::npos && underscore > 10) {
        const std::string digits = stamp.substr(underscore + 1);
        if (!digits.empty() && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return {stamp.substr(0, underscore), std::atoi(digits.c_str())};
    }
    return {stamp, 1};
}

}  // namespace

std::string BackupRoot(const EnvironmentLookup& variable)
{
    const std::optional<std::string> state = variable("XDG_STATE_HOME");
    if (state && !state->empty() && state->front() == '/')
        return (fs::path(*state) / kFolder).string();
    const std::optional<std::string> home = variable("HOME");
    return (fs::path(home ? *home : std::string()) / ".local/state" / kFolder).string();
}

std::string BackupRoot()
{
    return BackupRoot([](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        if (!value)
            return std::nullopt;
        return std::string(value);
    });
}

std::string SerialFolderName(const std::string& serialUtf8)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string name;
    for (unsigned char c : ToWindows1252(serialUtf8)) {
        if (KeptInFolderName(c)) {
            name += char(c);
        } else {
            name += '%';
            name += digits[c >> 4];
            name += digits[c & 15];
        }
    }
    return name.empty() ? std::string("%") : name;
}

std::optional<std::string> SerialFromFolderName(const std::string& folder)
{
    if (folder == "%")
        return std::string();
    std::string bytes;
    for (size_t i = 0; i < folder.size(); ++i) {
        const unsigned char c = folder[i];
        if (KeptInFolderName(c)) {
            bytes += char(c);
            continue;
        }
        if (c != '%' || i + 2 >= folder.size() || HexValue(folder[i + 1]) < 0 || HexValue(folder[i + 2]) < 0)
            return std::nullopt;
        bytes += char(HexValue(folder[i + 1]) * 16 + HexValue(folder[i + 2]));
        i += 2;
    }
    return FromWindows1252(bytes);
}

std::string BackupStamp(std::time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", &local);
    return text;
}

std::string StampTime(const std::string& stamp)
{
    std::string time = stamp.substr(0, 19);
    if (time.size() == 19) {
        time[10] = ' ';
        time[13] = ':';
        time[16] = ':';
    }
    return time;
}

BackupResult StoreUnderFreeStamp(const std::string& folder, const std::string& stamp, const std::string& lcd,
                                 const std::vector<std::pair<std::string, std::string>>& companions)
{
    BackupResult result;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        result.Error = folder + ": " + ec.message();
        return result;
    }
    const fs::path dir(folder);
    for (int suffix = 1; suffix <= kMaxSuffix; ++suffix) {
        const std::string name = suffix == 1 ? stamp : stamp + "_" + std::to_string(suffix);
        if (!WriteNewFile(folder, name + ".lcd", lcd)) {
            if (errno == EEXIST)
                continue;
            result.Error = (dir / (name + ".lcd")).string() + ": " + Reason(errno);
            return result;
        }
        // The stamp is ours now. A companion of that name left over from somewhere
        // else is not replaced: the stamp is given up and the next one tried.
        bool complete = true;
        bool taken = false;
        std::vector<fs::path> written = {dir / (name + ".lcd")};
        for (const auto& [ending, bytes] : companions) {
            const std::string file = name + ending;
            if (WriteNewFile(folder, file, bytes)) {
                written.push_back(dir / file);
                continue;
            }
            complete = false;
            taken = errno == EEXIST;
            result.Error = (dir / file).string() + ": " + Reason(errno);
            break;
        }
        if (complete) {
            result.Ok = true;
            result.LcdPath = (dir / (name + ".lcd")).string();
            result.Error.clear();
            return result;
        }
        for (const fs::path& path : written)
            ::unlink(path.c_str());
        if (!taken)
            return result;
    }
    result.Error = (dir / stamp).string() + ": " + Reason(EEXIST);
    return result;
}

BackupResult StoreBackup(const std::string& root, const ParameterSet& params,
                         const std::string& faultExportText, const std::string& stamp)
{
    const std::string folder = (fs::path(root) / SerialFolderName(params.SerialNumber)).string();
    return StoreUnderFreeStamp(folder, stamp, WithCrLf(ToWindows1252(LcdFileText(params))),
                               {{".txt", WithCrLf(ToWindows1252(CompanionFileText(params)))},
                                {kBackupFaultsSuffix, WithCrLf(ToWindows1252(faultExportText))},
                                {".info", InfoText(params, stamp)}});
}

std::vector<BackupEntry> ListBackups(const std::string& root, const std::optional<std::string>& serial)
{
    std::vector<BackupEntry> entries;
    std::error_code ec;
    for (const fs::directory_entry& folder : fs::directory_iterator(root, ec)) {
        std::error_code folderError;
        if (!folder.is_directory(folderError))
            continue;
        const std::optional<std::string> folderSerial = SerialFromFolderName(folder.path().filename().string());
        if (!folderSerial || (serial && *serial != *folderSerial))
            continue;
        for (const fs::directory_entry& file : fs::directory_iterator(folder.path(), folderError)) {
            const std::string name = file.path().filename().string();
            if (name.size() <= 4 || name.front() == '.' || name.compare(name.size() - 4, 4, ".lcd") != 0)
                continue;
            BackupEntry entry;
            entry.Serial = *folderSerial;
            entry.Stamp = name.substr(0, name.size() - 4);
            entry.LcdPath = file.path().string();
            const std::optional<std::string> info =
                ReadFileBytes((folder.path() / (entry.Stamp + ".info")).string());
            size_t start = 0;
            while (info && start < info->size()) {
                size_t end = info->find('\n', start);
                if (end == std::string::npos)
                    end = info->size();
                const std::string line = info->substr(start, end - start);
                if (line.rfind("time=", 0) == 0)
                    entry.Time = line.substr(5);
                else if (line.rfind("firmware=", 0) == 0)
                    entry.Firmware = UnescapedValue(line.substr(9));
                start = end + 1;
            }
            if (entry.Time.empty())
                entry.Time = entry.Stamp;
            entries.push_back(entry);
        }
    }
    std::sort(entries.begin(), entries.end(), [](const BackupEntry& a, const BackupEntry& b) {
        const auto [aStamp, aSuffix] = SplitStamp(a.Stamp);
        const auto [bStamp, bSuffix] = SplitStamp(b.Stamp);
        if (aStamp != bStamp)
            return aStamp > bStamp;
        if (aSuffix != bSuffix)
            return aSuffix > bSuffix;
        return a.LcdPath < b.LcdPath;
    });
    return entries;
}
