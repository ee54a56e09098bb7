<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Editors</name>
    <message>
        <source>Eingabebereich Ende !</source>
        <translation>End of the input range!</translation>
    </message>
    <message>
        <source>160m</source>
        <translation>160m</translation>
    </message>
    <message>
        <source>80m</source>
        <translation>80m</translation>
    </message>
    <message>
        <source>40m</source>
        <translation>40m</translation>
    </message>
    <message>
        <source>30m</source>
        <translation>30m</translation>
    </message>
    <message>
        <source>20m</source>
        <translation>20m</translation>
    </message>
    <message>
        <source>17m</source>
        <translation>17m</translation>
    </message>
    <message>
        <source>15m</source>
        <translation>15m</translation>
    </message>
    <message>
        <source>12m</source>
        <translation>12m</translation>
    </message>
    <message>
        <source>10m</source>
        <translation>10m</translation>
    </message>
    <message>
        <source>Alle Bänder b.z.w. 160m -20m</source>
        <translation>All bands or 160m - 20m</translation>
    </message>
    <message>
        <source>17m - 10m mit G1-Umschalter</source>
        <translation>17m - 10m with G1 switch</translation>
    </message>
    <message>
        <source>Grenzwert mit Bandschalter</source>
        <translation>Limit with band switch</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 0 W bis 65000 W !</source>
        <translation>Valid entries are 0 W to 65000 W!</translation>
    </message>
    <message>
        <source>W</source>
        <translation>W</translation>
    </message>
    <message>
        <source>0 = aus</source>
        <translation>0 = off</translation>
    </message>
    <message>
        <source>Grenzwerte Max-PWR bei Dauerträger</source>
        <translation>Max power limits, key-down</translation>
    </message>
    <message>
        <source>Alle Bänder b.z.w. 160m - 20m</source>
        <translation>All bands or 160m - 20m</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 1mA bis 65000mA !</source>
        <translation>Valid entries are 1 mA to 65000 mA!</translation>
    </message>
    <message>
        <source>mA</source>
        <translation>mA</translation>
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
    <message>
        <source>IA-Mittelw. Zeit: 1%/100%</source>
        <translation>IA mean time: 1%/100%</translation>
    </message>
    <message>
        <source>sek</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Grenzwerte IA-Mittelwert</source>
        <translation>IA mean limits</translation>
    </message>
    <message>
        <source>Kein Korrekturfaktor</source>
        <translation>No correction factor</translation>
    </message>
    <message>
        <source>Korrekturfaktor mit Bandschalter</source>
        <translation>Correction factor with band switch</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 0.50 bis 1.99 !</source>
        <translation>Valid entries are 0.50 to 1.99!</translation>
    </message>
    <message>
        <source>Korrektur PWR-Anzeige</source>
        <translation>PWR display correction</translation>
    </message>
    <message>
        <source>Allgemeines</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Deutsch</source>
        <translation>German</translation>
    </message>
    <message>
        <source>Englisch</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 1 V bis 32000 V !</source>
        <translation>Valid entries are 1 V to 32000 V!</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 1 mA bis 512 mA !</source>
        <translation>Valid entries are 1 mA to 512 mA!</translation>
    </message>
    <message>
        <source>Display-Sprache:</source>
        <translation>Display language:</translation>
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
        <source>IA &lt;</source>
        <translation>IA &lt;</translation>
    </message>
    <message>
        <source>und</source>
        <translation>and</translation>
    </message>
    <message>
        <source>IG2 &gt;</source>
        <translation>IG2 &gt;</translation>
    </message>
    <message>
        <source>Anzeigebereiche</source>
        <translation>Display ranges</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 100 bis 90000 !</source>
        <translation>Valid entries are 100 to 90000!</translation>
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
        <source>UA:</source>
        <translation>UA:</translation>
    </message>
    <message>
        <source>V</source>
        <translation>V</translation>
    </message>
    <message>
        <source>IA:</source>
        <translation>IA:</translation>
    </message>
    <message>
        <source>PWR:</source>
        <translation>PWR:</translation>
    </message>
    <message>
        <source>Timing</source>
        <translation>Timing</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 1 sek bis 65000 sek !</source>
        <translation>Valid entries are 1 s to 65000 s!</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 0 sek bis 32000 sek !</source>
        <translation>Valid entries are 0 s to 32000 s!</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 2 ms bis 65000 ms !</source>
        <translation>Valid entries are 2 ms to 65000 ms!</translation>
    </message>
    <message>
        <source>Vorheizzeit:</source>
        <translation>Warm-up time:</translation>
    </message>
    <message>
        <source>Abkühlzeit:   (0=aus)</source>
        <translation>Cool-down:   (0=off)</translation>
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
        <source>Gültige Eingaben sind 1 V bis 65000 V !</source>
        <translation>Valid entries are 1 V to 65000 V!</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 1 mA bis 65000 mA !</source>
        <translation>Valid entries are 1 mA to 65000 mA!</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 0 mA bis 10000 mA !</source>
        <translation>Valid entries are 0 mA to 10000 mA!</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 1 V bis 999.9 V !</source>
        <translation>Valid entries are 1 V to 999.9 V!</translation>
    </message>
    <message>
        <source>Grenzwerte allgemein</source>
        <translation>General limits</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 0,1 bis 60,0 !</source>
        <translation>Valid entries are 0.1 to 60.0!</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 5 % bis 95 % !</source>
        <translation>Valid entries are 5 % to 95 %!</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 1.5 bis 10.0 !</source>
        <translation>Valid entries are 1.5 to 10.0!</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 0 bis 15000 !</source>
        <translation>Valid entries are 0 to 15000!</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 0 bis 350 mA !</source>
        <translation>Valid entries are 0 to 350 mA!</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 1 V bis 99.9 V !</source>
        <translation>Valid entries are 1 V to 99.9 V!</translation>
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
        <source> (0=abgeschaltet)</source>
        <translation> (0=switched off)</translation>
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
        <source>Max   IG1</source>
        <translation>Max   IG1</translation>
    </message>
    <message>
        <source>Max-PWR zuschaltbar:        (0=aus)</source>
        <translation>Max PWR switchable:        (0=off)</translation>
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
        <source>wenn PWR &gt;</source>
        <translation>if PWR &gt;</translation>
    </message>
    <message>
        <source>von Max-PWR</source>
        <translation>of max PWR</translation>
    </message>
    <message>
        <source>I-Anode max 5 Sek</source>
        <translation>Anode current max, 5 s</translation>
    </message>
    <message>
        <source>I-Anode max sofort</source>
        <translation>Anode current max, instantaneous</translation>
    </message>
    <message>
        <source>IA-max in Aufwärmphase    (0=aus)</source>
        <translation>IA max while warming up    (0=off)</translation>
    </message>
    <message>
        <source>I-max</source>
        <translation>I max</translation>
    </message>
    <message>
        <source>I-min</source>
        <translation>I min</translation>
    </message>
    <message>
        <source>Ruhestrom:          (0=aus)</source>
        <translation>Idle current:          (0=off)</translation>
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
        <source>Anode:</source>
        <translation>Anode:</translation>
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
        <source>12 V:</source>
        <translation>12 V:</translation>
    </message>
    <message>
        <source>Heizung:</source>
        <translation>Heater:</translation>
    </message>
    <message>
        <source>Softstartrelais</source>
        <translation>Soft-start relay</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 0 ms oder 1500 bis 5000 ms !</source>
        <translation>Valid entries are 0 ms or 1500 to 5000 ms!</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 2000 ms bis 10000 ms !</source>
        <translation>Valid entries are 2000 ms to 10000 ms!</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 0.1 V bis 999.9 V !</source>
        <translation>Valid entries are 0.1 V to 999.9 V!</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 0 sek bis 1000 sek !</source>
        <translation>Valid entries are 0 s to 1000 s!</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 1000 ms bis 5000 ms !</source>
        <translation>Valid entries are 1000 ms to 5000 ms!</translation>
    </message>
    <message>
        <source>Gültige Eingaben sind 0 V bis 9999 V !</source>
        <translation>Valid entries are 0 V to 9999 V!</translation>
    </message>
    <message>
        <source>12 V Überprüfung nach Einschalten:</source>
        <translation>12 V check after switching on:</translation>
    </message>
    <message>
        <source>(Softstartrelais)</source>
        <translation>(soft-start relay)</translation>
    </message>
    <message>
        <source>Zeitfenster Beginn</source>
        <translation>Time window start</translation>
    </message>
    <message>
        <source>(0 = abgeschaltet)</source>
        <translation>(0 = switched off)</translation>
    </message>
    <message>
        <source>Zeitfenster Ende</source>
        <translation>Time window end</translation>
    </message>
    <message>
        <source>Innerhalb vom Zeitfenster ein Sprung von mindestens</source>
        <translation>Within the time window a step of at least</translation>
    </message>
    <message>
        <source>oder Softstartrelais-Überwachung-direkt</source>
        <translation>or direct soft-start relay supervision</translation>
    </message>
    <message>
        <source>Ab Hardware R7a</source>
        <translation>HW R7a and later</translation>
    </message>
    <message>
        <source>U-Anode Überprüfung nach Einschalten:</source>
        <translation>Anode voltage check after switching on:</translation>
    </message>
    <message>
        <source>(UA-Softstartrelais)</source>
        <translation>(UA soft-start relay)</translation>
    </message>
    <message>
        <source>Schaltet die Anodenspannung x Sek. vor RDY ein  (0 = abgesch)</source>
        <translation>Switches the anode voltage on x s before RDY  (0 = off)</translation>
    </message>
    <message>
        <source>*</source>
        <translation>*</translation>
    </message>
    <message>
        <source>Innerhalb v. Zeitfenster ein Sprung von minimal  (0=abgeschaltet)</source>
        <translation>Within the time window a step of at least  (0=off)</translation>
    </message>
    <message>
        <source>* Wird ab Firmware 7.14 nicht mehr verwendet.</source>
        <translation>* No longer used from firmware 7.14 on.</translation>
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
        <source>%1, markiert</source>
        <translation>%1, marked</translation>
    </message>
    <message>
        <source>%1, auf</source>
        <translation>%1, up</translation>
    </message>
    <message>
        <source>%1, ab</source>
        <translation>%1, down</translation>
    </message>
    <message>
        <source>%1, Wert</source>
        <translation>%1, value</translation>
    </message>
</context>
<context>
    <name>Safety</name>
    <message>
        <source>Fehler</source>
        <translation>error</translation>
    </message>
    <message>
        <source>Warnung</source>
        <translation>warning</translation>
    </message>
    <message>
        <source>... und %1 weitere</source>
        <translation>... and %1 more</translation>
    </message>
    <message>
        <source>Die Sicherheitsprüfung des Parametersatzes meldet:

%1
Trotzdem in das Gerät schreiben?</source>
        <translation>The safety check of the parameter set reports:

%1
Write it into the board all the same?</translation>
    </message>
    <message>
        <source>kein Eintrag der Liste</source>
        <translation>no item of the list</translation>
    </message>
    <message>
        <source>ein Kästchen hält 0 oder 1, nicht %1</source>
        <translation>a check box holds 0 or 1, not %1</translation>
    </message>
    <message>
        <source>nur 1 schaltet die Heizungsüberwachung ein; %1 gilt als aus</source>
        <translation>only 1 switches the heater supervision on; %1 counts as off</translation>
    </message>
    <message>
        <source>die Bandwahl ist 0, 1 oder 2, nicht %1</source>
        <translation>the band mode is 0, 1 or 2, not %1</translation>
    </message>
    <message>
        <source>die Datei enthält nur %1 von %2 Werten: %3</source>
        <translation>the file holds only %1 of %2 values: %3</translation>
    </message>
    <message>
        <source>Minimum über dem Maximum %1</source>
        <translation>minimum above the maximum of %1</translation>
    </message>
    <message>
        <source>über &quot;I-Anode max sofort&quot; %1</source>
        <translation>above &quot;I-Anode max sofort&quot; %1</translation>
    </message>
    <message>
        <source>Zeitfenster beginnt nach seinem Ende %1</source>
        <translation>the time window begins after its end of %1</translation>
    </message>
    <message>
        <source>abgeschaltet; im Gerät eingeschaltet mit %1</source>
        <translation>switched off; on in the board with %1</translation>
    </message>
    <message>
        <source>mehr als um den Faktor zwei geändert; im Gerät %1</source>
        <translation>changed by more than a factor of two; in the board %1</translation>
    </message>
    <message>
        <source>Satz für Seriennummer %1, das Gerät hat %2</source>
        <translation>set for serial number %1, the board has %2</translation>
    </message>
    <message>
        <source>Satz für Gerätetyp %1, das Gerät hat %2</source>
        <translation>set for device type %1, the board has %2</translation>
    </message>
    <message>
        <source>Zeile %1: &quot;%2&quot; ist keine ganze Zahl</source>
        <translation>line %1: &quot;%2&quot; is no whole number</translation>
    </message>
    <message>
        <source>die Datei endet</source>
        <translation>the file ends</translation>
    </message>
</context>
</TS>
