#include "fault_texts.h"

#include "fault_memory.h"
#include "translation.h"

const std::array<const char*, kFaultTextCount> FaultTextTable = {
    QT_TRANSLATE_NOOP("Reports", "Gerät wurde vom Benutzer abgeschaltet."),
    QT_TRANSLATE_NOOP("Reports", "Maximales SWR überschritten, PTT 5 sek blockiert."),
    QT_TRANSLATE_NOOP("Reports", "PTT während der Vorheizzeit eingeschaltet, nur Meldung."),
    QT_TRANSLATE_NOOP("Reports", "I-Anode hat 5 Sekunden lang den Spitzenwert überschritten, PTT 5 sek blockiert."),
    QT_TRANSLATE_NOOP("Reports", "I-Anode hat den integrierter Spitzenwert überschritten, PTT 5 sek blockiert."),
    QT_TRANSLATE_NOOP("Reports", "I-Anode hat den absoluten Spitzenwert überschritten, PTT 5 sek blockiert."),
    QT_TRANSLATE_NOOP("Reports", "I-Anode < Minimalwert und I-G2 > Maximalwert. (HV-Sicherung prüfen)"),
    QT_TRANSLATE_NOOP("Reports", "U-Anode hat den Minimalwert unterschritten."),
    QT_TRANSLATE_NOOP("Reports", "U-Anode hat den Maximalwert überschritten."),
    QT_TRANSLATE_NOOP("Reports", "Fehlerspeicher gelöscht."),
    QT_TRANSLATE_NOOP("Reports", "Betriebsstunden-Zähler gelöscht."),
    QT_TRANSLATE_NOOP("Reports", "U-G1 hat den Minimalwert unterschritten."),
    QT_TRANSLATE_NOOP("Reports", "Softstart-Relais mit Sprungauswertung hat nicht angezogen, Notabschaltung."),
    QT_TRANSLATE_NOOP("Reports", "Unerwarteter Prozessor-Neustart"),
    QT_TRANSLATE_NOOP("Reports", "U-G1 hat den Maximalwert überschritten."),
    QT_TRANSLATE_NOOP("Reports", "U-G2 hat den Minimalwert unterschritten."),
    QT_TRANSLATE_NOOP("Reports", "U-G2 hat den Maximalwert überschritten."),
    QT_TRANSLATE_NOOP("Reports", "Der Anoden-Ruhestrom hat den Maximalwert überschritten."),
    QT_TRANSLATE_NOOP("Reports", "U-12V hat den Maximalwert überschritten."),
    QT_TRANSLATE_NOOP("Reports", "U-24V hat den Minimalwert unterschritten."),
    QT_TRANSLATE_NOOP("Reports", "U-24V hat den Maximalwert überschritten."),
    QT_TRANSLATE_NOOP("Reports", "Eingangsleistung zu hoch (IG1)."),
    QT_TRANSLATE_NOOP("Reports", "Gerät wurde vom Benutzer eingeschaltet."),
    QT_TRANSLATE_NOOP("Reports", "UA nach Startzeitfenster zu gering (nur bei getrenntem Anodentrafo)."),
    QT_TRANSLATE_NOOP("Reports", "U-HZ hat den Minimalwert unterschritten."),
    QT_TRANSLATE_NOOP("Reports", "U-HZ hat den Maximalwert überschritten."),
    QT_TRANSLATE_NOOP("Reports", "Der Anoden-Ruhestrom hat den Minimalwert unterschritten."),
    "",
    QT_TRANSLATE_NOOP("Reports", "Der minimale Wirkungsgrad wurde 5 Sekunden lang unterschritten, PTT 5 sek blockiert."),
    QT_TRANSLATE_NOOP("Reports", "Fehler beim Anodentrafo einschalten, Anodentrafo wurde wieder abgeschaltet."),
    QT_TRANSLATE_NOOP("Reports", "PTT wegen fehlender Anodenspannung auf Dauer blockiert."),
    "",
    QT_TRANSLATE_NOOP("Reports", "Softstartrelais-direkt ist im Betrieb abgefallen, Notabschaltung."),
    QT_TRANSLATE_NOOP("Reports", "Elektronik der Softstartüberwachung-direkt ist defekt, Notabschaltung."),
    QT_TRANSLATE_NOOP("Reports", "Maximaler Rücklauf überschritten, PTT 5 sek blockiert."),
    QT_TRANSLATE_NOOP("Reports", "12V sind vor Zeitfenster-Beginn zu nieder, Notabschaltung."),
    QT_TRANSLATE_NOOP("Reports", "Softstartrelais-direkt hat nicht angezogen, Notabschaltung."),
    QT_TRANSLATE_NOOP("Reports", "U12 Minimalwert-Timeout, Notabschaltung."),
    QT_TRANSLATE_NOOP("Reports", "Unzulässiger Anodenstrom in der Aufwärmphase, Notabschaltung."),
    QT_TRANSLATE_NOOP("Reports", "Ungültige Fehlertext-Nr."),
};

static_assert(kInvalidFaultText == kFaultTextCount - 1);

std::string FaultText(unsigned number)
{
    const char* text = FaultTextTable[number < kInvalidFaultText ? number : kInvalidFaultText];
    return *text ? Tr("Reports", text) : std::string();
}

FaultTime SplitFaultTime(uint32_t seconds)
{
    const uint32_t inDay = seconds % 86400;
    return {seconds / 86400, inDay / 3600, inDay % 3600 / 60, inDay % 3600 % 60};
}
