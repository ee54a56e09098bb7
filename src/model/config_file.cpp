#include "config_file.h"
#include "translation.h"

#include "file_names.h"
#include "text_file.h"
#include "text_scanner.h"

#include <algorithm>
#include <cctype>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool WriteOneFile(const std::string& path, const std::string& text, Dialogs& dialogs)
{
    // "cannot be opened" (may not be written at all) apart from a write that failed on
    // the way (disk full).
    if (!MayWriteFile(path)) {
        dialogs.Beep();
        dialogs.Information(Tr("Files", kCannotOpenFile));
        return false;
    }
    if (!WriteTextFile(path, text)) {
        dialogs.Beep();
        dialogs.Information(Tr("Files", kCannotWriteFile));
        return false;
    }
    return true;
}

bool HasLcdEnding(const std::string& name)
{
    if (name.size() < 4)
        return false;
    std::string ending = name.substr(name.size() - 4);
    for (char& c : ending)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ending == ".lcd";
}

// Why the values ended at `at`: the end of the file, or the text found there.
void StopAt(ConfigEntriesTaken& read, const std::string& bytes, size_t at)
{
    if (at >= bytes.size()) {
        read.Stop = ConfigReadStop::FileEnded;
        return;
    }
    read.Stop = ConfigReadStop::NotANumber;
    read.Line = 1 + int(std::count(bytes.begin(), bytes.begin() + std::ptrdiff_t(at), '\n'));
    // The whole word: "0x10" and "2,5" fail after their first digits were taken.
    while (at > 0 && !TextScanner::IsSeparator(bytes[at - 1]))
        --at;
    size_t end = at;
    while (end < bytes.size() && !TextScanner::IsSeparator(bytes[end]) && end - at < 20)
        ++end;
    read.Text = FromWindows1252(bytes.substr(at, end - at));
}

bool FileExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

std::string MainCaption(const std::string& programVersion)
{
    return Fill(Tr("Files", "LCD Konfiguration v%1"), {programVersion});
}

std::string SavedCaption(const std::string& programVersion, const std::string& fileName)
{
    return MainCaption(programVersion) + "  -  " + (fileName == kUntitled ? Tr("Files", kUntitled) : fileName);
}

std::string OverwriteQuestion(const std::string& fileName)
{
    return Fill(Tr("Files", "%1\nist schon vorhanden.\n\nMöchten Sie die vorhandene Datei überschreiben?"), {fileName});
}

std::string LcdFileText(const ParameterSet& params)
{
    std::string text = std::to_string(params.ConfigVersion) + "\n";
    for (int i = 0; i < kValueCount; ++i)
        text += std::to_string(params.Values[i]) + "\n";
    text += params.SerialNumber + "\n";
    text += params.DeviceMark + "\n";
    text += std::to_string(params.DeviceType) + "\n";
    return text;
}

std::string CompanionFileText(const ParameterSet& params)
{
    std::string text = "KonfigVersion = " + std::to_string(params.ConfigVersion) + "\n";
    for (int i = 0; i < kValueCount; ++i) {
        std::string index = std::to_string(i);
        index.insert(0, 3 - std::min<size_t>(3, index.size()), '0');
        text += index + "\t" + std::to_string(params.Values[i]) + "\n";
    }
    text += "S\t" + params.SerialNumber + "\n";
    text += "F\t" + params.DeviceMark + "\n";
    text += "G\t" + std::to_string(params.DeviceType) + "\n";
    return text;
}

bool WriteConfigFiles(const ParameterSet& params, Dialogs& dialogs)
{
    std::string path = ResolveInFolder(params.DataFolder, params.FileName);
    if (!WriteOneFile(path, LcdFileText(params), dialogs))
        return false;
    return WriteOneFile(WithLastThree(path, "txt"), CompanionFileText(params), dialogs);
}

bool ReadConfigFile(ParameterSet& params, ConfigFileHost& host)
{
    // A file that cannot be opened is refused like one that holds no number.
    auto bytes = ReadFileBytes(ResolveInFolder(params.DataFolder, params.FileName));
    return ReadConfigBytes(params, host, bytes ? *bytes : std::string());
}

bool ReadConfigBytes(ParameterSet& params, ConfigFileHost& host, const std::string& bytes,
                     ConfigEntriesTaken* taken)
{
    Dialogs& dialogs = host.Messages();
    TextScanner in(bytes);
    // A first line that is no number at all is no parameter set: refused like a file
    // that cannot be opened, and nothing changes.
    std::optional<int32_t> version = in.ReadInt();
    if (!version) {
        dialogs.Beep();
        dialogs.Information(Tr("Files", kCannotOpenFile));
        return false;
    }

    int first = 0;
    if (*version != params.ConfigVersion) {
        dialogs.Beep();
        Answer answer = dialogs.AskYesNo(Tr("Files", kOtherConfigVersion));
        if (answer == Answer::No)
            return false;
        // A file of an older layout may start directly with entry 0 (whose value is
        // 15 in the start set): a first number above 9 is taken as that entry.
        if (answer == Answer::Yes && *version > 9) {
            params.Values[0] = *version;
            first = 1;
        }
    }
    int end = first;
    ConfigEntriesTaken read;
    for (int i = first; i < kValueCount; ++i) {
        in.SkipSeparators();
        const size_t at = in.Position();
        std::optional<int32_t> value = in.ReadInt();
        if (!value) {
            StopAt(read, bytes, at);
            break;
        }
        params.Values[i] = *value;
        end = i + 1;
    }
    if (taken) {
        read.First = 0;  // a first number taken as entry 0 counts
        read.End = end;
        *taken = read;
    }

    host.RefreshMainWindow();
    params.DataPresent = 1;
    host.EnableEditorControls(true);
    return true;
}

std::optional<ConfigIdentity> ReadConfigIdentity(const ParameterSet& params, const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    const size_t first = 1 + kValueCount;  // after the version and the values
    if (lines.size() < first + 3 || TextScanner(lines[0]).ReadInt() != int32_t(params.ConfigVersion))
        return std::nullopt;
    const std::optional<int32_t> type = TextScanner(lines[first + 2]).ReadInt();
    if (!type || *type < 0 || *type > 255)
        return std::nullopt;
    return ConfigIdentity{FromWindows1252(lines[first]), FromWindows1252(lines[first + 1]), uint8_t(*type)};
}

void Neu1Click(ParameterSet& params, ConfigFileHost& host)
{
    params.DataPresent = 1;
    host.EnableEditorControls(true);
}

bool ffnen1Click(ParameterSet& params, ConfigFileHost& host)
{
    const std::string previous = params.FileName;
    for (;;) {
        auto chosen = host.Messages().OpenFileName({Tr("Files", kOpenFilter), params.DataFolder, "", ""});
        if (!chosen) {
            params.FileName = previous;
            return false;
        }
        params.FileName = *chosen;
        params.DataFolder = FolderOf(*chosen);
        if (ReadConfigFile(params, host))
            break;
    }
    params.FileName = BareName(params.FileName);
    host.SetCaption(MainCaption(params.ProgramVersion));
    host.SetFileLabel(params.FileName);
    return true;
}

bool Speichernunter1Click(ParameterSet& params, ConfigFileHost& host)
{
    Dialogs& dialogs = host.Messages();
    const std::string previous = params.FileName;
    for (;;) {
        auto chosen =
            dialogs.SaveFileName({Tr("Files", kSaveFilter), params.DataFolder,
                                 params.FileName == kUntitled ? Tr("Files", kUntitled) : params.FileName, "lcd"});
        if (!chosen) {
            params.FileName = previous;
            host.SetCaption(MainCaption(params.ProgramVersion));
            host.SetFileLabel(params.FileName);
            return false;
        }
        params.DataFolder = FolderOf(*chosen);
        params.FileName = SaveAsName(*chosen);
        if (FileExists(ResolveInFolder(params.DataFolder, params.FileName))) {
            dialogs.Beep();
            if (dialogs.AskYesNo(OverwriteQuestion(params.FileName)) != Answer::Yes)
                continue;
        }
        if (!WriteConfigFiles(params, dialogs))
            continue;
        host.SetCaption(MainCaption(params.ProgramVersion));
        host.SetFileLabel(params.FileName);
        return true;
    }
}

bool Speichern1Click(ParameterSet& params, ConfigFileHost& host)
{
    if (params.FileName == kUntitled)
        return Speichernunter1Click(params, host);
    const std::string previous = params.FileName;
    // A name that already ends in ".lcd", in any letter case, is the opened file
    // itself: on a case-sensitive file system "ABC.lcd" would be another file.
    if (!HasLcdEnding(params.FileName))
        params.FileName = WithLastThree(params.FileName, "lcd");
    const bool written = WriteConfigFiles(params, host.Messages());
    if (!written)
        params.FileName = previous;
    host.SetCaption(SavedCaption(params.ProgramVersion, params.FileName));
    return written;
}
