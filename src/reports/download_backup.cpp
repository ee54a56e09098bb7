#include "download_backup.h"

#include "backups.h"
#include "fault_export.h"

#include <ctime>
#include <ostream>

std::optional<std::string> BackUpDownload(const ParameterSet& params, const FaultMemory& faults,
                                          std::ostream& diagnostics, const std::string& programName,
                                          const std::string& root, std::time_t when)
{
    const BackupResult result = StoreBackup(root, params, FaultExportText(faults), BackupStamp(when));
    if (result.Ok)
        return result.LcdPath;
    diagnostics << programName << ": backup not written: " << result.Error << "\n";
    return std::nullopt;
}
