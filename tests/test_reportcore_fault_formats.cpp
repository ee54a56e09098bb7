// The fault memory as CSV and JSON: the records the window lists, in its order, with
// the time split and the fault text; quoting where the text needs it.
#include "fault_formats.h"
#include "fault_memory.h"

#include <gtest/gtest.h>

TEST(FaultFormats, CsvAndJsonListTheRecordsUpToTheFirstEmptyOne)
{
    FaultMemory faults;
    faults.Entry(1) = {90061, 2};            // 1 day, 1 h, 1 min, 1 s; a text with a comma
    faults.Entry(2) = {int32_t(4294967295u), 39};
    faults.Entry(4) = {100, 1};              // after the empty entry 3: not listed
    EXPECT_EQ(FaultCsvText(faults),
              "Nr,Tage,Std,Min,Sek,Code,Fehler\n"
              "1,1,1,1,1,2,\"PTT während der Vorheizzeit eingeschaltet, nur Meldung.\"\n"
              "2,49710,6,28,15,39,Ungültige Fehlertext-Nr.\n");
    EXPECT_EQ(FaultJsonText(faults),
              "[\n  {\"entry\":1,\"time\":90061,\"days\":1,\"hours\":1,\"minutes\":1,\"seconds\":1,\"code\":2,"
              "\"text\":\"PTT während der Vorheizzeit eingeschaltet, nur Meldung.\"},\n"
              "  {\"entry\":2,\"time\":4294967295,\"days\":49710,\"hours\":6,\"minutes\":28,\"seconds\":15,"
              "\"code\":39,\"text\":\"Ungültige Fehlertext-Nr.\"}\n]\n");
    EXPECT_EQ(FaultCsvText(FaultMemory{}), "Nr,Tage,Std,Min,Sek,Code,Fehler\n");
    EXPECT_EQ(FaultJsonText(FaultMemory{}), "[]\n");
}
