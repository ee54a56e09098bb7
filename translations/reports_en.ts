<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Reports</name>
    <message>
        <source>LCD Fehlerspeicher (*.txt)|*.TXT|</source>
        <translation>LCD fault memory (*.txt)|*.TXT|</translation>
    </message>
    <message>
        <source>Tage	Std	Min	Sek	Fehler</source>
        <translation>Days	Hours	Min	Sec	Fault</translation>
    </message>
    <message>
        <source>Gerät wurde vom Benutzer abgeschaltet.</source>
        <translation>Device switched off by the user.</translation>
    </message>
    <message>
        <source>Maximales SWR überschritten, PTT 5 sek blockiert.</source>
        <translation>Maximum SWR exceeded, PTT blocked for 5 s.</translation>
    </message>
    <message>
        <source>PTT während der Vorheizzeit eingeschaltet, nur Meldung.</source>
        <translation>PTT pressed during the warm-up time, notice only.</translation>
    </message>
    <message>
        <source>I-Anode hat 5 Sekunden lang den Spitzenwert überschritten, PTT 5 sek blockiert.</source>
        <translation>Anode current above the peak value for 5 seconds, PTT blocked for 5 s.</translation>
    </message>
    <message>
        <source>I-Anode hat den integrierter Spitzenwert überschritten, PTT 5 sek blockiert.</source>
        <translation>Anode current above the integrated peak value, PTT blocked for 5 s.</translation>
    </message>
    <message>
        <source>I-Anode hat den absoluten Spitzenwert überschritten, PTT 5 sek blockiert.</source>
        <translation>Anode current above the absolute peak value, PTT blocked for 5 s.</translation>
    </message>
    <message>
        <source>I-Anode &lt; Minimalwert und I-G2 &gt; Maximalwert. (HV-Sicherung prüfen)</source>
        <translation>Anode current &lt; minimum and G2 current &gt; maximum. (Check the HV fuse)</translation>
    </message>
    <message>
        <source>U-Anode hat den Minimalwert unterschritten.</source>
        <translation>Anode voltage below its minimum.</translation>
    </message>
    <message>
        <source>U-Anode hat den Maximalwert überschritten.</source>
        <translation>Anode voltage above its maximum.</translation>
    </message>
    <message>
        <source>Fehlerspeicher gelöscht.</source>
        <translation>Fault memory cleared.</translation>
    </message>
    <message>
        <source>Betriebsstunden-Zähler gelöscht.</source>
        <translation>Operating hours counter cleared.</translation>
    </message>
    <message>
        <source>U-G1 hat den Minimalwert unterschritten.</source>
        <translation>G1 voltage below its minimum.</translation>
    </message>
    <message>
        <source>Softstart-Relais mit Sprungauswertung hat nicht angezogen, Notabschaltung.</source>
        <translation>Soft-start relay (step check) did not pull in, emergency shutdown.</translation>
    </message>
    <message>
        <source>Unerwarteter Prozessor-Neustart</source>
        <translation>Unexpected processor restart</translation>
    </message>
    <message>
        <source>U-G1 hat den Maximalwert überschritten.</source>
        <translation>G1 voltage above its maximum.</translation>
    </message>
    <message>
        <source>U-G2 hat den Minimalwert unterschritten.</source>
        <translation>G2 voltage below its minimum.</translation>
    </message>
    <message>
        <source>U-G2 hat den Maximalwert überschritten.</source>
        <translation>G2 voltage above its maximum.</translation>
    </message>
    <message>
        <source>Der Anoden-Ruhestrom hat den Maximalwert überschritten.</source>
        <translation>Anode idle current above its maximum.</translation>
    </message>
    <message>
        <source>U-12V hat den Maximalwert überschritten.</source>
        <translation>12 V supply above its maximum.</translation>
    </message>
    <message>
        <source>U-24V hat den Minimalwert unterschritten.</source>
        <translation>24 V supply below its minimum.</translation>
    </message>
    <message>
        <source>U-24V hat den Maximalwert überschritten.</source>
        <translation>24 V supply above its maximum.</translation>
    </message>
    <message>
        <source>Eingangsleistung zu hoch (IG1).</source>
        <translation>Input power too high (IG1).</translation>
    </message>
    <message>
        <source>Gerät wurde vom Benutzer eingeschaltet.</source>
        <translation>Device switched on by the user.</translation>
    </message>
    <message>
        <source>UA nach Startzeitfenster zu gering (nur bei getrenntem Anodentrafo).</source>
        <translation>Anode voltage too low after the start window (separate anode transformer only).</translation>
    </message>
    <message>
        <source>U-HZ hat den Minimalwert unterschritten.</source>
        <translation>Heater voltage below its minimum.</translation>
    </message>
    <message>
        <source>U-HZ hat den Maximalwert überschritten.</source>
        <translation>Heater voltage above its maximum.</translation>
    </message>
    <message>
        <source>Der Anoden-Ruhestrom hat den Minimalwert unterschritten.</source>
        <translation>Anode idle current below its minimum.</translation>
    </message>
    <message>
        <source>Der minimale Wirkungsgrad wurde 5 Sekunden lang unterschritten, PTT 5 sek blockiert.</source>
        <translation>Efficiency below its minimum for 5 seconds, PTT blocked for 5 s.</translation>
    </message>
    <message>
        <source>Fehler beim Anodentrafo einschalten, Anodentrafo wurde wieder abgeschaltet.</source>
        <translation>Fault while switching the anode transformer on, switched off again.</translation>
    </message>
    <message>
        <source>PTT wegen fehlender Anodenspannung auf Dauer blockiert.</source>
        <translation>PTT blocked permanently: no anode voltage.</translation>
    </message>
    <message>
        <source>Softstartrelais-direkt ist im Betrieb abgefallen, Notabschaltung.</source>
        <translation>Direct soft-start relay dropped out in operation, emergency shutdown.</translation>
    </message>
    <message>
        <source>Elektronik der Softstartüberwachung-direkt ist defekt, Notabschaltung.</source>
        <translation>Direct soft-start supervision electronics faulty, emergency shutdown.</translation>
    </message>
    <message>
        <source>Maximaler Rücklauf überschritten, PTT 5 sek blockiert.</source>
        <translation>Maximum reflected power exceeded, PTT blocked for 5 s.</translation>
    </message>
    <message>
        <source>12V sind vor Zeitfenster-Beginn zu nieder, Notabschaltung.</source>
        <translation>12 V too low before the time window, emergency shutdown.</translation>
    </message>
    <message>
        <source>Softstartrelais-direkt hat nicht angezogen, Notabschaltung.</source>
        <translation>Direct soft-start relay did not pull in, emergency shutdown.</translation>
    </message>
    <message>
        <source>U12 Minimalwert-Timeout, Notabschaltung.</source>
        <translation>12 V minimum timeout, emergency shutdown.</translation>
    </message>
    <message>
        <source>Unzulässiger Anodenstrom in der Aufwärmphase, Notabschaltung.</source>
        <translation>Anode current not allowed during warm-up, emergency shutdown.</translation>
    </message>
    <message>
        <source>Ungültige Fehlertext-Nr.</source>
        <translation>Invalid fault text number.</translation>
    </message>
    <message>
        <source>Tage</source>
        <translation>Days</translation>
    </message>
    <message>
        <source>Std</source>
        <translation>h</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Sek</source>
        <translation>Sec</translation>
    </message>
    <message>
        <source>Fehler</source>
        <translation>Fault</translation>
    </message>
    <message>
        <source>FehlerSpeicher</source>
        <translation>Fault memory</translation>
    </message>
    <message>
        <source>&amp;Speichern</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>ja</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>nein</source>
        <translation>no</translation>
    </message>
    <message>
        <source>T a v r i x   P r o t o k o l l</source>
        <translation>T a v r i x   R e p o r t</translation>
    </message>
    <message>
        <source>Blatt: %1</source>
        <translation>Sheet: %1</translation>
    </message>
    <message>
        <source>Gerät: %1    Serien-Nr: %2    Version: %3</source>
        <translation>Device: %1    Serial no: %2    Version: %3</translation>
    </message>
    <message>
        <source>Allgemeines</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Display-Sprache:</source>
        <translation>Display language:</translation>
    </message>
    <message>
        <source>Englisch</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Deutsch</source>
        <translation>German</translation>
    </message>
    <message>
        <source>IA-Mittelwert anzeigen:</source>
        <translation>Show IA mean:</translation>
    </message>
    <message>
        <source>Sicherungsfehler bei:</source>
        <translation>Fuse fault at:</translation>
    </message>
    <message>
        <source>mA</source>
        <translation>mA</translation>
    </message>
    <message>
        <source>IA &lt;</source>
        <translation>IA &lt;</translation>
    </message>
    <message>
        <source>und IG2 &gt;</source>
        <translation>and IG2 &gt;</translation>
    </message>
    <message>
        <source>Timing</source>
        <translation>Timing</translation>
    </message>
    <message>
        <source>Vorheizzeit:</source>
        <translation>Warm-up time:</translation>
    </message>
    <message>
        <source>sek</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Abkühlzeit:</source>
        <translation>Cool-down time:</translation>
    </message>
    <message>
        <source>PttMindestTastZeit:</source>
        <translation>PTT minimum key time:</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>PttVerzögerungsZeit:</source>
        <translation>PTT delay time:</translation>
    </message>
    <message>
        <source>PttEntprellZeit:</source>
        <translation>PTT debounce time:</translation>
    </message>
    <message>
        <source>Softstartrelais</source>
        <translation>Soft-start relay</translation>
    </message>
    <message>
        <source>12V Überprüfung nach Einschalten (Softstartrelais):</source>
        <translation>12 V check after switching on (soft-start relay):</translation>
    </message>
    <message>
        <source>Zeitfenster Beginn:</source>
        <translation>Time window start:</translation>
    </message>
    <message>
        <source>(0=abgeschaltet)</source>
        <translation>(0=switched off)</translation>
    </message>
    <message>
        <source>Zeitfenster Ende:</source>
        <translation>Time window end:</translation>
    </message>
    <message>
        <source>Im Zeitfenster Sprung von minimal:</source>
        <translation>Minimum step within the time window:</translation>
    </message>
    <message>
        <source>V</source>
        <translation>V</translation>
    </message>
    <message>
        <source>Softstartrelais direkt:</source>
        <translation>Direct soft-start relay:</translation>
    </message>
    <message>
        <source>UA Überprüfung nach Einschalten (UA-Softstartrelais:</source>
        <translation>UA check after switching on (UA soft-start relay):</translation>
    </message>
    <message>
        <source>U-Anode x Sek. vor RDY ein:</source>
        <translation>Anode voltage on x s before RDY:</translation>
    </message>
    <message>
        <source>s</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Anzeigebereiche:</source>
        <translation>Display ranges:</translation>
    </message>
    <message>
        <source>Balken G1:</source>
        <translation>G1 bar:</translation>
    </message>
    <message>
        <source>Balken G2:</source>
        <translation>G2 bar:</translation>
    </message>
    <message>
        <source>U-Anode:</source>
        <translation>Anode voltage:</translation>
    </message>
    <message>
        <source>I-Anode:</source>
        <translation>Anode current:</translation>
    </message>
    <message>
        <source>PWR:</source>
        <translation>PWR:</translation>
    </message>
    <message>
        <source>W</source>
        <translation>W</translation>
    </message>
    <message>
        <source>Grenzwerte allgemein:</source>
        <translation>General limits:</translation>
    </message>
    <message>
        <source>MaxSWR:</source>
        <translation>Max SWR:</translation>
    </message>
    <message>
        <source>MaxRücklauf:</source>
        <translation>Max reflected:</translation>
    </message>
    <message>
        <source>(0=aus)</source>
        <translation>(0=off)</translation>
    </message>
    <message>
        <source>MaxZeit für MaxRücklauf:</source>
        <translation>Max time for max reflected:</translation>
    </message>
    <message>
        <source>S</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Max IG1:</source>
        <translation>Max IG1:</translation>
    </message>
    <message>
        <source>Max-PWR mit Displaytaste zuschaltbar:</source>
        <translation>Max PWR switchable with the display key:</translation>
    </message>
    <message>
        <source>Minimal zulässiger Wirkungsgrad:</source>
        <translation>Minimum efficiency allowed:</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>wenn PWR &gt; x% von Max-PWR ist:</source>
        <translation>if PWR &gt; x% of max PWR:</translation>
    </message>
    <message>
        <source>I-Anode max 5 Sek.:</source>
        <translation>Anode current max, 5 s:</translation>
    </message>
    <message>
        <source>I-Anode max sofort:</source>
        <translation>Anode current max, instantaneous:</translation>
    </message>
    <message>
        <source>IA-max in Aufwärmphase:</source>
        <translation>IA max while warming up:</translation>
    </message>
    <message>
        <source>Anode:</source>
        <translation>Anode:</translation>
    </message>
    <message>
        <source>U-max</source>
        <translation>U max</translation>
    </message>
    <message>
        <source>U-min</source>
        <translation>U min</translation>
    </message>
    <message>
        <source>G2:</source>
        <translation>G2:</translation>
    </message>
    <message>
        <source>G1:</source>
        <translation>G1:</translation>
    </message>
    <message>
        <source>24 V:</source>
        <translation>24 V:</translation>
    </message>
    <message>
        <source>(80m)</source>
        <translation>(80m)</translation>
    </message>
    <message>
        <source>(40m)</source>
        <translation>(40m)</translation>
    </message>
    <message>
        <source>(30m)</source>
        <translation>(30m)</translation>
    </message>
    <message>
        <source>(20m)</source>
        <translation>(20m)</translation>
    </message>
    <message>
        <source>(17m)</source>
        <translation>(17m)</translation>
    </message>
    <message>
        <source>(15m)</source>
        <translation>(15m)</translation>
    </message>
    <message>
        <source>(12m)</source>
        <translation>(12m)</translation>
    </message>
    <message>
        <source>(10m)</source>
        <translation>(10m)</translation>
    </message>
    <message>
        <source>12 V:</source>
        <translation>12 V:</translation>
    </message>
    <message>
        <source>Heizungsanzeige eingeschaltet:</source>
        <translation>Heater display on:</translation>
    </message>
    <message>
        <source>Heizung:</source>
        <translation>Heater:</translation>
    </message>
    <message>
        <source>Grenzwert mit Bandschalter:</source>
        <translation>Limit with band switch:</translation>
    </message>
    <message>
        <source>(160m)</source>
        <translation>(160m)</translation>
    </message>
    <message>
        <source>Grenzwerte Max-PWR bei Dauerträger:</source>
        <translation>Max power limits, key-down:</translation>
    </message>
    <message>
        <source>Alle Bänder b.z.w. 160m-20m:</source>
        <translation>All bands or 160m-20m:</translation>
    </message>
    <message>
        <source>17m-10m mit G1-Umschalter:</source>
        <translation>17m-10m with G1 switch:</translation>
    </message>
    <message>
        <source>Grenzwerte IA-Mittelwert:</source>
        <translation>IA mean limits:</translation>
    </message>
    <message>
        <source>IA-Mittelwertzeit für 1%/100% über Max-Wert:</source>
        <translation>IA mean time for 1%/100% above the maximum:</translation>
    </message>
    <message>
        <source>Korrektur PWR-Anzeige:</source>
        <translation>PWR display correction:</translation>
    </message>
    <message>
        <source>Kein Korrekturfaktor:</source>
        <translation>No correction factor:</translation>
    </message>
    <message>
        <source>Korrekturfaktor mit Bandschalter:</source>
        <translation>Correction factor with band switch:</translation>
    </message>
    <message>
        <source>Service-Einstellungen:</source>
        <translation>Service settings:</translation>
    </message>
    <message>
        <source>IA-Mittelwert in Zeile 3 anzeigen:</source>
        <translation>Show IA mean in line 3:</translation>
    </message>
    <message>
        <source>Wirkungsgrad in Zeile 3 anzeigen:</source>
        <translation>Show efficiency in line 3:</translation>
    </message>
    <message>
        <source>Überwachungen abschalten:</source>
        <translation>Disable protection:</translation>
    </message>
    <message>
        <source>Es sind noch keine Daten vorhanden!</source>
        <translation>There is no data yet!</translation>
    </message>
    <message>
        <source>Es ist nicht möglich im Querformat zu Drucken !</source>
        <translation>Printing in landscape is not possible!</translation>
    </message>
    <message>
        <source>Nr,Tage,Std,Min,Sek,Code,Fehler</source>
        <translation>No,Days,Hours,Min,Sec,Code,Fault</translation>
    </message>
    <message>
        <source>6/0,9</source>
        <translation>6/0.9</translation>
    </message>
    <message>
        <source>11/1,7</source>
        <translation>11/1.7</translation>
    </message>
    <message>
        <source>22/3,4</source>
        <translation>22/3.4</translation>
    </message>
    <message>
        <source>44/6,6</source>
        <translation>44/6.6</translation>
    </message>
    <message>
        <source>88/13</source>
        <translation>88/13</translation>
    </message>
    <message>
        <source>176/26</source>
        <translation>176/26</translation>
    </message>
</context>
</TS>
