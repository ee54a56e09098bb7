#include "firmware_button.h"

#include "flash_protocol.h"
#include "srecord_reader.h"
#include "text_file.h"


namespace {

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

void Refuse(FirmwareHost& host, const std::string& text)
{
    host.Messages().Beep();
    host.Messages().Error(text);
}

}  // namespace

Outcome FirmwareButtonClick(SerialPort& port, FirmwareHost& host, ParameterSet& params)
{
    for (;;) {
        const FileDialogRequest request{kFirmwareFilter, params.DataFolder, "", ""};
        const std::optional<std::string> path = host.Messages().OpenFileName(request);
        if (!path)
            return Outcome::Declined;
        params.DataFolder = FolderOf(*path);

        // A regular file of at most 4 MiB, read without blocking (a FIFO does not
        // hang the window).
        const std::optional<std::string> bytes = ReadFileBytes(*path, kFirmwareFileLimit);
        if (!bytes) {
            Refuse(host, Tr("Files", kCannotOpenFile));
            continue;
        }
        const SRecordResult read = ReadSRecords(*bytes);
        if (!read.image) {
            Refuse(host, Tr("Firmware", read.message.c_str()));
            continue;
        }
        Link link{port, host, params};
        return FlashFirmware(link, host, *read.image);
    }
}
