// write, flash and service: the commands that change the board. Each asks first (on
// the terminal, or --yes), reads and backs up the board before it changes it (unless
// --no-backup), and says where the backup went.
#include "cli_commands.h"
#include "translation.h"

#include "file_messages.h"
#include "firmware_image.h"
#include "flash_protocol.h"
#include "link.h"
#include "service_clear.h"
#include "service_device_type.h"
#include "service_serial_number.h"
#include "srecord_reader.h"
#include "text_file.h"
#include "upload.h"
#include "value_listing.h"

#include <ostream>

namespace {

void ListChanges(CliSession& session, const ParameterSet& board, const ParameterSet& wanted)
{
    const std::vector<ValueDifference> changes = DifferentValues(board, wanted);
    if (changes.empty()) {
        session.Dialogs().Note("no value changes: the board holds the file's values already");
        return;
    }
    session.Dialogs().Note(std::to_string(changes.size()) + (changes.size() == 1 ? " value changes:" : " values change:"));
    for (const ValueDifference& change : changes)
        session.Dialogs().Note(DifferenceLine(change));
}

// The values read back after the upload against those written.
int Verify(CliSession& session, const ParameterSet& written)
{
    if (int code = session.Download(false))
        return code;
    const std::vector<ValueDifference> differences = DifferentValues(written, session.Params());
    if (differences.empty()) {
        session.Dialogs().Note("verified: the board holds every value written");
        return ExitCode::Done;
    }
    session.Dialogs().Problem("read-back: " + std::to_string(differences.size())
                              + (differences.size() == 1 ? " value differs" : " values differ")
                              + " from those written (written -> read):");
    for (const ValueDifference& d : differences)
        session.Dialogs().Problem(DifferenceLine(d));
    return ExitCode::VerifyFailed;
}

}  // namespace

int RunWrite(CliSession& session)
{
    const CliOptions& options = session.Options();
    const std::optional<std::string> path = ResolveBackupName(session, options.Operands[0]);
    if (!path)
        return ExitCode::FileRefused;
    // The file is read before the board is touched; a file it refuses changes nothing.
    ParameterSet file = session.Params();
    ConfigEntriesTaken taken;
    if (int code = LoadLcdFile(session, *path, file, &taken))
        return code;
    if (int code = session.RefuseWithoutTerminal("write"))
        return code;
    if (int code = session.OpenPort())
        return code;

    ParameterSet& params = session.Params();
    if (!options.NoBackup) {
        if (int code = session.Download(true))
            return code;
        // Values the file does not hold keep the board's, as when the window opens a
        // file after a download.
        ParameterSet wanted = params;
        for (int i = taken.First; i < taken.End; ++i)
            wanted.Values[i] = file.Values[i];
        ListChanges(session, params, wanted);
        params.Values = wanted.Values;
    } else {
        params.Values = file.Values;
    }
    params.DataPresent = 1;
    const ParameterSet written = params;
    if (const Outcome outcome = SendenButtonClick(session.Port(), session.Transfer(), params); outcome != Outcome::Done)
        return session.CodeOf(outcome);
    if (session.Interrupted())
        return session.InterruptedCode();
    session.Dialogs().Note("written: " + *path);
    if (options.NoVerify)
        return ExitCode::Done;
    return Verify(session, written);
}

int RunFlash(CliSession& session)
{
    const CliOptions& options = session.Options();
    const std::string& path = options.Operands[0];
    // The whole file is read before the board is touched.
    const std::optional<std::string> bytes = ReadNamedFile(session, path, kFirmwareFileLimit);
    if (!bytes)
        return ExitCode::FileRefused;
    const SRecordResult read = ReadSRecords(*bytes);
    if (!read.image || !read.image->FitsTheFlash()) {
        MessageSubject about(session.Dialogs(), path);
        session.Dialogs().Error(Tr("Firmware", read.image ? FirmwareText::DoesNotFit : read.message.c_str()));
        return ExitCode::FileRefused;
    }
    if (int code = session.RefuseWithoutTerminal("flash"))
        return code;
    if (int code = session.AskToGoOn(Fill(Tr("Cli", "Firmware %1 in die LCD-Platine übertragen?"), {path})))
        return code;
    if (int code = session.OpenPort())
        return code;
    if (!options.NoBackup) {
        if (int code = session.Download(true)) {
            if (code == ExitCode::BoardFailed)
                session.Dialogs().Problem("flash: the board could not be read for its backup; "
                                          "--no-backup flashes without one (a board without firmware)");
            return code;
        }
    }
    Link link{session.Port(), session.Firmware(), session.Params()};
    const Outcome outcome = FlashFirmware(link, session.Firmware(), *read.image);
    if (outcome != Outcome::Done || session.Interrupted()) {
        const int code = outcome != Outcome::Done ? session.CodeOf(outcome) : session.InterruptedCode();
        // The boot ROM survives an erase; the firmware it erased comes back with the next
        // update.
        if (session.Firmware().Erased())
            session.Dialogs().Problem(Tr("Cli", "Die Firmware der LCD-Platine ist unvollständig; ein neues "
                                                "\"lcdkonfig-cli flash\" stellt sie wieder her (der Boot-ROM bleibt)."));
        return code;
    }
    session.Dialogs().Note("flashed and verified: " + path);
    return ExitCode::Done;
}

int RunService(CliSession& session)
{
    const CliOptions& options = session.Options();
    const std::vector<std::string>& operands = options.Operands;
    if (options.Word != kServiceWord) {
        session.Dialogs().Problem("service: --word is not the service word");
        return ExitCode::Usage;
    }
    const std::string& what = operands[0];
    const bool clear = what == "clear-hours" || what == "clear-faults" || what == "clear-identity";
    if (!(clear && operands.size() == 1) && !((what == "serial" || what == "type") && operands.size() == 2)) {
        session.Dialogs().Problem("service: clear-hours, clear-faults, clear-identity, serial NNNN or type N");
        return ExitCode::Usage;
    }
    int deviceType = -1;
    if (what == "type") {
        const std::string& text = operands[1];
        if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos
            || std::stoi(text) > 255) {
            session.Dialogs().Problem("service type: the device type is a number from 0 to 255");
            return ExitCode::Usage;
        }
        deviceType = std::stoi(text);
    }
    if (what == "serial") {
        if (ToWindows1252(operands[1]).size() != size_t(kSerialNumberLength)) {
            session.Dialogs().Information(Tr("Link", "Es müssen 4 Zeichen eingegeben werden !"));
            return ExitCode::Usage;
        }
        // The DeviceMark goes with the serial number; only the board knows it.
        if (options.NoBackup) {
            session.Dialogs().Problem("service serial: the board is read first for its device mark; drop --no-backup");
            return ExitCode::Usage;
        }
    }
    if (int code = session.RefuseWithoutTerminal("service"))
        return code;
    if (int code = session.OpenPort())
        return code;
    ParameterSet& params = session.Params();
    if (!options.NoBackup)
        if (int code = session.Download(true))
            return code;

    Outcome done = Outcome::BoardFailed;
    if (what == "clear-hours")
        done = BetriebsZeitLoeButtonClick(session.Port(), session.Transfer(), params);
    else if (what == "clear-faults")
        done = FehlerSpeicherLoeButtonClick(session.Port(), session.Transfer(), params);
    else if (what == "clear-identity")
        done = KennungLoeButtonClick(session.Port(), session.Transfer(), params);
    else if (what == "type") {
        params.DeviceType = uint8_t(deviceType);
        done = Button1Click(session.Port(), session.Transfer(), params);
    } else {
        params.SerialNumber = operands[1];
        if (!SendSerialButtonEnabled(params.SerialNumber, params.DeviceMark)) {
            session.Dialogs().Problem("service serial: the board has no device mark (\"...\"); "
                                      "the window sends no serial number then either");
            return ExitCode::BoardFailed;
        }
        done = SendSerienNrButtonClick(session.Port(), session.Transfer(), params);
    }
    if (done != Outcome::Done)
        return session.CodeOf(done);
    return session.Interrupted() ? session.InterruptedCode() : ExitCode::Done;
}
