#pragma once
// The fault memory for programs: the records the fault-memory window lists (entry 1
// up to the first empty entry), as CSV with a header line or as a JSON array. Both
// UTF-8 with "\n" line ends; the text form is the window's export (fault_export.h).
#include <string>

struct FaultMemory;

// Header "Nr,Tage,Std,Min,Sek,Code,Fehler", then one line per record; a text holding
// a comma or a quote is quoted.
std::string FaultCsvText(const FaultMemory& faults);
// [{"entry":1,"time":90061,"days":1,"hours":1,"minutes":1,"seconds":1,"code":7,
//   "text":"..."}, ...]
std::string FaultJsonText(const FaultMemory& faults);
