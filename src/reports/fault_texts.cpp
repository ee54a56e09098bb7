#include "fault_texts.h"

#include "fault_memory.h"

const std::array<std::string, kFaultTextCount> FaultTextTable = {
    "Gerät wurde vom Benutzer abgeschaltet.",
    "Maximales SWR überschritten, PTT 5 sek blockiert.",
    "PTT während der Vorheizzeit eingeschaltet, nur Meldung.",
    "I-Anode hat 5 Sekunden lang den Spitzenwert überschritten, PTT 5 sek blockiert.",
    "I-Anode hat den integrierter Spitzenwert überschritten, PTT 5 sek blockiert.",
    "I-Anode hat den absoluten Spitzenwert überschritten, PTT 5 sek blockiert.",
    "I-Anode < Minimalwert und I-G2 > Maximalwert. (HV-Sicherung prüfen)",
    "U-Anode hat den Minimalwert unterschritten.",
    "U-Anode hat den Maximalwert überschritten.",
    "Fehlerspeicher gelöscht.",
    "Betriebsstunden-Zähler gelöscht.",
    "U-G1 hat den Minimalwert unterschritten.",
    "Softstart-Relais mit Sprungauswertung hat nicht angezogen, Notabschaltung.",
    "Unerwarteter Prozessor-Neustart",
    "U-G1 hat den Maximalwert überschritten.",
    "U-G2 hat den Minimalwert unterschritten.",
    "U-G2 hat den Maximalwert überschritten.",
    "Der Anoden-Ruhestrom hat den Maximalwert überschritten.",
    "U-12V hat den Maximalwert überschritten.",
    "U-24V hat den Minimalwert unterschritten.",
    "U-24V hat den Maximalwert überschritten.",
    "Eingangsleistung zu hoch (IG1).",
    "Gerät wurde vom Benutzer eingeschaltet.",
    "UA nach Startzeitfenster zu gering (nur bei getrenntem Anodentrafo).",
    "U-HZ hat den Minimalwert unterschritten.",
    "U-HZ hat den Maximalwert überschritten.",
    "Der Anoden-Ruhestrom hat den Minimalwert unterschritten.",
    "",
    "Der minimale Wirkungsgrad wurde 5 Sekunden lang unterschritten, PTT 5 sek blockiert.",
    "Fehler beim Anodentrafo einschalten, Anodentrafo wurde wieder abgeschaltet.",
    "PTT wegen fehlender Anodenspannung auf Dauer blockiert.",
    "",
    "Softstartrelais-direkt ist im Betrieb abgefallen, Notabschaltung.",
    "Elektronik der Softstartüberwachung-direkt ist defekt, Notabschaltung.",
    "Maximaler Rücklauf überschritten, PTT 5 sek blockiert.",
    "12V sind vor Zeitfenster-Beginn zu nieder, Notabschaltung.",
    "Softstartrelais-direkt hat nicht angezogen, Notabschaltung.",
    "U12 Minimalwert-Timeout, Notabschaltung.",
    "Unzulässiger Anodenstrom in der Aufwärmphase, Notabschaltung.",
    "Ungültige Fehlertext-Nr.",
};

static_assert(kInvalidFaultText == kFaultTextCount - 1);

const std::string& FaultText(unsigned number)
{
    return FaultTextTable[number < kInvalidFaultText ? number : kInvalidFaultText];
}

FaultTime SplitFaultTime(uint32_t seconds)
{
    const uint32_t inDay = seconds % 86400;
    return {seconds / 86400, inDay / 3600, inDay % 3600 / 60, inDay % 3600 % 60};
}
