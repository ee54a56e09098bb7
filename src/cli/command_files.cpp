// check, backups, ports and diff, and the parameter sets named on the command line.
#include "cli_commands.h"

#include "backups.h"
#include "config_file.h"
#include "file_messages.h"
#include "firmware_image.h"
#include "json_text.h"
#include "port_search.h"
#include "srecord_reader.h"
#include "text_file.h"
#include "text_scanner.h"
#include "translation.h"
#include "value_listing.h"

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

int CheckParameterSet(CliSession& session, const std::string& path, const std::string& bytes)
{
    TextScanner in(bytes);
    const std::optional<int32_t> version = in.ReadInt();
    ParameterSet& params = session.Params();
    if (!version) {
        session.Dialogs().Error(Tr("Files", kCannotOpenFile));
        return ExitCode::FileRefused;
    }
    if (*version != params.ConfigVersion) {
        session.Dialogs().Problem(path + ": configuration version " + std::to_string(*version) + ", not "
                                  + std::to_string(params.ConfigVersion) + "; the window asks before it loads it");
        return ExitCode::FileRefused;
    }
    int values = 0;
    while (values < kValueCount && in.ReadInt())
        ++values;
    const std::optional<ConfigIdentity> identity = ReadConfigIdentity(params, bytes);
    std::ostream& out = session.Env().Out;
    if (session.Options().Json) {
        out << "{\"file\":" << JsonString(path) << ",\"kind\":\"parameter set\",\"config_version\":" << *version
            << ",\"values\":" << values;
        if (identity)
            out << ",\"serial\":" << JsonString(identity->SerialNumber) << ",\"mark\":"
                << JsonString(identity->DeviceMark) << ",\"device_type\":" << int(identity->DeviceType);
        out << "}\n";
        return ExitCode::Done;
    }
    out << path << ": parameter set, configuration version " << *version << "\n"
        << "  values         " << values << " of " << kValueCount;
    if (values < kValueCount)
        out << " (the others keep the values they had when it is opened)";
    out << "\n";
    if (identity)
        out << "  serial number  " << Shown(identity->SerialNumber) << "\n"
            << "  device mark    " << Shown(identity->DeviceMark) << "\n"
            << "  device type    " << int(identity->DeviceType) << "\n";
    else
        out << "  identity       none\n";
    return ExitCode::Done;
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

std::optional<std::string> ResolveBackupName(CliSession& session, const std::string& name)
{
    if (name != "last" && name.rfind("last:", 0) != 0)
        return name;
    std::optional<std::string> serial;
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
    return EndsWith(path, ".mot") ? CheckFirmware(session, path, *bytes) : CheckParameterSet(session, path, *bytes);
}

int RunBackups(CliSession& session)
{
    const CliOptions& options = session.Options();
    std::optional<std::string> serial;
    if (!options.Serial.empty())
        serial = options.Serial;
    const std::vector<BackupEntry> backups = ListBackups(session.BackupFolder(), serial);
    std::ostream& out = session.Env().Out;
    if (options.Json) {
        out << "[";
        for (size_t i = 0; i < backups.size(); ++i)
            out << (i ? "," : "") << "\n  {\"serial\":" << JsonString(backups[i].Serial) << ",\"time\":"
                << JsonString(backups[i].Time) << ",\"firmware\":" << JsonString(backups[i].Firmware)
                << ",\"file\":" << JsonString(backups[i].LcdPath) << "}";
        out << (backups.empty() ? "]\n" : "\n]\n");
        return ExitCode::Done;
    }
    if (backups.empty())
        session.Dialogs().Note("no backups" + (serial ? " of serial number " + *serial : std::string()) + " in "
                               + session.BackupFolder());
    for (const BackupEntry& backup : backups)
        out << Shown(backup.Serial) << "  " << backup.Time << "  "
            << (backup.Firmware.empty() ? std::string("-") : Shown(backup.Firmware)) << "  " << backup.LcdPath
            << "\n";
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
