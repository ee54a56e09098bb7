#pragma once
// The device-type list "GeraeteTyp.ini": 256 lines, line k names device type k (the
// value of DeviceType and the entry of the main window's selector). The name is the
// first word of its line; the rest of the line is a comment.
#include "dialogs.h"
#include "translation.h"

#include <string>
#include <vector>

inline constexpr const char* kDeviceTypeFileName = "GeraeteTyp.ini";
inline constexpr int kDeviceTypeCount = 256;
inline constexpr size_t kDeviceTypeNameLength = 51;  // longer names are cut
inline constexpr const char* kDeviceTypeFault =
    QT_TRANSLATE_NOOP("Files", "LCD Gerätetyp.ini  ist fehlerhaft!\n\nTyp-Erkennung ist nicht verfügbar.");

struct DeviceTypeList {
    std::vector<std::string> Names;  // UTF-8; as many as could be read
    bool Complete = false;           // all 256 lines read: the type can be sent
};

// No file: silent, empty and incomplete. Fewer than 256 complete lines (the last one
// included, which must end with a line end): beep and error box once; the names read
// so far are kept, the list is incomplete.
DeviceTypeList ReadDeviceTypes(Dialogs& dialogs, const std::string& path = kDeviceTypeFileName);
// The same from the file's bytes (Windows-1252), for a file already in memory.
DeviceTypeList ReadDeviceTypeBytes(Dialogs& dialogs, const std::string& bytes);
