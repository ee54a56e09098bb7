<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Link</name>
    <message>
        <source>ComPortLineError:  %1 !</source>
        <translation>Line error on port %1!</translation>
    </message>
    <message>
        <source>Datenübertragungsfehler!

Speicherende erreicht!</source>
        <translation>Data transfer error!

Receive buffer full!</translation>
    </message>
    <message>
        <source>Datenübertragungsfehler!

Zeitüberschreitung.</source>
        <translation>Data transfer error!

Timeout.</translation>
    </message>
    <message>
        <source>Datenübertragungsfehler!

Ungültiges Sprach-Kontrollzeichen empfangen.</source>
        <translation>Data transfer error!

Invalid language code received.</translation>
    </message>
    <message>
        <source>Datenübertragungsfehler!

Zeitüberschreitung.
Gerätetyp-Kennzeichen nicht empfangen!</source>
        <translation>Data transfer error!

Timeout.
Device type code not received!</translation>
    </message>
    <message>
        <source>Datenübertragungsfehler!

Falsches Bestätigungsbyte!</source>
        <translation>Data transfer error!

Wrong confirmation byte!</translation>
    </message>
    <message>
        <source>Datenübertragungsfehler!

Unvollständige Daten empfangen.</source>
        <translation>Data transfer error!

Incomplete data received.</translation>
    </message>
    <message>
        <source>Datenübertragungsfehler!

Ungültiges Datenfeld empfangen.</source>
        <translation>Data transfer error!

Invalid data field received.</translation>
    </message>
    <message>
        <source>Konfiguration und Fehlerspeicher lesen</source>
        <translation>Reading configuration and fault memory</translation>
    </message>
    <message>
        <source>Daten gelesen</source>
        <translation>Data read</translation>
    </message>
    <message>
        <source>Daten senden konnte nicht ausgeführt werden!  Fehlercode %1

             Datenübertragung abgebrochen!</source>
        <translation>Data could not be sent!  Error code %1

Data transfer aborted!</translation>
    </message>
    <message>
        <source>     Gerät antwortet nicht!

Mögliche Gründe, z.B.:
Test-Jumper auf Platine vergessen.
Netzkabel nicht entfernt.
Noch keine Firmware geladen.</source>
        <translation>The device does not answer!

Possible reasons, e.g.:
Test jumper left on the board.
Mains cable not removed.
No firmware loaded yet.</translation>
    </message>
    <message>
        <source>Keine Rückmeldung vom &quot;Reset&quot;-Befehl &quot;ein&quot; erhalten!

        Datenübertragung abgebrochen!</source>
        <translation>No answer to the &quot;Reset&quot; command &quot;on&quot;!

Data transfer aborted!</translation>
    </message>
    <message>
        <source>Keine Rückmeldung vom &quot;Reset&quot;-Befehl &quot;aus&quot; erhalten!

        Datenübertragung abgebrochen!</source>
        <translation>No answer to the &quot;Reset&quot; command &quot;off&quot;!

Data transfer aborted!</translation>
    </message>
    <message>
        <source>Keine Rückmeldung vom &quot;Mode&quot;-Befehl erhalten!

        Datenübertragung abgebrochen!</source>
        <translation>No answer to the &quot;Mode&quot; command!

Data transfer aborted!</translation>
    </message>
    <message>
        <source>Datenübertragungsfehler!  Fehlercode %1

Falsches Antwortbyte.</source>
        <translation>Data transfer error!  Error code %1

Wrong answer byte.</translation>
    </message>
    <message>
        <source>Datenübertragungsfehler!  Fehlercode %1

Zeitüberschreitung.</source>
        <translation>Data transfer error!  Error code %1

Timeout.</translation>
    </message>
    <message>
        <source>Programmierfehler!  Fehlercode %1

Falsches Bestätigungsbyte.</source>
        <translation>Programming error!  Error code %1

Wrong confirmation byte.</translation>
    </message>
    <message>
        <source>Programmierfehler!  Fehlercode %1

Zeitüberschreitung.</source>
        <translation>Programming error!  Error code %1

Timeout.</translation>
    </message>
    <message>
        <source>ComPortError:  %1 !</source>
        <translation>Port error on %1!</translation>
    </message>
    <message>
        <source>Datenübertragungsfehler!

Falsches Kontrollzeichen empfangen.
Firmware in LCD-Platine vermutlich nicht kompatibel.</source>
        <translation>Data transfer error!

Wrong control byte received.
The firmware of the LCD board is probably not compatible.</translation>
    </message>
    <message>
        <source>Datenübertragungsfehler!

Zeitüberschreitung.
Firmware in LCD-Platine vermutlich nicht kompatibel!</source>
        <translation>Data transfer error!

Timeout.
The firmware of the LCD board is probably not compatible!</translation>
    </message>
    <message>
        <source>ComPortError:  %1 !

Der Port kann nicht geöffnet werden.</source>
        <translation>Port error on %1!

The port cannot be opened.</translation>
    </message>
    <message>
        <source>Keinen ComPort auf dem PC gefunden!</source>
        <translation>No serial port found on this PC!</translation>
    </message>
    <message>
        <source>USB-Port der LCD-Platine nicht gefunden!</source>
        <translation>USB port of the LCD board not found!</translation>
    </message>
    <message>
        <source>RegSchlüssel nicht gefunden !</source>
        <translation>The board&apos;s converter was not found!</translation>
    </message>
    <message>
        <source>RegWert (PortName) nicht gefunden !</source>
        <translation>No serial port belongs to the board&apos;s converter!</translation>
    </message>
    <message>
        <source>PortSuche nicht erfolgreich !</source>
        <translation>Port search not successful!</translation>
    </message>
    <message>
        <source>   Programmierfehler!

Falsches Bestätigungsbyte.</source>
        <translation>Programming error!

Wrong confirmation byte.</translation>
    </message>
    <message>
        <source>Programmierfehler!

Zeitüberschreitung.</source>
        <translation>Programming error!

Timeout.</translation>
    </message>
    <message>
        <source>löschen ausführen?</source>
        <translation>Clear now?</translation>
    </message>
    <message>
        <source>Betriebszeit löschen</source>
        <translation>Clearing operating time</translation>
    </message>
    <message>
        <source>Betriebszeit gelöscht</source>
        <translation>Operating time cleared</translation>
    </message>
    <message>
        <source>Fehlerspeicher löschen</source>
        <translation>Clearing fault memory</translation>
    </message>
    <message>
        <source>Fehlerspeicher gelöscht</source>
        <translation>Fault memory cleared</translation>
    </message>
    <message>
        <source>Kennung löschen</source>
        <translation>Clearing identity</translation>
    </message>
    <message>
        <source>Kennung gelöscht</source>
        <translation>Identity cleared</translation>
    </message>
    <message>
        <source>Übertragung ausführen?</source>
        <translation>Transfer now?</translation>
    </message>
    <message>
        <source>Gerätetyp-Übertragung</source>
        <translation>Device type transfer</translation>
    </message>
    <message>
        <source>Programmierung</source>
        <translation>Programming</translation>
    </message>
    <message>
        <source>Programmiert</source>
        <translation>Programmed</translation>
    </message>
    <message>
        <source>Es müssen 4 Zeichen eingegeben werden !</source>
        <translation>Please enter exactly 4 characters!</translation>
    </message>
    <message>
        <source>Datenübertragungsfehler!

 Falsches Antwortbyte.</source>
        <translation>Data transfer error!

Wrong answer byte.</translation>
    </message>
    <message>
        <source>Datenübertragungsfehler!

  Zeitüberschreitung.</source>
        <translation>Data transfer error!

Timeout.</translation>
    </message>
    <message>
        <source>    Programmierfehler!

Falsches Bestätigungsbyte.</source>
        <translation>Programming error!

Wrong confirmation byte.</translation>
    </message>
    <message>
        <source>übertragen ausführen?</source>
        <translation>Transfer now?</translation>
    </message>
    <message>
        <source>Serien-Nummer übertragen</source>
        <translation>Sending serial number</translation>
    </message>
    <message>
        <source>Serien-Nummer programmieren</source>
        <translation>Programming serial number</translation>
    </message>
    <message>
        <source>Serien-Nummer programmiert</source>
        <translation>Serial number programmed</translation>
    </message>
    <message>
        <source>Es wurden noch keine Daten geladen!</source>
        <translation>No data has been loaded yet!</translation>
    </message>
    <message>
        <source>Daten übertragen?</source>
        <translation>Transfer the data?</translation>
    </message>
    <message>
        <source>Übertragung</source>
        <translation>Transfer</translation>
    </message>
    <message>
        <source>Rahmenfehler</source>
        <translation>framing error</translation>
    </message>
    <message>
        <source>Überlauf</source>
        <translation>overrun</translation>
    </message>
    <message>
        <source>Paritätsfehler</source>
        <translation>parity error</translation>
    </message>
    <message>
        <source>Break</source>
        <translation>break</translation>
    </message>
    <message>
        <source>Pufferüberlauf</source>
        <translation>buffer overrun</translation>
    </message>
</context>
</TS>
