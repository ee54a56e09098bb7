// read, faults and report: the board's content on standard output or in files.
#include "cli_commands.h"

#include "config_file.h"
#include "device_types.h"
#include "fault_export.h"
#include "fault_formats.h"
#include "file_messages.h"
#include "file_names.h"
#include "json_text.h"
#include "report_pdf_writer.h"
#include "text_file.h"
#include "value_listing.h"

#include "diagnostics_sink.h"
#include "translation.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ostream>

namespace {

std::string ReadText(const ParameterSet& params, const FaultMemory& faults)
{
    std::string text = "serial number  " + Shown(params.SerialNumber) + "\n" + "device mark    "
                       + Shown(params.DeviceMark) + "\n" + "device type    " + std::to_string(params.DeviceType)
                       + "\n" + "firmware       " + Shown(params.BoardVersionText) + "\n\n";
    for (int i = 0; i < kValueCount; ++i) {
        char number[16];
        std::snprintf(number, sizeof number, "%3d %11d", i, params.Values[i]);
        const std::string units = IndexValue(i, params.Values[i]);
        text += std::string(number) + "  " + IndexName(i) + (units.empty() ? "" : ": " + units) + "\n";
    }
    return text + "\n" + FaultExportText(faults);
}

std::string ReadJson(const ParameterSet& params, const FaultMemory& faults)
{
    std::string values;
    for (int i = 0; i < kValueCount; ++i)
        values += (i ? "," : "") + std::to_string(params.Values[i]);
    return "{\"serial\":" + JsonString(params.SerialNumber) + ",\"mark\":" + JsonString(params.DeviceMark)
           + ",\"device_type\":" + std::to_string(params.DeviceType) + ",\"firmware\":"
           + JsonString(params.BoardVersionText) + ",\"config_version\":" + std::to_string(params.ConfigVersion)
           + ",\"values\":[" + values + "],\"faults\":" + FaultJsonText(faults) + "}\n";
}

}  // namespace

bool MayWriteOutput(CliSession& session, const std::string& path)
{
    if (path.empty() || path == "-" || MayWriteFile(path))
        return true;
    Diagnose(path + ": " + (errno == EINVAL ? std::string("not a regular file") : std::strerror(errno)));
    MessageSubject about(session.Dialogs(), path);
    session.Dialogs().Error(Tr("Files", kCannotOpenFile));
    return false;
}

bool WriteOutput(CliSession& session, const std::string& path, const std::string& bytes)
{
    if (path.empty() || path == "-") {
        std::ostream& out = session.Env().Out;
        out << bytes << std::flush;
        if (out.good())
            return true;
        Diagnose(std::string("standard output: ") + std::strerror(errno));
        MessageSubject about(session.Dialogs(), Tr("Cli", "Standardausgabe"));
        session.Dialogs().Error(Tr("Files", kCannotWriteFile));
        return false;
    }
    if (!MayWriteOutput(session, path))
        return false;
    if (WriteFileAtomically(path, bytes))
        return true;
    MessageSubject about(session.Dialogs(), path);
    session.Dialogs().Error(Tr("Files", kCannotWriteFile));
    return false;
}

int RunRead(CliSession& session)
{
    const CliOptions& options = session.Options();
    // A file that cannot be written is refused before the board is read, not after
    // the 7 seconds of the download.
    const bool toFile = !options.Output.empty() && options.Output != "-";
    const std::string companion = toFile ? WithLastThree(options.Output, "txt") : std::string();
    if (!MayWriteOutput(session, options.FaultsFile) || (toFile && !MayWriteOutput(session, options.Output))
        || (toFile && !MayWriteOutput(session, companion)))
        return ExitCode::FileRefused;
    if (int code = session.OpenPort())
        return code;
    if (int code = session.Download(true))
        return code;
    ParameterSet& params = session.Params();
    if (!options.FaultsFile.empty()
        && !WriteOutput(session, options.FaultsFile, WithCrLf(ToWindows1252(FaultExportText(session.Faults())))))
        return ExitCode::FileRefused;
    if (options.Output == "-")
        return WriteOutput(session, "-", WithCrLf(ToWindows1252(LcdFileText(params)))) ? ExitCode::Done
                                                                                       : ExitCode::FileRefused;
    if (toFile) {
        // The .lcd file first, then its companion, as the window's "Speichern unter...".
        if (!WriteOutput(session, options.Output, WithCrLf(ToWindows1252(LcdFileText(params))))
            || !WriteOutput(session, companion, WithCrLf(ToWindows1252(CompanionFileText(params)))))
            return ExitCode::FileRefused;
        session.Dialogs().Note("written: " + options.Output + ", " + companion);
        return ExitCode::Done;
    }
    session.Env().Out << (options.Json ? ReadJson(params, session.Faults()) : ReadText(params, session.Faults()));
    return ExitCode::Done;
}

int RunFaults(CliSession& session)
{
    const CliOptions& options = session.Options();
    std::string format = options.Format.empty() ? (options.Json ? "json" : "text") : options.Format;
    if (format != "text" && format != "csv" && format != "json") {
        session.Dialogs().Problem("faults: --format is text, csv or json");
        return ExitCode::Usage;
    }
    if (!MayWriteOutput(session, options.Output))
        return ExitCode::FileRefused;
    if (int code = session.OpenPort())
        return code;
    if (int code = session.Download(true))
        return code;
    const FaultMemory& faults = session.Faults();
    std::string bytes = format == "csv" ? FaultCsvText(faults) : format == "json" ? FaultJsonText(faults)
                                                                                   : FaultExportText(faults);
    // A text file is the window's export, byte for byte.
    const bool toFile = !options.Output.empty() && options.Output != "-";
    if (toFile && format == "text")
        bytes = WithCrLf(ToWindows1252(bytes));
    return WriteOutput(session, options.Output, bytes) ? ExitCode::Done : ExitCode::FileRefused;
}

int RunReport(CliSession& session)
{
    const CliOptions& options = session.Options();
    if (options.Output.empty() || options.Output == "-") {
        session.Dialogs().Problem("report: -o FILE.pdf is needed");
        return ExitCode::Usage;
    }
    if (!MayWriteOutput(session, options.Output))
        return ExitCode::FileRefused;
    ParameterSet& params = session.Params();
    const std::string input = options.Input.empty() ? "board" : options.Input;
    if (input == "board") {
        if (int code = session.OpenPort())
            return code;
        if (int code = session.Download(true))
            return code;
    } else {
        const std::optional<std::string> path = ResolveBackupName(session, input);
        if (!path)
            return ExitCode::FileRefused;
        if (int code = LoadLcdFile(session, *path, params))
            return code;
        params.FileName = BareName(*path);
    }
    const DeviceTypeList types = ReadDeviceTypes(session.Dialogs(), session.Env().DeviceTypeFile);
    if (!WriteReportPdf(options.Output, params, types.Names)) {
        MessageSubject about(session.Dialogs(), options.Output);
        session.Dialogs().Error(Tr("Files", kCannotOpenFile));
        return ExitCode::FileRefused;
    }
    session.Dialogs().Note("report: " + options.Output);
    return ExitCode::Done;
}
