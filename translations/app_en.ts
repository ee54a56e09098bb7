<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Window</name>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Konfiguration LCD-Anzeige</source>
        <translation>LCD Display Configuration</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Unbekannter Fehler</source>
        <translation>Unknown error</translation>
    </message>
    <message>
        <source>LCD Konfiguration</source>
        <translation>LCD Configuration</translation>
    </message>
    <message>
        <source>Dateiname:</source>
        <translation>File name:</translation>
    </message>
    <message>
        <source>LCD Serien-Nr.:</source>
        <translation>LCD serial no.:</translation>
    </message>
    <message>
        <source>LCD Version:</source>
        <translation>LCD version:</translation>
    </message>
    <message>
        <source>Konfiguration übertragen</source>
        <translation>Transfer configuration</translation>
    </message>
    <message>
        <source>Vom Gerät zum PC</source>
        <translation>Device to PC</translation>
    </message>
    <message>
        <source>Vom PC zum Gerät</source>
        <translation>PC to device</translation>
    </message>
    <message>
        <source>Firmware übertragen</source>
        <translation>Transfer firmware</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>P-Mode</source>
        <translation>P-Mode</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>suchen</source>
        <translation>search</translation>
    </message>
    <message>
        <source>Allgemeines</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Timing</source>
        <translation>Timing</translation>
    </message>
    <message>
        <source>Softstartrelais</source>
        <translation>Soft-start relay</translation>
    </message>
    <message>
        <source>Anzeigebereiche</source>
        <translation>Display ranges</translation>
    </message>
    <message>
        <source>Grenzwerte allgemein</source>
        <translation>General limits</translation>
    </message>
    <message>
        <source>Max-PWR bei Dauerträger</source>
        <translation>Max power, key-down</translation>
    </message>
    <message>
        <source>IA-Mittelwert</source>
        <translation>IA mean</translation>
    </message>
    <message>
        <source>Korrektur PWR-Anzeige</source>
        <translation>PWR display corr.</translation>
    </message>
    <message>
        <source>Betriebszeit löschen</source>
        <translation>Clear operating time</translation>
    </message>
    <message>
        <source>Fehlerspeicher löschen</source>
        <translation>Clear fault memory</translation>
    </message>
    <message>
        <source>Kennung löschen</source>
        <translation>Clear identity</translation>
    </message>
    <message>
        <source>übertragen</source>
        <translation>send</translation>
    </message>
    <message>
        <source>Wirkungsgrad in Zeile 3 anzeigen</source>
        <translation>Show efficiency in line 3</translation>
    </message>
    <message>
        <source>Überwachungen abschalten</source>
        <translation>Disable protection</translation>
    </message>
    <message>
        <source>IA-Mittelwert in Zeile 3 anzeigen</source>
        <translation>Show IA mean in line 3</translation>
    </message>
    <message>
        <source>Geräte-Typ</source>
        <translation>Device type</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Neu</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Öffnen...</source>
        <translation>Open...</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Speichern unter...</source>
        <translation>Save as...</translation>
    </message>
    <message>
        <source>&amp;Protokoll drucken</source>
        <translation>&amp;Print report</translation>
    </message>
    <message>
        <source>Patch-Datei erstellen</source>
        <translation>Make patch file</translation>
    </message>
    <message>
        <source>&amp;Beenden</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>&amp;Fehlerspeicher</source>
        <translation>Fault &amp;memory</translation>
    </message>
    <message>
        <source>&amp;Extras</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>Versionskompatibilität</source>
        <translation>Version compatibility</translation>
    </message>
    <message>
        <source>Kompatibilitätsliste für &lt;span style=&quot;color:#ff0000&quot;&gt;KonfigVersion 2&lt;/span&gt;</source>
        <translation>Compatibility list for &lt;span style=&quot;color:#ff0000&quot;&gt;configuration version 2&lt;/span&gt;</translation>
    </message>
    <message>
        <source>(ist in  PC-Programm und  Platinenfirmware eingetragen)</source>
        <translation>(entered in the PC program and the board firmware)</translation>
    </message>
    <message>
        <source>PC-Programm</source>
        <translation>PC program</translation>
    </message>
    <message>
        <source>Platinenfirmware</source>
        <translation>Board firmware</translation>
    </message>
    <message>
        <source>%1: ein</source>
        <translation>%1: on</translation>
    </message>
    <message>
        <source>%1: aus</source>
        <translation>%1: off</translation>
    </message>
</context>
</TS>
