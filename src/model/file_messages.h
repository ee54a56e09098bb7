#pragma once
// Message every file command of the program shows when a file cannot be opened or
// created (configuration files, firmware files, the fault-memory export).
inline constexpr const char* kCannotOpenFile = "Datei kann nicht geöffnet werden!";
