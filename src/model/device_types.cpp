#include "device_types.h"
#include "translation.h"

#include "text_file.h"
#include "text_scanner.h"

DeviceTypeList ReadDeviceTypes(Dialogs& dialogs, const std::string& path)
{
    auto bytes = ReadKeptFile(path);
    if (!bytes)
        return {};
    return ReadDeviceTypeBytes(dialogs, *bytes);
}

DeviceTypeList ReadDeviceTypeBytes(Dialogs& dialogs, const std::string& bytes)
{
    DeviceTypeList list;
    TextScanner in(bytes);
    for (int k = 0; k < kDeviceTypeCount; ++k) {
        auto name = in.ReadWord(kDeviceTypeNameLength);
        if (!name || !in.SkipLine()) {
            dialogs.Beep();
            dialogs.Error(Tr("Files", kDeviceTypeFault));
            return list;
        }
        list.Names.push_back(FromWindows1252(*name));
    }
    list.Complete = true;
    return list;
}
