// write, flash and service: the commands that change the board. Each asks first (on
// the terminal, or --yes), reads and backs up the board before it changes it (unless
// --no-backup; write reads it in any case), says where the backup went, and stops
// before the change when the backup cannot be written. write runs the safety check.
#include "cli_commands.h"
#include "translation.h"

#include "backups.h"
#include "file_messages.h"
#include "firmware_image.h"
#include "flash_protocol.h"
#include "link.h"
#include "safety_check.h"
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

namespace {

// Ctrl-C once 0xFA went: the board may have stored the set (or be storing it).
bool BoardMayHoldNewValues(CliSession& session)
{
    const std::string sent = session.Board().Tail().Sent();
    return sent.size() >= 2 && sent.compare(sent.size() - 2, 2, "FA") == 0;
}

}  // namespace

int RunWrite(CliSession& session)
{
    const CliOptions& options = session.Options();
    const std::string& operand = options.Operands[0];
    // "last" is the newest backup of the board connected: named once the board is read.
    // Any other name is read before the board is touched; a file it refuses changes nothing.
    std::optional<std::string> path;
    ParameterSet file;
    ConfigEntriesTaken taken;
    if (operand != "last") {
        path = ResolveBackupName(session, operand);
        if (!path)
            return ExitCode::FileRefused;
        if (int code = LoadLcdFile(session, *path, file, &taken))
            return code;
    } else if (ListBackups(session.BackupFolder(), std::nullopt).empty()) {
        session.Dialogs().Problem("no backup in " + session.BackupFolder());
        return ExitCode::FileRefused;
    }
    if (!options.DryRun)
        if (int code = session.RefuseWithoutTerminal("write"))
            return code;
    if (int code = session.OpenPort())
        return code;

    // The board is read in every case: the changes, the safety check and the values a
    // file lacks come from it, never from the program's start values.
    ParameterSet& params = session.Params();
    if (int code = session.Download(false))
        return code;
    const ParameterSet board = params;
    if (!path) {
        path = ResolveBackupName(session, operand, board.SerialNumber);
        if (!path)
            return ExitCode::FileRefused;
    }
    if (!options.NoBackup)
        if (int code = session.BackUp(!options.DryRun))
            return code;
    if (operand == "last")
        if (int code = LoadLcdFile(session, *path, file, &taken))
            return code;

    ParameterSet wanted = board;
    for (int i = taken.First; i < taken.End; ++i)
        wanted.Values[size_t(i)] = file.Values[size_t(i)];
    wanted.SerialNumber = file.SerialNumber;
    wanted.DeviceMark = file.DeviceMark;
    wanted.DeviceType = file.DeviceType;
    ListChanges(session, board, wanted);

    const std::vector<SafetyFinding> findings = CheckParameterSet({&wanted, &board, taken});
    for (const std::string& line : FindingLines(findings, findings.size()))
        session.Dialogs().Problem(line);
    if (options.DryRun) {
        session.Dialogs().Note("dry run: nothing sent");
        return findings.empty() ? ExitCode::Done : ExitCode::CheckFailed;
    }
    if (!taken.Complete() && !options.Force) {
        session.Dialogs().Problem(*path + ": the file holds " + std::to_string(taken.End - taken.First) + " of "
                                  + std::to_string(kValueCount)
                                  + " values; nothing sent (--force takes the others from the board)");
        return ExitCode::FileRefused;
    }
    if (!findings.empty()) {
        if (!options.Force) {
            session.Dialogs().Problem("the set failed the safety check; nothing sent (--force writes it all the same)");
            return ExitCode::CheckFailed;
        }
        session.Dialogs().Problem("the set failed the safety check; written all the same (--force)");
    }

    params.Values = wanted.Values;
    params.DataPresent = 1;
    const ParameterSet written = params;
    const Outcome outcome = SendenButtonClick(session.Port(), session.Transfer(), params);
    const bool mayHold = BoardMayHoldNewValues(session);
    auto told = [&](int code) {
        if (code == ExitCode::Interrupted && mayHold)
            session.Dialogs().Problem("the board may hold the new values already; lcdkonfig-cli diff " + *path
                                      + " board tells");
        return code;
    };
    if (outcome != Outcome::Done)
        return told(session.CodeOf(outcome));
    if (session.Interrupted())
        return told(session.InterruptedCode());
    session.Dialogs().Note("written: " + *path);
    if (options.NoVerify)
        return ExitCode::Done;
    return told(Verify(session, written));
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
        if (int code = session.Download(false)) {
            if (code == ExitCode::BoardFailed)
                session.Dialogs().Problem("flash: the board could not be read for its backup; "
                                          "--no-backup flashes without one (a board without firmware)");
            return code;
        }
        if (int code = session.BackUp(true))
            return code;
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
    if (!options.NoBackup) {
        if (int code = session.Download(false))
            return code;
        if (int code = session.BackUp(true))
            return code;
    }

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
