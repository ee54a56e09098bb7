#pragma once
// The set the program would lose at its end. Ending asks nothing and saves nothing;
// when the set was changed since it was last opened, saved, read from the board or
// written to it, the end leaves it, silently, as
//   <root>/<stamp>.lcd    the parameter set, as saved
//   <root>/<stamp>.txt    its readable companion
// where <root> is $XDG_STATE_HOME/lcdkonfig/unsaved (beside the backups, backups.h)
// and <stamp> the local time of the end, "2026-12-09_14-03-22" ("_2"... when taken).
// Both files are written completely before they get their names; none is replaced.
#include "backups.h"
#include "parameter_set.h"

#include <string>
#include <vector>

std::string UnsavedRoot(const EnvironmentLookup& variable);
std::string UnsavedRoot();

// The set as it was kept last, compared by what its .lcd file would hold (the values
// and the board's identity; marks and window state are no part of it).
class KeptSet {
public:
    void Keep(const ParameterSet& params);
    bool ChangedIn(const ParameterSet& params) const;

private:
    std::string text_;
};

// Writes the set's .lcd and .txt under root (created when missing).
BackupResult StoreUnsaved(const std::string& root, const ParameterSet& params, const std::string& stamp);

// Every unsaved set under root, newest first: Serial from the file's identity lines,
// Time from the stamp ("2026-12-09 14:03:22"), no Firmware.
std::vector<BackupEntry> ListUnsaved(const std::string& root);
