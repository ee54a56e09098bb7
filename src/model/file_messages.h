#pragma once
// Message every file command of the program shows when a file cannot be opened or
// created (configuration files, firmware files, the fault-memory export).
#include "translation.h"

inline constexpr const char* kCannotOpenFile = QT_TRANSLATE_NOOP("Files", "Datei kann nicht geöffnet werden!");
