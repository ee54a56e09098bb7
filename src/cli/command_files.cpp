// check (what a file holds, and the safety check's findings), backups, ports and diff,
// and the parameter sets named on the command line.
#include "cli_commands.h"

#include "backups.h"
#include "config_file.h"
#include "file_messages.h"
#include "firmware_image.h"
#include "json_text.h"
#include "port_search.h"
#include "safety_check.h"
#include "srecord_reader.h"
#include "text_file.h"
#include "text_scanner.h"
#include "translation.h"
#include "unsaved_sets.h"
#include "value_listing.h"

#include <algorithm>

#include <cstdio>
#include <ostream>

namespace {

bool EndsWith(const std::string& name, const std::string& ending)
{
    if (name.size() < ending.size())
        return false;
    for (size_t i = 0; i < ending.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(name[name.size() - ending.size() + i])) != ending[i])
            return false;
    return true;
}

std::string Hex4(int value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

int CheckFirmware(CliSession& session, const std::string& path, const std::string& bytes)
{
    const SRecordResult read = ReadSRecords(bytes);
    if (!read.image) {
        session.Dialogs().Error(Tr("Firmware", read.message.c_str()));
        return ExitCode::FileRefused;
    }
    const FirmwareImage& image = *read.image;
    if (!image.FitsTheFlash()) {
        session.Dialogs().Error(Tr("Firmware", FirmwareText::DoesNotFit));
        return ExitCode::FileRefused;
    }
    const int codePages = (kCodeFlashEnd - image.codeBase) / kPageSize;
    const int dataPages = image.hasDataRecords ? (kDataFlashEnd - image.dataBase) / kPageSize : 0;
    std::string id;
    for (uint8_t byte : image.IdCode()) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", byte);
        id += (id.empty() ? "" : " ") + std::string(hex);
    }
    std::ostream& out = session.Env().Out;
    if (session.Options().Json) {
        out << "{\"file\":" << JsonString(path) << ",\"kind\":\"firmware\",\"code_start\":" << image.codeBase
            << ",\"code_pages\":" << codePages << ",\"data_start\":"
            << (image.hasDataRecords ? std::to_string(image.dataBase) : std::string("null"))
            << ",\"data_pages\":" << dataPages << ",\"id\":" << JsonString(id) << "}\n";
        return ExitCode::Done;
    }
    out << path << ": firmware\n"
        << "  code flash  " << Hex4(image.codeBase) << " to " << Hex4(kCodeFlashEnd - 1) << ", " << codePages << " pages\n";
    if (image.hasDataRecords)
        out << "  data flash  " << Hex4(image.dataBase) << " to " << Hex4(kDataFlashEnd - 1) << ", " << dataPages
            << " pages\n";
    else
        out << "  data flash  none\n";
    out << "  ID code     " << id << "\n";
    return ExitCode::Done;
}

std::string FindingJson(const SafetyFinding& f)
{
    return "{\"level\":" + JsonString(f.Level == FindingLevel::Error ? "error" : "warning") + ",\"rule\":"
           + JsonString(f.Rule) + ",\"index\":" + (f.Index < 0 ? std::string("null") : std::to_string(f.Index))
           + ",\"dialog\":" + JsonString(f.Dialog) + ",\"field\":" + JsonString(f.Field) + ",\"value\":"
           + JsonString(f.Value) + ",\"text\":" + JsonString(f.Text) + "}";
}

int CheckSetFile(CliSession& session, const std::string& path, const std::string& bytes)
{
    TextScanner in(bytes);
    const std::optional<int32_t> version = in.ReadInt();
    ParameterSet set;
    if (!version) {
        session.Dialogs().Error(Tr("Files", kCannotOpenFile));
        return ExitCode::FileRefused;
    }
    if (*version != set.ConfigVersion) {
        session.Dialogs().Problem(path + ": configuration version " + std::to_string(*version) + ", not "
                                  + std::to_string(set.ConfigVersion) + "; the window asks before it loads it");
        return ExitCode::FileRefused;
    }
    // Of this configuration version the reader asks nothing.
    ConsoleFileHost host(session.Dialogs());
    ConfigEntriesTaken taken;
    ReadConfigBytes(set, host, bytes, &taken);
    const int values = taken.End - taken.First;
    const std::optional<ConfigIdentity> identity = ReadConfigIdentity(set, bytes);
    if (identity) {
        set.SerialNumber = identity->SerialNumber;
        set.DeviceMark = identity->DeviceMark;
        set.DeviceType = identity->DeviceType;
    }
    const ParameterSet* board = nullptr;
    if (session.Options().Board) {
        if (int code = session.OpenPort())
            return code;
        if (int code = session.Download(true))
            return code;
        board = &session.Params();
    }
    const std::vector<SafetyFinding> findings = CheckParameterSet({&set, board, taken});
    const int code = findings.empty() ? ExitCode::Done : ExitCode::CheckFailed;

    std::ostream& out = session.Env().Out;
    if (session.Options().Json) {
        out << "{\"file\":" << JsonString(path) << ",\"kind\":\"parameter set\",\"config_version\":" << *version
            << ",\"values\":" << values;
        if (identity)
            out << ",\"serial\":" << JsonString(identity->SerialNumber) << ",\"mark\":"
                << JsonString(identity->DeviceMark) << ",\"device_type\":" << int(identity->DeviceType);
        out << ",\"findings\":[";
        for (size_t i = 0; i < findings.size(); ++i)
            out << (i ? "," : "") << "\n  " << FindingJson(findings[i]);
        out << (findings.empty() ? "]}\n" : "\n]}\n");
        return code;
    }
    out << path << ": parameter set, configuration version " << *version << "\n"
        << "  values         " << values << " of " << kValueCount;
    if (taken.Stop == ConfigReadStop::FileEnded)
        out << " (the file ends)";
    else if (taken.Stop == ConfigReadStop::NotANumber)
        out << " (line " << taken.Line << ": " << Shown(taken.Text) << " is no whole number)";
    out << "\n";
    if (identity)
        out << "  serial number  " << Shown(identity->SerialNumber) << "\n"
            << "  device mark    " << Shown(identity->DeviceMark) << "\n"
            << "  device type    " << int(identity->DeviceType) << "\n";
    else
        out << "  identity       none\n";
    if (findings.empty())
        out << "  safety check   passed" << (board ? " (with the board)" : "") << "\n";
    else
        out << "  safety check   " << findings.size() << (findings.size() == 1 ? " finding" : " findings")
            << (board ? " (with the board)" : "") << ":\n";
    for (const SafetyFinding& f : findings)
        out << "    " << FindingLine(f) << "\n";
    return code;
}

// A set named on the command line: "board" (read from the board, backed up), or a file.
int LoadSet(CliSession& session, const std::string& name, ParameterSet& set, bool& boardRead)
{
    if (name == "board") {
        if (!boardRead) {
            if (int code = session.OpenPort())
                return code;
            if (int code = session.Download(true))
                return code;
            boardRead = true;
        }
        set = session.Params();
        return ExitCode::Done;
    }
    const std::optional<std::string> path = ResolveBackupName(session, name);
    if (!path)
        return ExitCode::FileRefused;
    set = ParameterSet();
    return LoadLcdFile(session, *path, set);
}

}  // namespace

std::optional<std::string> ReadNamedFile(CliSession& session, const std::string& path, size_t limit)
{
    std::optional<std::string> bytes = ReadFileBytes(path, limit);
    if (!bytes) {
        MessageSubject about(session.Dialogs(), path);
        session.Dialogs().Error(Tr("Files", kCannotOpenFile));
    }
    return bytes;
}

int LoadLcdFile(CliSession& session, const std::string& path, ParameterSet& into, ConfigEntriesTaken* taken)
{
    const std::optional<std::string> bytes = ReadNamedFile(session, path);
    if (!bytes)
        return ExitCode::FileRefused;
    MessageSubject about(session.Dialogs(), path);
    ConsoleFileHost host(session.Dialogs());
    if (!ReadConfigBytes(into, host, *bytes, taken))
        return ExitCode::FileRefused;
    if (const std::optional<ConfigIdentity> identity = ReadConfigIdentity(into, *bytes)) {
        into.SerialNumber = identity->SerialNumber;
        into.DeviceMark = identity->DeviceMark;
        into.DeviceType = identity->DeviceType;
    }
    return ExitCode::Done;
}

std::optional<std::string> ResolveBackupName(CliSession& session, const std::string& name,
                                             const std::optional<std::string>& boardSerial)
{
    if (name != "last" && name.rfind("last:", 0) != 0)
        return name;
    std::optional<std::string> serial = boardSerial;
    if (name.size() > 5)
        serial = name.substr(5);
    const std::vector<BackupEntry> backups = ListBackups(session.BackupFolder(), serial);
    if (backups.empty()) {
        session.Dialogs().Problem("no backup" + (serial ? " of serial number " + *serial : std::string()) + " in "
                                  + session.BackupFolder());
        return std::nullopt;
    }
    session.Dialogs().Note("backup of " + Shown(backups.front().Serial) + " from " + backups.front().Time + ": "
                           + backups.front().LcdPath);
    return backups.front().LcdPath;
}

int RunCheck(CliSession& session)
{
    const std::string& path = session.Options().Operands[0];
    const std::optional<std::string> bytes =
        ReadNamedFile(session, path, EndsWith(path, ".mot") ? kFirmwareFileLimit : kTextFileLimit);
    if (!bytes)
        return ExitCode::FileRefused;
    MessageSubject about(session.Dialogs(), path);
    return EndsWith(path, ".mot") ? CheckFirmware(session, path, *bytes) : CheckSetFile(session, path, *bytes);
}

// The backups of every board, and beside them the sets the window left at its end
// unsaved (unsaved_sets.h), newest first.
int RunBackups(CliSession& session)
{
    const CliOptions& options = session.Options();
    std::optional<std::string> serial;
    if (!options.Serial.empty())
        serial = options.Serial;
    struct Listed {
        BackupEntry Entry;
        bool Unsaved = false;
    };
    std::vector<Listed> listed;
    for (const BackupEntry& backup : ListBackups(session.BackupFolder(), serial))
        listed.push_back({backup, false});
    for (const BackupEntry& set : ListUnsaved(session.UnsavedFolder()))
        if (!serial || set.Serial == *serial)
            listed.push_back({set, true});
    std::stable_sort(listed.begin(), listed.end(),
                     [](const Listed& a, const Listed& b) { return a.Entry.Time > b.Entry.Time; });

    std::ostream& out = session.Env().Out;
    if (options.Json) {
        out << "[";
        for (size_t i = 0; i < listed.size(); ++i) {
            const BackupEntry& entry = listed[i].Entry;
            out << (i ? "," : "") << "\n  {\"serial\":" << JsonString(entry.Serial) << ",\"time\":"
                << JsonString(entry.Time) << ",\"firmware\":" << JsonString(entry.Firmware);
            if (listed[i].Unsaved)
                out << ",\"unsaved\":true";
            out << ",\"file\":" << JsonString(entry.LcdPath) << "}";
        }
        out << (listed.empty() ? "]\n" : "\n]\n");
        return ExitCode::Done;
    }
    if (listed.empty())
        session.Dialogs().Note("no backups" + (serial ? " of serial number " + *serial : std::string()) + " in "
                               + session.BackupFolder());
    for (const Listed& item : listed) {
        const BackupEntry& entry = item.Entry;
        const std::string third = item.Unsaved          ? std::string("unsaved")
                                  : entry.Firmware.empty() ? std::string("-")
                                                          : Shown(entry.Firmware);
        out << Shown(entry.Serial) << "  " << entry.Time << "  "
            << third << "  " << entry.LcdPath << "\n";
    }
    return ExitCode::Done;
}

int RunPorts(CliSession& session)
{
    PortDiscovery& discovery = session.Board().Discovery();
    const std::vector<std::string> ports = discovery.SerialPorts();
    if (ports.empty()) {
        session.Dialogs().Error(Tr("Link", "Keinen ComPort auf dem PC gefunden!"));
        return ExitCode::NoPort;
    }
    std::string boardPort;
    const std::optional<std::string> converter = FindBoardConverter(discovery.DeviceNames());
    if (converter) {
        const ConverterPort port = discovery.BoardConverterPort(*converter);
        if (port.result == ConverterPort::Result::Found)
            boardPort = port.portName;
    }
    std::ostream& out = session.Env().Out;
    if (session.Options().Json) {
        out << "[";
        for (size_t i = 0; i < ports.size(); ++i) {
            out << (i ? "," : "") << "\n  {\"port\":" << JsonString(ports[i]) << ",\"board\":"
                << (ports[i] == boardPort ? "true" : "false");
            if (ports[i] == boardPort)
                out << ",\"converter\":" << JsonString(*converter);
            out << "}";
        }
        out << "\n]\n";
        return ExitCode::Done;
    }
    for (const std::string& port : ports) {
        out << port;
        if (port == boardPort)
            out << "  <- LCD-Platine (FTDI 0403:6001, " << *converter << ")";
        out << "\n";
    }
    return ExitCode::Done;
}

int RunDiff(CliSession& session)
{
    const std::string& nameA = session.Options().Operands[0];
    const std::string& nameB = session.Options().Operands[1];
    ParameterSet a, b;
    bool boardRead = false;
    if (int code = LoadSet(session, nameA, a, boardRead))
        return code;
    if (int code = LoadSet(session, nameB, b, boardRead))
        return code;
    const std::vector<ValueDifference> values = DifferentValues(a, b);
    const std::vector<IdentityDifference> identity = DifferentIdentity(a, b);
    std::ostream& out = session.Env().Out;
    if (session.Options().Json) {
        out << "{\"a\":" << JsonString(nameA) << ",\"b\":" << JsonString(nameB) << ",\"values\":[";
        for (size_t i = 0; i < values.size(); ++i)
            out << (i ? "," : "") << "\n  " << DifferenceJson(values[i]);
        out << (values.empty() ? "]" : "\n]") << ",\"identity\":[";
        for (size_t i = 0; i < identity.size(); ++i)
            out << (i ? "," : "") << "\n  " << DifferenceJson(identity[i]);
        out << (identity.empty() ? "]}\n" : "\n]}\n");
    } else {
        for (const ValueDifference& d : values)
            out << DifferenceLine(d) << "\n";
        for (const IdentityDifference& d : identity)
            out << DifferenceLine(d) << "\n";
    }
    return values.empty() && identity.empty() ? ExitCode::Done : ExitCode::Differ;
}
