#include "fault_formats.h"

#include "fault_memory.h"
#include "fault_texts.h"
#include "json_text.h"
#include "translation.h"

namespace {

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

// The records the window lists: from entry 1 until the first one without a time.
template <class F>
void ForEachRecord(const FaultMemory& faults, F&& f)
{
    for (int n = 1; n <= kFaultEntries; ++n) {
        const FaultRecord& entry = faults.Entry(n);
        if (entry.Time == 0)
            break;
        f(n, entry);
    }
}

}  // namespace

std::string FaultCsvText(const FaultMemory& faults)
{
    std::string text = Tr("Reports", "Nr,Tage,Std,Min,Sek,Code,Fehler") + "\n";
    ForEachRecord(faults, [&](int n, const FaultRecord& entry) {
        const FaultTime t = SplitFaultTime(static_cast<uint32_t>(entry.Time));
        text += std::to_string(n) + "," + std::to_string(t.Days) + "," + std::to_string(t.Hours) + ","
                + std::to_string(t.Minutes) + "," + std::to_string(t.Seconds) + ","
                + std::to_string(entry.Fault) + "," + CsvField(FaultText(entry.Fault)) + "\n";
    });
    return text;
}

std::string FaultJsonText(const FaultMemory& faults)
{
    std::string text = "[";
    ForEachRecord(faults, [&](int n, const FaultRecord& entry) {
        const uint32_t seconds = static_cast<uint32_t>(entry.Time);
        const FaultTime t = SplitFaultTime(seconds);
        if (n > 1)
            text += ",";
        text += "\n  {\"entry\":" + std::to_string(n) + ",\"time\":" + std::to_string(seconds)
                + ",\"days\":" + std::to_string(t.Days) + ",\"hours\":" + std::to_string(t.Hours)
                + ",\"minutes\":" + std::to_string(t.Minutes) + ",\"seconds\":" + std::to_string(t.Seconds)
                + ",\"code\":" + std::to_string(entry.Fault) + ",\"text\":" + JsonString(FaultText(entry.Fault))
                + "}";
    });
    return text + (text.size() > 1 ? "\n]\n" : "]\n");
}
