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

#include <cstdio>
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

bool WriteOutput(CliSession& session, const std::string& path, const std::string& bytes)
{
    if (path.empty() || path == "-") {
        session.Env().Out << bytes << std::flush;
        return true;
    }
    if (WriteFileAtomically(path, bytes))
        return true;
    session.Dialogs().Error(kCannotOpenFile);
    return false;
}

int RunRead(CliSession& session)
{
    const CliOptions& options = session.Options();
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
    if (!options.Output.empty()) {
        ParameterSet saved = params;
        saved.FileName = options.Output;
        saved.DataFolder.clear();
        if (!WriteConfigFiles(saved, session.Dialogs()))
            return ExitCode::FileRefused;
        session.Dialogs().Note("written: " + options.Output);
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
        session.Dialogs().Error(kCannotOpenFile);
        return ExitCode::FileRefused;
    }
    session.Dialogs().Note("report: " + options.Output);
    return ExitCode::Done;
}
